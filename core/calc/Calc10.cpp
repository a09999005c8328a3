#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.7 Final Decree without an interlocutory order.
void Calc10(TAnswer &answers)
{
    calc::FinalDecree(answers, 10);
}

} // namespace kelvox
