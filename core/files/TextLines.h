#pragma once

#include <fstream>
#include <string>

namespace kelvox {

// Reads the lines of a Windows-1252 text file as UTF-8. A line ends at LF and
// never keeps a CR. Past the end every line reads as empty and every number as
// 0, and AtEnd() turns true.
class TextLineReader final {
public:
    TextLineReader(std::istream &in, std::string path) : m_in(in), m_path(std::move(path)) {}

    std::string Line();
    void Skip(int lines = 1);
    // The first word of the line as a decimal integer; the rest of the line is
    // skipped and a blank line reads as 0. Anything else returns false.
    bool TryInteger(int &value);
    // As TryInteger, but text that is not a number throws FileError naming what.
    int Integer(const char *what);
    // The first word of the line as a real number with "." as decimal point.
    double Real(const char *what);
    bool AtEnd() const { return m_atEnd; }
    long LineNumber() const { return m_lineNumber; }

private:
    bool RawLine(std::string &line);

    std::istream &m_in;
    std::string m_path;
    bool m_atEnd = false;
    long m_lineNumber = 0;
};

// Writes CR LF lines in Windows-1252. A line break inside a text becomes " | ",
// so one item stays one line.
class TextLineWriter final {
public:
    explicit TextLineWriter(std::ostream &out) : m_out(out) {}

    void Line(const std::string &utf8);
    void Line(int value);

private:
    std::ostream &m_out;
};

// Opens a file to read; throws FileError when it cannot.
std::ifstream OpenForReading(const std::string &path);

// Writes through `write` into a temporary file beside path, flushes it to disk
// and renames it over path (owner-only on POSIX). Throws FileError and leaves
// the file at path as it was on any failure.
void ReplaceFileWith(const std::string &path, void (*write)(std::ostream &, const void *), const void *context);

template <typename Write> void ReplaceFile(const std::string &path, Write write)
{
    ReplaceFileWith(
        path, [](std::ostream &out, const void *context) { (*static_cast<const Write *>(context))(out); }, &write);
}

} // namespace kelvox
