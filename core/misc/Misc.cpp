#include "misc/Misc.h"

#include "messages/Messages.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvox {

namespace {

RegionalSettings g_regional;
PlatformSettings g_platform = ThisPlatform();
double g_pinnedToday = 0;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ReplaceAll(std::string text, const std::string &from, const std::string &to)
{
    if (from.empty())
        return text;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out += to;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string TrimBlanks(const std::string &text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Parses a floating-point text with the regional decimal separator: an optional
// sign, digits with at most one separator, an optional exponent.
bool ParseFloat(const std::string &raw, double &value)
{
    std::string text = TrimBlanks(raw);
    std::string normal;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        normal += text[i++];
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits = true;
            normal += c;
        } else if (c == g_regional.DecimalSeparator && !point) {
            point = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        bool expDigits = false;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            expDigits = true;
            normal += text[i];
        }
        if (!expDigits)
            return false;
    }
    if (i != text.size())
        return false;
    const char *begin = normal.c_str();
    if (*begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, normal.c_str() + normal.size(), value);
    return result.ec == std::errc() && std::isfinite(value);
}

bool ParseInt(const std::string &raw, int &value)
{
    const std::string text = TrimBlanks(raw);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    value = static_cast<int>(v);
    return true;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Days from 1970-01-01 for a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int &year, int &month, int &day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr long long kEpochOffset = 25569; // 1970-01-01 as a day count from 1899-12-30

const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

} // namespace

const RegionalSettings &Regional() { return g_regional; }
void SetRegional(const RegionalSettings &settings) { g_regional = settings; }
const PlatformSettings &Platform() { return g_platform; }
void SetPlatform(const PlatformSettings &settings) { g_platform = settings; }

PlatformSettings WindowsPlatform() { return PlatformSettings{false, '\\', "\r\n", 96.0}; }
PlatformSettings MacPlatform() { return PlatformSettings{true, '/', "\n", 72.0}; }

PlatformSettings ThisPlatform()
{
#if defined(_WIN32)
    return WindowsPlatform();
#elif defined(__APPLE__)
    return MacPlatform();
#else
    return PlatformSettings{false, '/', "\n", 96.0};
#endif
}

double Today()
{
    if (g_pinnedToday != 0)
        return g_pinnedToday;
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void SetTodayForTests(double day) { g_pinnedToday = day; }

std::string RemoveCommasAndSigns(std::string text)
{
    if (text.empty())
        return text;
    const bool negative = text.find_first_of("(-") != std::string::npos;
    std::string out;
    out.reserve(text.size() + 1);
    if (negative)
        out += '-';
    for (const char c : text) {
        switch (c) {
        case ' ': case '$': case '%': case '(': case ')': case ',': case '-':
            break;
        default:
            out += c;
        }
    }
    return out;
}

double Str2Float_P(std::string text)
{
    if (text.empty())
        text = "0.00";
    double value = 0;
    if (!ParseFloat(RemoveCommasAndSigns(text), value)) {
        ErrorMessage(21182);
        return 0;
    }
    return value;
}

namespace {
// An amount of at most 15 significant digits and 2 decimals is read exactly as
// the round trip through FormatFixed would read it: such a decimal is the
// shortest text of its nearest double, so the round trip gives it back.
bool ReadPlainAmount(const std::string &text, double &value)
{
    char normal[40];
    std::size_t n = 0, i = 0;
    if (i < text.size() && text[i] == '-')
        normal[n++] = text[i++];
    int significant = 0, decimals = -1;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits = true;
            if (significant > 0 || c != '0')
                ++significant;
            if (decimals >= 0)
                ++decimals;
        } else if (c == g_regional.DecimalSeparator && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
        if (significant > 15 || decimals > 2 || n >= sizeof normal - 1)
            return false;
        normal[n++] = decimals == 0 && !IsDigit(c) ? '.' : c;
    }
    if (!digits)
        return false;
    const auto result = std::from_chars(normal, normal + n, value);
    if (result.ec != std::errc() || result.ptr != normal + n)
        return false;
    if (value == 0)
        value = 0; // the round trip drops the sign of a zero
    return true;
}
} // namespace

double Str2Float_2(std::string text)
{
    if (text.empty())
        text = "0.00";
    const std::string stripped = RemoveCommasAndSigns(text);
    double value = 0;
    if (ReadPlainAmount(stripped, value))
        return value;
    if (!ParseFloat(stripped, value) || !ParseFloat(FormatFixed(value, 14, 2, false), value)) {
        ErrorMessage(21202, stripped);
        return 0;
    }
    return value;
}

double Str2Float_0(std::string text)
{
    if (text.empty())
        text = "0.00";
    double value = 0;
    if (!ParseFloat(RemoveCommasAndSigns(text), value) || !ParseFloat(FormatFixed(value, 14, 0, false), value)) {
        ErrorMessage(21192);
        return 0;
    }
    return value;
}

int Str2Int(std::string text)
{
    if (text.empty())
        text = "0";
    int value = 0;
    if (!ParseInt(RemoveCommasAndSigns(text), value)) {
        ErrorMessage(21212);
        return 0;
    }
    return value;
}

bool TryStrToFloat(const std::string &text, double &value) { return ParseFloat(text, value); }

std::string FormatFixed(double value, int width, int decimals, bool thousands)
{
    std::string body;
    bool negative = false;
    if (std::isnan(value)) {
        body = "NAN";
    } else if (std::isinf(value)) {
        body = "INF";
        negative = value < 0;
    } else {
        negative = std::signbit(value);
        // The shortest text that reads back as the number: its decimal digits.
        char buf[400];
        const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
        std::string digits(buf, res.ptr);
        const size_t point = digits.find('.');
        std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
        std::string frac = point == std::string::npos ? std::string() : digits.substr(point + 1);
        bool roundUp = false;
        if (static_cast<int>(frac.size()) > decimals) {
            roundUp = frac[static_cast<size_t>(decimals)] >= '5';
            frac.resize(static_cast<size_t>(decimals));
        }
        frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
        if (roundUp) {
            std::string all = whole + frac;
            int i = static_cast<int>(all.size()) - 1;
            for (; i >= 0; --i) {
                if (all[static_cast<size_t>(i)] == '9') {
                    all[static_cast<size_t>(i)] = '0';
                } else {
                    ++all[static_cast<size_t>(i)];
                    break;
                }
            }
            if (i < 0)
                all.insert(all.begin(), '1');
            whole = all.substr(0, all.size() - frac.size());
            frac = all.substr(all.size() - frac.size());
        }
        if (thousands) {
            std::string grouped;
            const int n = static_cast<int>(whole.size());
            for (int i = 0; i < n; ++i) {
                if (i > 0 && (n - i) % 3 == 0)
                    grouped += g_regional.ThousandSeparator;
                grouped += whole[static_cast<size_t>(i)];
            }
            whole = grouped;
        }
        body = decimals > 0 ? whole + g_regional.DecimalSeparator + frac : whole;
        if (body.find_first_of("123456789") == std::string::npos)
            negative = false;
    }
    if (negative)
        body.insert(body.begin(), '-');
    if (static_cast<int>(body.size()) < width)
        body.insert(0, static_cast<size_t>(width) - body.size(), ' ');
    return body;
}

std::string Float2Dollar(double value) { return TrimLeading(TrimStr(FormatFixed(value, 12, 2, true))); }

double EncodeDate(int year, int month, int dayOfMonth)
{
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(dayOfMonth)) +
                               kEpochOffset);
}

bool DecodeDate(double day, int &year, int &month, int &dayOfMonth)
{
    if (!std::isfinite(day) || std::fabs(day) > 1e8)
        return false;
    CivilFromDays(static_cast<long long>(std::floor(day)) - kEpochOffset, year, month, dayOfMonth);
    return true;
}

bool TryParseShortDate(const std::string &raw, double &day)
{
    const std::string text = TrimBlanks(raw);
    int parts[3] = {0, 0, 0};
    int digitsIn[3] = {0, 0, 0};
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (count == 0)
                count = 1;
            if (++digitsIn[count - 1] > 4)
                return false;
            parts[count - 1] = parts[count - 1] * 10 + (c - '0');
        } else if (c == g_regional.DateSeparator && count > 0 && count < 3 && digitsIn[count - 1] > 0) {
            ++count;
        } else {
            return false;
        }
    }
    if (count < 2 || digitsIn[count - 1] == 0)
        return false;
    int currentYear = 0, m = 0, d = 0;
    DecodeDate(Today(), currentYear, m, d);
    const int month = parts[0];
    const int dom = parts[1];
    int year = count == 3 ? parts[2] : currentYear;
    if (count == 3 && digitsIn[2] <= 2) {
        // Two-digit years fall within the fifty years either side of now.
        const int century = currentYear - 50;
        year += century / 100 * 100;
        if (year < century)
            year += 100;
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || dom < 1 || dom > DaysInMonth(year, month))
        return false;
    day = EncodeDate(year, month, dom);
    return true;
}

std::string ShortDateText(double day)
{
    int y = 0, m = 0, d = 0;
    if (!DecodeDate(day, y, m, d))
        return {};
    const std::string sep(1, g_regional.DateSeparator);
    // Four year digits, or a year below 100 would read back as a two-digit one.
    std::string year = std::to_string(y);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return std::to_string(m) + sep + std::to_string(d) + sep + year;
}

std::string ConvertDate(std::string text)
{
    if (text.empty())
        return text;
    double day = 0;
    if (TryParseShortDate(text, day))
        return text;
    static const char *const abbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int month = 0;
    for (int i = 0; i < 12 && month == 0; ++i)
        if (text.find(abbreviations[i]) != std::string::npos)
            month = i + 1;
    if (month == 0) {
        ErrorMessage(21220, text);
        return ShortDateText(Today());
    }
    const size_t comma = text.find(", ");
    if (comma == std::string::npos)
        return text;
    const size_t blank = text.find(' ');
    const std::string dom = blank < comma ? text.substr(blank + 1, comma - blank - 1) : std::string();
    const std::string year = text.substr(comma + 2);
    return std::to_string(month) + "/" + dom + "/" + year;
}

double Str2Date(std::string text)
{
    const std::string converted = ConvertDate(std::move(text));
    if (converted.empty())
        return 0;
    double day = 0;
    if (TryParseShortDate(converted, day))
        return day;
    ErrorMessage(21340);
    return Today();
}

std::string LongDateText(std::string text)
{
    if (text.empty())
        return text;
    double day = 0;
    if (!TryParseShortDate(text, day))
        return text;
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    return std::string(kMonthNames[m - 1]) + " " + std::to_string(d) + ", " + std::to_string(y);
}

std::string UpperCaseLatin(const std::string &utf8)
{
    bool plain = true;
    for (const char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    if (plain) {
        std::string out = utf8;
        for (char &c : out)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return out;
    }
    std::u32string points = Utf8ToCodePoints(utf8);
    for (char32_t &cp : points) {
        if ((cp >= U'a' && cp <= U'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7))
            cp -= 0x20;
        else if (cp == 0xFF)
            cp = 0x178;
        else if (cp == 0x161 || cp == 0x17E || cp == 0x153)
            cp -= 1;
    }
    return CodePointsToUtf8(points);
}

std::string TrimStr(std::string text)
{
    const size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

std::string TrimLeading(std::string text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    return text.substr(i);
}

std::string EncodeLineBreaks(std::string text) { return ReplaceAll(std::move(text), g_platform.LineBreak, " | "); }
std::string DecodeLineBreaks(std::string text) { return ReplaceAll(std::move(text), " | ", g_platform.LineBreak); }

std::string AddPathSeparator(std::string path)
{
    if (path.empty() || path.back() != g_platform.PathSeparator)
        path += g_platform.PathSeparator;
    return path;
}

std::string RemoveTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string RemoveExtension(std::string name)
{
    const size_t point = name.rfind('.');
    return point == std::string::npos ? name : name.substr(0, point);
}

namespace {
// Code points of bytes 0x80 to 0x9F; the five undefined bytes map to the C1
// controls, as Windows maps them.
const char32_t kWin1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
} // namespace

std::u32string Utf8ToCodePoints(const std::string &utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            out += c;
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            out += 0xFFFD;
            ++i;
            continue;
        }
        if (i + static_cast<size_t>(extra) >= n) {
            out += 0xFFFD;
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        static const char32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += 0xFFFD;
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string CodePointsToUtf8(const std::u32string &codePoints)
{
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t cp : codePoints)
        AppendUtf8(out, cp);
    return out;
}

std::string Utf8ToWin1252(const std::string &utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char32_t cp : Utf8ToCodePoints(utf8)) {
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kWin1252High[k] == cp) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        out += mapped;
    }
    return out;
}

std::string Win1252ToUtf8(const std::string &ansi)
{
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 8);
    for (const char ch : ansi) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            AppendUtf8(out, kWin1252High[c - 0x80]);
        else
            AppendUtf8(out, c);
    }
    return out;
}

} // namespace kelvox
