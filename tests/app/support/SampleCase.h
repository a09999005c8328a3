#pragma once

namespace kelvox {
class TAnswer;
}

// A filled adoption case (general information, the consent persons, the
// hearing) with one copy of each multi-copy form, for screenshots.
void FillSampleCase(kelvox::TAnswer &a);
