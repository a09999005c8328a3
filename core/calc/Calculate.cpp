#include "answers/Answers.h"

namespace kelvox {

// The pass runs the rule units in their fixed order; they arrive unit by unit.
void TAnswer::Calculate() {}

} // namespace kelvox
