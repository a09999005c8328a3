#include "calc/AccountListing.h"

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "messages/Messages.h"
#include "misc/Misc.h"
#include "output/TextMeasurer.h"

#include <algorithm>

namespace kelvox {

namespace {
struct Category {
    std::string heading;
    std::string text;
    std::string otherText;
};

// Form 18.9's categories in listing order; the worksheet offers the first
// spelling of the maintenance category.
const Category kCategories[] = {
    {"PHYSICIAN(S) *****", "Physician", ""},
    {"HOSPITAL/MEDICAL FACILITY *****", "Hospital/Medical Facility", ""},
    {"ATTORNEY FEES *****", "Attorney Fees", ""},
    {"ACTUAL COSTS TO ATTORNEY *****", "Attorney's Costs", ""},
    {"AGENCY *****", "Agency Fees", ""},
    {"ACTUAL COSTS TO AGENCY *****", "Agency's Costs", ""},
    {"MAINTENANCE/5103.15 MED CARE*", "Maintenance/RC 5103.15", "Maintenance/R.C. 5103.15"},
    {"FOSTER CARE *****", "Foster Care", ""},
    {"GUARDIAN AD LITEM *****", "Guardian Ad Litem", ""},
    {"COURT COSTS *****", "Court Costs", ""},
    {"ALL OTHER DISBURSEMENTS *****", "Other Disbursements", ""},
};
constexpr int kCategoryCount = static_cast<int>(std::size(kCategories));

struct Column {
    const char *family;
    double pointSize;
    double inches;
};
constexpr Column kAccountColumn{"Segoe UI", 10, 2.97};
// The worksheet counts in a narrower column than it prints, so that the count
// gives at least as many lines as the pages then hold.
constexpr Column kWorksheetCountColumn{"Segoe UI", 8, 2.75};
constexpr Column kWorksheetColumn{"Segoe UI", 8, 3.48};

constexpr int kAccountPageType = 12;
constexpr int kWorksheetPageType = 24;
constexpr int kFirstPageLines = 19;
constexpr int kLaterPageLines = 30;
constexpr int kWorksheetPageLines = 60;
// Three columns of a few thousand rows, with room for the texts being edited.
constexpr std::size_t kMostLastingWraps = 30000;
// The store holds 25 copies; the listings keep within 24 pages.
constexpr int kMostPages = 24;

const std::string kEmpty;

bool Belongs(const Category &category, const std::string &description)
{
    return description == category.text || (!category.otherText.empty() && description == category.otherText);
}

const std::string &Cell(const WSchedList &worksheet, int row, int column)
{
    return worksheet.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool Marked(const WSchedList &worksheet, int row)
{
    return Cell(worksheet, row, WSchedList::ActualCost) == "X";
}
} // namespace

AccountListing::AccountListing(TAnswer &answers, const WSchedList &worksheet, const TextMeasurer &measurer)
    : m_answers(answers), m_worksheet(worksheet), m_ownWraps(measurer),
      m_wraps(measurer.LastingWraps() ? *measurer.LastingWraps() : m_ownWraps)
{
    // Only between passes: the lines of a pass point into its wraps.
    if (&m_wraps != &m_ownWraps && m_wraps.Size() > kMostLastingWraps)
        m_wraps.Clear();
    if (&m_wraps != &m_ownWraps)
        m_memo = &m_answers.ListingMemory();
}

void AccountListing::CalcTtls()
{
    if (m_memo && m_memo->Wraps == m_wraps.Id() && m_memo->Rows == m_worksheet.Rows) {
        ListingMemo &memo = *m_memo;
        m_accountLineCount = memo.AccountLines;
        m_worksheetLineCount = memo.WorksheetLines;
        m_notMarked = memo.NotMarked;
        m_marked = memo.Marked;
        if (memo.AccountCapped)
            ErrorMessage(12100);
        KeepCopies(kAccountPageType, memo.AccountPages);
        m_answers.NoOf18_9 = memo.AccountPages;
        if (memo.WorksheetCapped)
            ErrorMessage(12110);
        KeepCopies(kWorksheetPageType, memo.WorksheetPages);
        m_answers.NoOfWorksheet = memo.WorksheetPages;
        return;
    }
    if (m_memo)
        *m_memo = ListingMemo();
    m_answers.NoOf18_9 = CountAccountPages();
    m_answers.NoOfWorksheet = CountWorksheetPages();
    if (m_memo) {
        ListingMemo &memo = *m_memo;
        memo.Rows = m_worksheet.Rows;
        memo.AccountLines = m_accountLineCount;
        memo.WorksheetLines = m_worksheetLineCount;
        memo.NotMarked = m_notMarked;
        memo.Marked = m_marked;
        memo.AccountPages = m_answers.NoOf18_9;
        memo.WorksheetPages = m_answers.NoOfWorksheet;
        memo.Wraps = m_wraps.Id();
    }
}

// A page copy the last pass wrote, unchanged since, with the same inputs.
bool AccountListing::Remembered(int pageType, int page) const
{
    if (!m_memo || m_memo->Wraps != m_wraps.Id())
        return false;
    const auto &written = pageType == kAccountPageType ? m_memo->AccountWritten : m_memo->WorksheetWritten;
    return written[static_cast<std::size_t>(page)] == m_answers.Page(pageType, page).TextStamp();
}

void AccountListing::Remember(int pageType, int page)
{
    if (!m_memo || m_memo->Wraps != m_wraps.Id())
        return;
    auto &written = pageType == kAccountPageType ? m_memo->AccountWritten : m_memo->WorksheetWritten;
    written[static_cast<std::size_t>(page)] = m_answers.Page(pageType, page).TextStamp();
}

int AccountListing::CountAccountPages()
{
    // The first heading, and an empty line and a heading before each other one.
    m_accountLineCount = 2 * kCategoryCount - 1;
    m_notMarked = 0;
    m_marked = 0;
    for (int row = 0; row < m_worksheet.RowCount(); ++row) {
        const std::string &text = Cell(m_worksheet, row, WSchedList::NameAndAddress);
        m_accountLineCount += static_cast<int>(
            m_wraps.Wrap(text, kAccountColumn.family, kAccountColumn.pointSize, kAccountColumn.inches).size());
        const double amount = Str2Float_2(Cell(m_worksheet, row, WSchedList::AmountDue));
        (Marked(m_worksheet, row) ? m_marked : m_notMarked) += amount;
    }

    const int L = m_accountLineCount;
    int pages = 1;
    if (L >= kFirstPageLines + 1)
        pages = (L - kFirstPageLines) / kLaterPageLines + 1 + ((L - kFirstPageLines) % kLaterPageLines != 0 ? 1 : 0);
    if (pages > kMostPages) {
        ErrorMessage(12100);
        pages = kMostPages;
        if (m_memo)
            m_memo->AccountCapped = true;
    }
    KeepCopies(kAccountPageType, pages);
    return pages;
}

int AccountListing::CountWorksheetPages()
{
    m_worksheetLineCount = 0;
    for (int row = 0; row < m_worksheet.RowCount(); ++row)
        m_worksheetLineCount +=
            static_cast<int>(m_wraps
                                 .Wrap(Cell(m_worksheet, row, WSchedList::NameAndAddress), kWorksheetCountColumn.family,
                                       kWorksheetCountColumn.pointSize, kWorksheetCountColumn.inches)
                                 .size());

    const int W = m_worksheetLineCount;
    int pages = 1;
    if (W >= kWorksheetPageLines)
        pages = W / kWorksheetPageLines + (W % kWorksheetPageLines != 0 ? 1 : 0);
    if (pages > kMostPages) {
        ErrorMessage(12110);
        pages = kMostPages;
        if (m_memo)
            m_memo->WorksheetCapped = true;
    }
    KeepCopies(kWorksheetPageType, pages);
    return pages;
}

// Copies beyond any the listing used before start fresh; copies in use stay,
// and the mark never goes down.
void AccountListing::KeepCopies(int pageType, int pages)
{
    int &used = m_answers.PgCt()[static_cast<std::size_t>(pageType)];
    if (used >= pages - 1)
        return;
    for (int copy = used + 1; copy <= pages - 1; ++copy)
        m_answers.CreateAPage(pageType, copy);
    used = pages - 1;
}

void AccountListing::LayOutAccount()
{
    m_accountLines.clear();
    for (int c = 0; c < kCategoryCount; ++c) {
        const Category &category = kCategories[c];
        if (c > 0)
            m_accountLines.push_back(Line{&kEmpty});
        m_accountLines.push_back(Line{&category.heading});
        for (int row = 0; row < m_worksheet.RowCount(); ++row) {
            if (!Belongs(category, Cell(m_worksheet, row, WSchedList::ExpenseDescription)))
                continue;
            const TStringArray &lines =
                m_wraps.Wrap(Cell(m_worksheet, row, WSchedList::NameAndAddress), kAccountColumn.family,
                             kAccountColumn.pointSize, kAccountColumn.inches);
            for (std::size_t j = 0; j < lines.size(); ++j)
                m_accountLines.push_back(Line{&lines[j], row, j == 0});
        }
    }
    m_accountLaidOut = true;
}

void AccountListing::LayOutWorksheet()
{
    m_worksheetLines.clear();
    for (int row = 0; row < m_worksheet.RowCount(); ++row) {
        const TStringArray &lines =
            m_wraps.Wrap(Cell(m_worksheet, row, WSchedList::NameAndAddress), kWorksheetColumn.family,
                         kWorksheetColumn.pointSize, kWorksheetColumn.inches);
        for (std::size_t j = 0; j < lines.size(); ++j)
            m_worksheetLines.push_back(Line{&lines[j], row, j == 0});
    }
    m_worksheetLaidOut = true;
}

void AccountListing::Calc12(int page)
{
    if (page < 0 || page >= kCopies) {
        ErrorMessage(29120);
        return;
    }
    if (m_memo) {
        const AnswerList &g = m_answers.Page(0, 0);
        ListingMemo &memo = *m_memo;
        if (memo.NamesPages != m_answers.NoOf18_9 || memo.Names[0] != g.Text(0) || memo.Names[1] != g.Text(1) ||
            memo.Names[2] != g.Text(3) || memo.Names[3] != g.Text(4)) {
            memo.Names = {g.Text(0), g.Text(1), g.Text(3), g.Text(4)};
            memo.NamesPages = m_answers.NoOf18_9;
            memo.AccountWritten.fill(AnswerList::Stamp());
        }
        if (Remembered(kAccountPageType, page))
            return;
    }
    AnswerList &t = m_answers.Page(kAccountPageType, page);
    if (!m_captionMade) {
        const AnswerList &g = m_answers.Page(0, 0);
        m_caption[0] = UpperCaseLatin(g.Text(0));
        m_caption[1] = UpperCaseLatin(g.Text(1));
        m_caption[2] = UpperCaseLatin(g.Text(3));
        m_caption[3] = UpperCaseLatin(g.Text(4));
        m_captionMade = true;
    }
    for (int i = 0; i < 4; ++i)
        t.SetText(i, m_caption[i]);
    if (page > 0) {
        t.SetText(4, std::to_string(page + 1));
        t.SetText(5, std::to_string(m_answers.NoOf18_9));
    }

    const int first = page == 0 ? 0 : kLaterPageLines * page - (kLaterPageLines - kFirstPageLines);
    int last = page == 0 ? kFirstPageLines - 1 : first + kLaterPageLines - 1;
    const int lastCleared = page == 0 ? 83 : 125;
    for (int i = 6; i <= lastCleared; ++i)
        t.SetText(i, std::string());
    last = std::min(last, m_accountLineCount);

    if (!m_accountLaidOut)
        LayOutAccount();
    for (int line = first; line <= last && line < static_cast<int>(m_accountLines.size()); ++line) {
        const Line &l = m_accountLines[static_cast<std::size_t>(line)];
        const int s = line - first;
        t.SetText(4 * s + 7, *l.text);
        if (l.first) {
            t.SetText(4 * s + 6, Cell(m_worksheet, l.row, WSchedList::Date));
            t.SetText(Marked(m_worksheet, l.row) ? 4 * s + 9 : 4 * s + 8,
                      Cell(m_worksheet, l.row, WSchedList::AmountDue));
        }
    }

    if (page == 0) {
        t.SetText(82, Float2Dollar(m_notMarked));
        t.SetText(83, Float2Dollar(m_marked));
    }
    Remember(kAccountPageType, page);
}

void AccountListing::Calc24(int page)
{
    if (page >= 0 && page < kCopies && Remembered(kWorksheetPageType, page))
        return;
    AnswerList &t = m_answers.Page(kWorksheetPageType, page);
    for (int i = 0; i <= 239; ++i)
        t.SetText(i, std::string());
    const int first = kWorksheetPageLines * page;
    const int last = std::min(first + kWorksheetPageLines - 1, m_worksheetLineCount);

    if (!m_worksheetLaidOut)
        LayOutWorksheet();
    for (int line = first; line <= last && line < static_cast<int>(m_worksheetLines.size()); ++line) {
        const Line &l = m_worksheetLines[static_cast<std::size_t>(line)];
        const int s = line - first;
        t.SetText(4 * s + 1, *l.text);
        if (l.first) {
            t.SetText(4 * s, Cell(m_worksheet, l.row, WSchedList::Date));
            t.SetText(4 * s + 2, Cell(m_worksheet, l.row, WSchedList::ExpenseDescription));
            t.SetText(4 * s + 3, Cell(m_worksheet, l.row, WSchedList::AmountDue));
        }
    }
    Remember(kWorksheetPageType, page);
}

} // namespace kelvox
