#pragma once

#include <string>

namespace kelvox {

// The regional record every conversion reads. The forms are American, so the
// program holds the United States record; tests may pin another.
struct RegionalSettings final {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
};

// What differs between platforms: the path separator, the stored line break,
// the pixels per inch used for fitting, and the Mac flag itself.
struct PlatformSettings final {
    bool IsMac = false;
    char PathSeparator = '/';
    std::string LineBreak = "\n";
    double PixelsPerInch = 96.0;
};

const RegionalSettings &Regional();
void SetRegional(const RegionalSettings &settings);
const PlatformSettings &Platform();
void SetPlatform(const PlatformSettings &settings);
PlatformSettings WindowsPlatform();
PlatformSettings MacPlatform();
PlatformSettings ThisPlatform();

// Today as a date value; tests may pin it (0 restores the clock).
double Today();
void SetTodayForTests(double day);

std::string RemoveCommasAndSigns(std::string text);
double Str2Float_P(std::string text);
double Str2Float_2(std::string text);
double Str2Float_0(std::string text);
int Str2Int(std::string text);
// Reads a number under the regional record only (no thousands separators, no
// currency sign); false, and no message, when the text is not one.
bool TryStrToFloat(const std::string &text, double &value);
std::string Float2Dollar(double value);

// Formats with "%W.Df" (fixed, no thousands) or "%W.Dn" (with thousands),
// rounding halves away from zero on the number's decimal digits.
std::string FormatFixed(double value, int width, int decimals, bool thousands);

// Short-date parsing and formatting (month/day/year under the regional record).
bool TryParseShortDate(const std::string &text, double &day);
std::string ShortDateText(double day);
bool DecodeDate(double day, int &year, int &month, int &dayOfMonth);
double EncodeDate(int year, int month, int dayOfMonth);

std::string ConvertDate(std::string text);
double Str2Date(std::string text);
std::string LongDateText(std::string text);

// Upper-cases a to z and the accented Latin letters that have a capital in
// Windows-1252, so a caption in capitals never mixes cases ("JOSÉ", not "JOSé").
std::string UpperCaseLatin(const std::string &utf8);

std::string TrimStr(std::string text);
std::string TrimLeading(std::string text);
std::string EncodeLineBreaks(std::string text);
std::string DecodeLineBreaks(std::string text);

std::string AddPathSeparator(std::string path);
std::string RemoveTrailingBackslash(std::string path);
std::string RemoveExtension(std::string name);

// Text files are Windows-1252 on disk and UTF-8 inside; characters outside the
// code page become "?".
std::string Utf8ToWin1252(const std::string &utf8);
std::string Win1252ToUtf8(const std::string &ansi);
// Decodes UTF-8 into code points; malformed bytes give U+FFFD.
std::u32string Utf8ToCodePoints(const std::string &utf8);
std::string CodePointsToUtf8(const std::u32string &codePoints);

} // namespace kelvox
