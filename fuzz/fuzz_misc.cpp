#include "misc/Misc.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "FuzzInput.h"

using namespace kelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const int which = input.Int(0, 2);
    if (which == 1)
        SetRegional(RegionalSettings{',', '.', '.'});
    else if (which == 2)
        SetRegional(RegionalSettings{'.', ' ', '-'});
    else
        SetRegional(RegionalSettings{});

    const std::string text = input.Rest();
    (void)RemoveCommasAndSigns(text);
    (void)Str2Float_P(text);
    (void)Str2Float_2(text);
    (void)Str2Float_0(text);
    (void)Str2Int(text);
    double value = 0;
    if (TryStrToFloat(text, value)) {
        (void)Float2Dollar(value);
        (void)FormatFixed(value, 12, 2, true);
        (void)FormatFixed(value, 0, 0, false);
    }
    double day = 0;
    if (TryParseShortDate(text, day)) {
        const std::string shown = ShortDateText(day);
        double back = 0;
        if (!TryParseShortDate(shown, back) || back != day)
            std::abort();
        int y = 0, m = 0, d = 0;
        if (!DecodeDate(day, y, m, d) || EncodeDate(y, m, d) != day)
            std::abort();
    }
    (void)ConvertDate(text);
    (void)Str2Date(text);
    (void)LongDateText(text);
    (void)TrimStr(text);
    (void)TrimLeading(text);
    (void)DecodeLineBreaks(EncodeLineBreaks(text));
    (void)RemoveExtension(text);
    (void)RemoveTrailingBackslash(text);
    (void)AddPathSeparator(text);
    const std::string ansi = Utf8ToWin1252(text);
    const std::string utf8 = Win1252ToUtf8(ansi);
    if (Utf8ToWin1252(utf8) != ansi)
        std::abort();
    (void)CodePointsToUtf8(Utf8ToCodePoints(text));

    double number = 0;
    std::memcpy(&number, data, size < sizeof number ? size : sizeof number);
    if (std::isfinite(number)) {
        (void)Float2Dollar(number);
        (void)FormatFixed(number, 14, 2, true);
        int y = 0, m = 0, d = 0;
        (void)DecodeDate(number, y, m, d);
        (void)ShortDateText(number);
    }
    return 0;
}
