#include "output/RtfMerge.h"

#include "answers/Answers.h"
#include "messages/Messages.h"
#include "misc/Misc.h"
#include "output/FitText.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelvox {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr bool kWingdingsReliable = true;
#else
constexpr bool kWingdingsReliable = false;
#endif

constexpr std::string_view kMarkers = "*<#+$@%^&";
constexpr std::string_view kBodyMarker = "\\'b7";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string ToUpper(std::string s)
{
    for (char &c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ToLower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool ReadsAsInt(std::string_view s, int &value)
{
    if (s.empty())
        return false;
    const char *first = s.data();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

bool ReadsAsReal(std::string_view s, double &value)
{
    if (s.empty())
        return false;
    const char *first = s.data();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

std::string Marked(bool overridden, std::string text)
{
    return overridden ? "\\cf1 " + text + "\\cf0 " : text;
}

std::string ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open file \"" + path + "\".");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Trims trailing line ends, blanks and `extra` characters, stopping after the
// first "}" it removes.
void TrimDocumentEnd(std::string &text, std::string_view extra)
{
    while (!text.empty()) {
        const char c = text.back();
        if (c == '}') {
            text.pop_back();
            return;
        }
        if (c == '\n' || c == '\r' || c == ' ' || extra.find(c) != std::string_view::npos)
            text.pop_back();
        else
            return;
    }
}

} // namespace

std::string RtfEscape(const std::string &utf8)
{
    std::string out;
    out.reserve(utf8.size());
    const auto unicode = [&out](long value) {
        out += "\\u" + std::to_string(value > 32767 ? value - 65536 : value) + "?";
    };
    for (const char32_t cp : Utf8ToCodePoints(utf8)) {
        if (cp == U'\\' || cp == U'{' || cp == U'}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp < 128) {
            out += static_cast<char>(cp);
        } else if (cp <= 0xFFFF) {
            unicode(static_cast<long>(cp));
        } else {
            const char32_t v = cp - 0x10000;
            unicode(static_cast<long>(0xD800 + (v >> 10)));
            unicode(static_cast<long>(0xDC00 + (v & 0x3FF)));
        }
    }
    return out;
}

int TemplateNumber(int pageType, int copy)
{
    return pageType == 12 && copy > 0 ? 14 : pageType;
}

std::string FindFileIgnoringCase(const std::string &folder, const std::string &name)
{
    const fs::path exact = fs::path(folder) / name;
    std::error_code ec;
    if (fs::is_regular_file(exact, ec))
        return exact.string();
    const std::string wanted = ToLower(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (ToLower(it->path().filename().string()) == wanted && it->is_regular_file(ec))
            return it->path().string();
    return std::string();
}

namespace {

std::string LocateOrThrow(const std::string &folder, const std::string &name)
{
    std::string path = FindFileIgnoringCase(folder, name);
    if (path.empty())
        throw std::runtime_error("Cannot open file \"" + (fs::path(folder) / name).string() + "\".");
    return path;
}

} // namespace

bool ReadFieldWidths(const std::string &path, std::vector<double> &widths)
{
    std::istringstream in(ReadWholeFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    // Blank lines at the end are no fields.
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos)
        lines.pop_back();

    widths.clear();
    for (const std::string &line : lines) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; w.size() < 7 && words >> word;)
            w.push_back(word);
        int i0 = 0, kind = 0, i2 = 0, i6 = 0;
        double r3 = 0, multiplier = 0, width = 0;
        if (w.size() < 7 || !ReadsAsInt(w[0], i0) || !ReadsAsInt(w[1], kind) || !ReadsAsInt(w[2], i2) ||
            !ReadsAsReal(w[3], r3) || !ReadsAsReal(w[4], multiplier) || !ReadsAsReal(w[5], width) ||
            !ReadsAsInt(w[6], i6)) {
            ErrorMessage(21011);
            widths.clear();
            return false;
        }
        widths.push_back(kind == 4 ? multiplier * width : width);
    }
    return true;
}

RtfMerge::RtfMerge(const TAnswer &answers, const TextMeasurer &measurer, std::string dataFolder)
    : UseWingdings(kWingdingsReliable), m_answers(answers), m_measurer(measurer), m_dataFolder(std::move(dataFolder))
{
}

std::string RtfMerge::WorkListText() const
{
    std::string text;
    for (const std::string &line : m_workList)
        text += line + "\r\n";
    return text;
}

void RtfMerge::SetWorkListText(const std::string &text)
{
    m_workList.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            m_workList.push_back(text.substr(start));
            break;
        }
        m_workList.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

void RtfMerge::LoadIntoWorkList(const std::string &path)
{
    SetWorkListText(ReadWholeFile(path));
}

void RtfMerge::StartDocument(const std::string &templateFolder, int templateNumber)
{
    LoadIntoWorkList(LocateOrThrow(templateFolder, "Page" + std::to_string(templateNumber) + ".rtf"));
    TransferDocument(templateNumber, 0);
    m_documentText = WorkListText();
}

void RtfMerge::AppendPage(int pageType, int copy, const std::string &templateFolder)
{
    m_workList.clear();
    const int n = TemplateNumber(pageType, copy);
    LoadIntoWorkList(LocateOrThrow(templateFolder, "PAGE" + std::to_string(n) + ".RTF"));
    TransferDocument(pageType, copy);
    m_pageText = WorkListText();
    StripTemplateHeader();
    m_pageText.insert(0, "\\page ");
    TrimDocumentEnd(m_pageText, "");
    TrimDocumentEnd(m_documentText, "'");
    m_documentText += m_pageText + "}";
}

void RtfMerge::StripTemplateHeader()
{
    const std::size_t at = m_pageText.find(kBodyMarker);
    if (at == std::string::npos)
        throw std::runtime_error("The template has no body marker \\'b7; its header cannot be removed.");
    m_pageText.erase(0, at + kBodyMarker.size());
}

void RtfMerge::TransferDocument(int pageType, int copy)
{
    const int n = TemplateNumber(pageType, copy);
    std::vector<double> widths;
    if (!ReadFieldWidths(LocateOrThrow(m_dataFolder, "PAGE" + std::to_string(n) + ".DAT"), widths))
        return;
    m_pageText = WorkListText();
    TransferAnswers(pageType, copy, widths);
    SetWorkListText(m_pageText);
}

void RtfMerge::RemoveLineBreaksAt(std::size_t position)
{
    while (position < m_pageText.size() && (m_pageText[position] == '\r' || m_pageText[position] == '\n'))
        m_pageText.erase(position, 1);
}

void RtfMerge::TransferAnswers(int pageType, int copy, const std::vector<double> &widths)
{
    m_wingdingsSelector = FindWingdingsFont();
    const int highest = FieldsPerPage(pageType);
    std::string &t = m_pageText;
    std::size_t i = 0;
    // Reads the character at p after dropping line breaks there; false at the end.
    const auto at = [this, &t](std::size_t p, char &c) {
        if (p >= t.size())
            return false;
        RemoveLineBreaksAt(p);
        if (p >= t.size())
            return false;
        c = t[p];
        return true;
    };
    while (i + 4 < t.size()) {
        TrackFontSize(i);
        if (t[i] != '/') {
            ++i;
            continue;
        }
        char marker = 0, d1 = 0, d2 = 0, d3 = 0, close = 0;
        if (!at(i + 1, marker))
            break;
        if (kMarkers.find(marker) == std::string_view::npos) {
            ++i;
            continue;
        }
        if (!at(i + 2, d1))
            break;
        if (!at(i + 3, d2))
            break;
        int field = -1;
        std::size_t length = 0;
        if (IsDigit(d1) && d2 == '/') {
            field = d1 - '0';
            length = 4;
        } else if (IsDigit(d1) && IsDigit(d2)) {
            if (!at(i + 4, d3))
                break;
            if (d3 == '/') {
                field = (d1 - '0') * 10 + (d2 - '0');
                length = 5;
            } else if (IsDigit(d3) && at(i + 5, close) && close == '/') {
                field = (d1 - '0') * 100 + (d2 - '0') * 10 + (d3 - '0');
                length = 6;
            }
        }
        if (field < 0) {
            ++i;
            continue;
        }
        if (field > highest)
            throw std::runtime_error("The template of page type " + std::to_string(pageType) + " asks for field " +
                                     std::to_string(field) + ", beyond the page's answers.");
        const double width = static_cast<std::size_t>(field) < widths.size() ? widths[field] : 0.0;
        i += InsertString(pageType, copy, field, marker, width, i, length);
    }
}

std::string RtfMerge::CheckBoxText(int pageType, const std::string &answer) const
{
    const bool ticked = answer == "X";
    const std::string restore =
        "\\fs" + std::to_string(m_currentFontSize) + (pageType == 15 || pageType == 16 ? "\\f4 " : "\\f0 ");
    if (UseWingdings && !m_wingdingsSelector.empty())
        return m_wingdingsSelector + "\\fs24 " + (ticked ? "x" : "o") + restore;
    return std::string("\\fs24 ") + (ticked ? "\\u9746?" : "\\u9744?") + restore;
}

std::size_t RtfMerge::InsertString(int pageType, int copy, int field, char marker, double width, std::size_t position,
                                   std::size_t length)
{
    m_pageText.erase(position, length);
    const std::string &answer = m_answers.Get(pageType, copy, field);
    const bool overridden = m_answers.OvRide(pageType, copy, field);
    const bool listingPage = pageType == 12 || pageType == 24;
    std::string printed;
    switch (marker) {
    case '$':
    case '@': {
        const std::string s = RemoveCommasAndSigns(answer);
        if (!(s.empty() && listingPage)) {
            const double value = Str2Float_2(s);
            printed =
                marker == '$' ? Marked(overridden, FormatFixed(value, 12, 2, true)) : FormatFixed(value, 8, 0, true);
        }
        break;
    }
    case '%':
        if (!answer.empty())
            printed = Marked(overridden, TrimLeading(FormatFixed(Str2Float_P(answer) * 100, 11, 3, true)) + "%");
        break;
    case '#':
    case '+': printed = Marked(overridden, RtfEscape(answer)); break;
    case '^': printed = Marked(overridden, RtfEscape(LongDateText(answer))); break;
    case '&': printed = CheckBoxText(pageType, answer); break;
    case '*':
    case '<': {
        const std::string fitted = ReduceToFit(answer, m_currentFontSize, width, m_measurer);
        // The fitted text is the answer behind a size word, or the warning.
        std::string escaped = fitted;
        if (fitted.size() >= answer.size() && fitted.compare(fitted.size() - answer.size(), answer.size(), answer) == 0)
            escaped = fitted.substr(0, fitted.size() - answer.size()) + RtfEscape(answer);
        printed = Marked(overridden, escaped + "\\fs" + std::to_string(m_currentFontSize) + " ");
        break;
    }
    default: break;
    }
    m_pageText.insert(position, printed);
    return printed.size();
}

std::string RtfMerge::FindWingdingsFont() const
{
    const std::string &t = m_pageText;
    if (t.find("Wingdings") == std::string::npos)
        return std::string();
    const std::size_t table = t.find("fonttbl");
    if (table == std::string::npos)
        return std::string();
    std::size_t p = table + 7;
    while (p + 3 < t.size()) {
        const std::size_t f = t.find("\\f", p);
        if (f == std::string::npos || f + 3 >= t.size())
            return std::string();
        std::size_t q = f + 2;
        // Only a font number counts: "\froman", "\fcharset" and the like are skipped.
        while (q < t.size() && IsDigit(t[q]))
            ++q;
        if (q == f + 2) {
            p = f + 2;
            continue;
        }
        const std::string number = t.substr(f + 2, q - f - 2);
        const std::size_t semicolon = t.find(';', q);
        const std::size_t entryEnd = semicolon == std::string::npos ? t.size() : std::min(semicolon + 1, q + 100);
        if (ToUpper(t.substr(q, entryEnd - q)).find("WINGDINGS") != std::string::npos)
            return "\\f" + number + " ";
        p = entryEnd;
    }
    return std::string();
}

void RtfMerge::TrackFontSize(std::size_t i)
{
    const std::string &t = m_pageText;
    if (i + 7 <= t.size() && t.compare(i, 3, "\\fs") == 0 && IsDigit(t[i + 3]))
        m_currentFontSize = GetNumFromText(i + 3);
}

int RtfMerge::GetNumFromText(std::size_t p)
{
    const std::string &t = m_pageText;
    if (p + 4 >= t.size()) {
        ErrorMessage(21070);
        return -1;
    }
    int result = -1;
    // A line break ends a control word in RTF, as a blank does.
    for (std::size_t q = p; q < t.size() && std::string_view(" \\{}\r\n").find(t[q]) == std::string_view::npos; ++q) {
        int value = 0;
        if (ReadsAsInt(std::string_view(t).substr(p, q - p + 1), value))
            result = value;
        else
            ErrorMessage(21060);
    }
    return result;
}

} // namespace kelvox
