#include "calc/AccountListing.h"

#include "answers/Answers.h"

namespace kelvox {

AccountListing::AccountListing(TAnswer &answers, const WSchedList &worksheet, const TextMeasurer &measurer)
    : m_answers(answers), m_worksheet(worksheet), m_measurer(measurer)
{
}

// Not yet built: the listing steps arrive with the text fitting.
void AccountListing::CalcTtls() {}
void AccountListing::Calc12(int) {}
void AccountListing::Calc24(int) {}

} // namespace kelvox
