#pragma once

#include "output/FitText.h"

#include <string>
#include <vector>

namespace kelvox {

class TAnswer;
class TextMeasurer;
class WSchedList;

// Steps 1, 8 and 13 of the pass: the page counts and totals of the account
// listing and the worksheet print-out, and the pages themselves. Lives for one
// pass; CalcTtls leaves the counts and totals that the page steps read.
//
// Every expense text is wrapped once per pass for each column it prints in,
// and each listing is laid out once; a page copies its window of lines.
class AccountListing final {
public:
    AccountListing(TAnswer &answers, const WSchedList &worksheet, const TextMeasurer &measurer);

    void CalcTtls();
    void Calc12(int page);
    void Calc24(int page);

    int AccountLineCount() const { return m_accountLineCount; }
    int WorksheetLineCount() const { return m_worksheetLineCount; }

private:
    // One printed line of a listing. Row -1 is a heading or an empty line.
    struct Line {
        const std::string *text = nullptr;
        int row = -1;
        bool first = false;
    };

    int CountAccountPages();
    int CountWorksheetPages();
    void KeepCopies(int pageType, int pages);
    void LayOutAccount();
    void LayOutWorksheet();

    TAnswer &m_answers;
    const WSchedList &m_worksheet;
    WrapCache m_ownWraps;
    WrapCache &m_wraps; // the measurer's lasting wraps, or m_ownWraps

    int m_accountLineCount = 0;
    int m_worksheetLineCount = 0;
    double m_notMarked = 0;
    double m_marked = 0;
    std::vector<Line> m_accountLines;
    std::vector<Line> m_worksheetLines;
    bool m_accountLaidOut = false;
    bool m_worksheetLaidOut = false;
};

} // namespace kelvox
