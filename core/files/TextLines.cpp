#include "files/TextLines.h"

#include "files/FileError.h"
#include "misc/Misc.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>
#include <streambuf>
#include <vector>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelvox {

namespace {

std::string FirstWord(const std::string &line)
{
    size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    size_t end = line.find_first_of(" \t", begin);
    return line.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

bool ParseInteger(const std::string &word, int &value)
{
    if (word.empty()) {
        value = 0;
        return true;
    }
    const char *first = word.data();
    const char *last = first + word.size();
    if (*first == '+')
        ++first;
    if (first == last)
        return false;
    int parsed = 0;
    auto [end, ec] = std::from_chars(first, last, parsed);
    if (ec != std::errc() || end != last)
        return false;
    value = parsed;
    return true;
}

bool ParseReal(const std::string &word, double &value)
{
    if (word.empty()) {
        value = 0;
        return true;
    }
    const char *first = word.data();
    const char *last = first + word.size();
    if (*first == '+')
        ++first;
    if (first == last || *first == '+')
        return false;
    double parsed = 0;
    auto [end, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string OneLine(const std::string &text)
{
    if (text.find_first_of("\r\n") == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += " | ";
        } else {
            out += c;
        }
    }
    return out;
}

std::string SystemError(int error)
{
    return std::strerror(error);
}

} // namespace

bool TextLineReader::RawLine(std::string &line)
{
    line.clear();
    if (m_atEnd || !std::getline(m_in, line)) {
        if (!m_atEnd && m_in.bad())
            throw FileError(m_path, "Cannot read " + m_path + " after line " + std::to_string(m_lineNumber));
        m_atEnd = true;
        line.clear();
        return false;
    }
    ++m_lineNumber;
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return true;
}

std::string TextLineReader::Line()
{
    std::string line;
    RawLine(line);
    return Win1252ToUtf8(line);
}

void TextLineReader::Skip(int lines)
{
    std::string line;
    for (int i = 0; i < lines; ++i)
        RawLine(line);
}

bool TextLineReader::TryInteger(int &value)
{
    std::string line;
    RawLine(line);
    return ParseInteger(FirstWord(line), value);
}

int TextLineReader::Integer(const char *what)
{
    std::string line;
    RawLine(line);
    int value = 0;
    if (!ParseInteger(FirstWord(line), value))
        throw FileError(m_path, m_path + ": line " + std::to_string(m_lineNumber) + ": \"" + Win1252ToUtf8(line) +
                                    "\" is not a valid " + what);
    return value;
}

double TextLineReader::Real(const char *what)
{
    std::string line;
    RawLine(line);
    double value = 0;
    if (!ParseReal(FirstWord(line), value))
        throw FileError(m_path, m_path + ": line " + std::to_string(m_lineNumber) + ": \"" + Win1252ToUtf8(line) +
                                    "\" is not a valid " + what);
    return value;
}

void TextLineWriter::Line(const std::string &utf8)
{
    m_out << Utf8ToWin1252(OneLine(utf8)) << "\r\n";
}

void TextLineWriter::Line(int value)
{
    m_out << value << "\r\n";
}

std::ifstream OpenForReading(const std::string &path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw FileError(path, "Cannot open file \"" + path + "\": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError(path, "Cannot open file \"" + path + "\": " + SystemError(errno));
    return in;
}

#if defined(_WIN32)

void ReplaceFileWith(const std::string &path, void (*write)(std::ostream &, const void *), const void *context)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path temp = target.parent_path() / ("~" + target.filename().string() + ".tmp");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw FileError(path, "Cannot create " + temp.string());
        write(out, context);
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw FileError(path, "Cannot write " + temp.string());
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError(path, "Cannot replace " + path + ": " + ec.message());
    }
}

#else

namespace {

// An output buffer on a POSIX file descriptor that remembers the first error.
class FdBuffer final : public std::streambuf {
public:
    explicit FdBuffer(int fd) : m_fd(fd), m_buffer(64 * 1024)
    {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type ch) override
    {
        if (!Drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain()
    {
        const char *p = pbase();
        while (p < pptr() && m_error == 0) {
            const ssize_t n = ::write(m_fd, p, static_cast<size_t>(pptr() - p));
            if (n < 0) {
                if (errno != EINTR)
                    m_error = errno;
            } else {
                p += n;
            }
        }
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return m_error == 0;
    }

    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

} // namespace

void ReplaceFileWith(const std::string &path, void (*write)(std::ostream &, const void *), const void *context)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string name = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temp(name.begin(), name.end());
    temp.push_back('\0');

    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError(path, "Cannot write " + path + ": " + SystemError(errno));
    auto fail = [&](const std::string &what, int error) {
        ::close(fd);
        ::unlink(temp.data());
        throw FileError(path, what + ": " + SystemError(error));
    };
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0)
        fail("Cannot restrict " + path, errno);

    FdBuffer buffer(fd);
    {
        std::ostream out(&buffer);
        try {
            write(out, context);
        } catch (...) {
            ::close(fd);
            ::unlink(temp.data());
            throw;
        }
        out.flush();
        if (!out || buffer.Error() != 0)
            fail("Cannot write " + path, buffer.Error() != 0 ? buffer.Error() : EIO);
    }
    if (::fsync(fd) != 0)
        fail("Cannot write " + path, errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.data());
        throw FileError(path, "Cannot write " + path + ": " + SystemError(error));
    }
    if (::rename(temp.data(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.data());
        throw FileError(path, "Cannot replace " + path + ": " + SystemError(error));
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

#endif

} // namespace kelvox
