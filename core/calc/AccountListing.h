#pragma once

namespace kelvox {

class TAnswer;
class TextMeasurer;
class WSchedList;

// Steps 1, 8 and 13 of the pass: the page counts and totals of the account
// listing and the worksheet print-out, and the pages themselves. Lives for one
// pass; CalcTtls leaves the counts and totals that the page steps read.
class AccountListing final {
public:
    AccountListing(TAnswer &answers, const WSchedList &worksheet, const TextMeasurer &measurer);

    void CalcTtls();
    void Calc12(int page);
    void Calc24(int page);

private:
    TAnswer &m_answers;
    const WSchedList &m_worksheet;
    const TextMeasurer &m_measurer;
};

} // namespace kelvox
