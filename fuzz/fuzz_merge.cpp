#include "answers/Answers.h"
#include "output/DeterministicMeasurer.h"
#include "output/RtfMerge.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "FuzzInput.h"

using namespace kelvox;

// Bytes: page type, copy, then NUL-separated answers for the page, then the
// template text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const int pageType = input.Int(0, kPageTypes - 1);
    const int copy = input.Int(0, 2);
    TAnswer answers;
    const int fields = FieldsPerPage(pageType);
    const int given = input.Int(0, 8);
    for (int i = 0; i < given && !input.Empty(); ++i) {
        const int k = input.Int(0, fields);
        const bool overridden = input.Byte() & 1;
        answers.Set(pageType, copy, k, input.String());
        answers.SetOvRide(pageType, copy, k, overridden);
    }
    const int widthCount = input.Int(0, fields + 1);
    std::vector<double> widths;
    for (int i = 0; i < widthCount; ++i)
        widths.push_back(input.Int(0, 80) / 10.0);

    DeterministicMeasurer measurer;
    RtfMerge merge(answers, measurer, ".");
    merge.UseWingdings = input.Byte() & 1;
    merge.SetPageText(input.Rest());
    try {
        merge.TransferAnswers(pageType, copy, widths);
    } catch (const std::runtime_error &) {
        return 0;
    }
    (void)merge.CurrentFontSize();
    return 0;
}
