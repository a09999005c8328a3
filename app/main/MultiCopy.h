#pragma once

#include <string>
#include <vector>

namespace kelvox {
class TAnswer;
}

// The forms that exist once per person: their counters, their page types and
// the moving of answers when a copy is deleted. A multi-copy tag is 4, 5
// (Form 18.2), 6 (18.3), 7 (18.4) or 12 (the listing of 18.9).
namespace MultiCopy {

inline constexpr int kMaxCopies = 25;

int Counter(const kelvox::TAnswer &store, int tag);
// Sets the counter and the page-copy counts of the form's page types.
void SetCounter(kelvox::TAnswer &store, int tag, int copies);
std::vector<int> PageTypes(int tag);
std::string FormName(int tag);

// Moves every later copy of the form down by one over copy `removed` and
// empties the last of the `copies` copies, flags included.
void RemoveCopy(kelvox::TAnswer &store, int tag, int removed, int copies);

} // namespace MultiCopy
