#pragma once

#include <stdexcept>
#include <string>

namespace kelvox {

// The input/output failures that the readers and writers leave to the calling
// command (and so to the general error report): a file that cannot be opened,
// created or replaced, and text that is not a number where a count is expected.
class FileError final : public std::runtime_error {
public:
    FileError(std::string path, const std::string &what) : std::runtime_error(what), m_path(std::move(path)) {}
    const std::string &Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace kelvox
