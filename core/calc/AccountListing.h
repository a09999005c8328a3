#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "output/FitText.h"

#include <array>

#include <string>
#include <vector>

namespace kelvox {

class TextMeasurer;

// Steps 1, 8 and 13 of the pass: the page counts and totals of the account
// listing and the worksheet print-out, and the pages themselves. Lives for one
// pass; CalcTtls leaves the counts and totals that the page steps read.
//
// Every expense text is wrapped once per pass for each column it prints in,
// and each listing is laid out once; a page copies its window of lines.
// What a store's last pass derived for its listings and wrote into each listing
// page. Holds only with the lasting wraps it was made with.
struct ListingMemo final {
    std::uint64_t Wraps = 0; // the lasting wraps' Id; 0: nothing remembered
    std::vector<WSchedList::Row> Rows;
    int AccountLines = 0, WorksheetLines = 0, AccountPages = 0, WorksheetPages = 0;
    bool AccountCapped = false, WorksheetCapped = false;
    double NotMarked = 0, Marked = 0;
    // The general page's names and the page count the account pages were written with.
    std::array<std::string, 4> Names;
    int NamesPages = -1;
    // Each page copy's stamp just after the pass wrote it.
    std::array<AnswerList::Stamp, kCopies> AccountWritten{}, WorksheetWritten{};
};

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

    bool Remembered(int pageType, int page) const;
    void Remember(int pageType, int page);
    int CountAccountPages();
    int CountWorksheetPages();
    void KeepCopies(int pageType, int pages);
    void LayOutAccount();
    void LayOutWorksheet();

    TAnswer &m_answers;
    const WSchedList &m_worksheet;
    ListingMemo *m_memo = nullptr; // with lasting wraps only
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
    std::string m_caption[4]; // the general page's names in capitals, for every listing page
    bool m_captionMade = false;
};

} // namespace kelvox
