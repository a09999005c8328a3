#include "output/DeterministicMeasurer.h"
#include "output/FitText.h"

#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"

using namespace kelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    DeterministicMeasurer measurer(input.Int(0, 12));
    const int special = input.Int(0, 3);
    for (int i = 0; i < special; ++i)
        measurer.SetUnits(static_cast<char32_t>(input.Byte()), input.Int(0, 40));
    const double inches = input.Int(0, 120) / 10.0;
    const double points = input.Int(1, 40);
    const int halfPoints = input.Int(0, 60);
    const std::string text = input.Rest();

    TextBox box;
    box.Width = WrapBoxWidth(inches);
    box.FontSize = points;
    box.SetText(text);
    for (int p = 0; p < static_cast<int>(box.Lines.size()); ++p) {
        const auto accessors = BuildLineAccessors(box, p, measurer);
        const auto length = static_cast<std::int32_t>(box.Lines[static_cast<std::size_t>(p)].size());
        for (const auto &a : accessors)
            if (a.lineStart < 0 || a.lineEnd > length || (length > 0 && a.lineStart < 1))
                std::abort();
    }
    (void)WrappedLines(box, measurer);
    (void)WrapTextToWidth(text, "Segoe UI", points, inches, measurer);
    (void)ReduceToFit(text, halfPoints, inches, measurer);
    return 0;
}
