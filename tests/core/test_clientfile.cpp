#include "ClientFileText.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>

using namespace kelvox;

namespace {

std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

// The line number (0-based) of answer k's text in the block of page type i,
// copy j, for a file whose counts are all 0 except as given.
size_t AnswerLine(const std::array<int, kPageTypes> &counts, int type, int copy, int index)
{
    size_t line = 39;
    for (int i = 0; i < type; ++i)
        if (counts[size_t(i)] >= 0)
            line += size_t(counts[size_t(i)] + 1) * size_t(2 * FieldsPerPage(i) + 3);
    line += size_t(copy) * size_t(2 * FieldsPerPage(type) + 3);
    return line + 1 + 2 * size_t(index);
}

void ExpectSameCase(const TAnswer &a, const WSchedList &wa, const TAnswer &b, const WSchedList &wb)
{
    EXPECT_EQ(a.PgCt(), b.PgCt());
    EXPECT_EQ(a.NoOf18_2, b.NoOf18_2);
    EXPECT_EQ(a.NoOf18_3, b.NoOf18_3);
    EXPECT_EQ(a.NoOf18_4, b.NoOf18_4);
    int differences = 0;
    for (int i = 0; i < kPageTypes; ++i)
        for (int j = 0; j < kCopies; ++j)
            for (int k = 0; k <= FieldsPerPage(i); ++k)
                if (a.Get(i, j, k) != b.Get(i, j, k) || a.OvRide(i, j, k) != b.OvRide(i, j, k)) {
                    if (++differences <= 5)
                        ADD_FAILURE() << "answer " << i << ":" << j << ":" << k << " \"" << a.Get(i, j, k) << "\"/"
                                      << a.OvRide(i, j, k) << " vs \"" << b.Get(i, j, k) << "\"/" << b.OvRide(i, j, k);
                }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(wa.Rows, wb.Rows);
}

void SetCopies(TAnswer &store, int n182, int n183, int n184)
{
    store.NoOf18_2 = n182;
    store.NoOf18_3 = n183;
    store.NoOf18_4 = n184;
    store.PgCt()[4] = store.PgCt()[5] = n182;
    store.PgCt()[6] = n183;
    store.PgCt()[7] = n184;
}

} // namespace

TEST(ClientFileLayout, NewCaseIsWrittenLineForLine)
{
    TAnswer store;
    WSchedList worksheet;
    const std::string text = Written(store, worksheet);
    const auto lines = SplitLines(text);

    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
    ASSERT_EQ(lines.size(), 44u + 5u + 32u * 203u + 2u * 403u + 603u);
    EXPECT_EQ(lines[0], "Kelvox Demo");
    EXPECT_EQ(lines[1], " 4.12000000000000E+0000");
    EXPECT_EQ(lines[1].size(), 23u);
    EXPECT_EQ(lines[2], "***** Page Counts");
    EXPECT_EQ(lines[3], "0");
    EXPECT_EQ(lines[38], "***** Page Data");
    EXPECT_EQ(lines[39], "***** Page 0; Cont 0");
    EXPECT_EQ(lines[39 + 4 * 203], "***** Page 4; Cont 0");
    const size_t tail = lines.size() - 10;
    EXPECT_EQ(lines[tail], "Accounting Worksheet - ***************");
    EXPECT_EQ(lines[tail + 1], "Column Count");
    EXPECT_EQ(lines[tail + 2], "5");
    EXPECT_EQ(lines[tail + 3], "Row Count");
    EXPECT_EQ(lines[tail + 4], "1");
}

TEST(ClientFileLayout, CountsShapeTheBlocksAndCellsGoColumnByColumn)
{
    TAnswer store;
    SetCopies(store, 2, 0, 0);
    store.PgCt()[9] = -1;
    store.Set(4, 2, 7, "third notice");
    store.SetOvRide(5, 1, 100, true);
    store.Set(10, 0, 0, "Café Ærø — “quoted”");
    WSchedList worksheet;
    worksheet.Rows = {{"a0", "a1", "a2", "a3", "a4"}, {"b0", "b1", "b2", "b3", "b4"}};

    const std::string text = Written(store, worksheet);
    const auto lines = SplitLines(text);
    const auto &counts = store.PgCt();
    size_t expected = 44 + 10;
    for (int i = 0; i < kPageTypes; ++i)
        if (counts[size_t(i)] >= 0)
            expected += size_t(counts[size_t(i)] + 1) * size_t(2 * FieldsPerPage(i) + 3);
    ASSERT_EQ(lines.size(), expected);

    EXPECT_EQ(lines[3 + 9], "-1");
    EXPECT_EQ(lines[AnswerLine(counts, 4, 2, 0) - 1], "***** Page 4; Cont 2");
    EXPECT_EQ(lines[AnswerLine(counts, 4, 2, 7)], "third notice");
    EXPECT_EQ(lines[AnswerLine(counts, 5, 1, 100) + 1], "1");
    EXPECT_EQ(lines[AnswerLine(counts, 8, 0, 0) - 1], "***** Page 8; Cont 0");
    // Page type 9 has no block: page 10 follows page 8.
    EXPECT_EQ(lines[AnswerLine(counts, 8, 0, 0) - 1 + 203], "***** Page 10; Cont 0");
    EXPECT_EQ(lines[AnswerLine(counts, 10, 0, 0)], "Caf\xE9 \xC6r\xF8 \x97 \x93quoted\x94");
    const std::vector<std::string> cells(lines.end() - 10, lines.end());
    EXPECT_EQ(cells, (std::vector<std::string>{"a0", "b0", "a1", "b1", "a2", "b2", "a3", "b3", "a4", "b4"}));
}

TEST(ClientFileRoundTrip, CaseComesBackIdentical)
{
    TAnswer store;
    SetCopies(store, 3, 2, 4);
    store.Set(0, 0, 5, "  Jane Q. Doe  ");
    store.Set(0, 0, 6, " ");
    store.Set(0, 0, 7, "Zoë Brontë-Müller");
    store.Set(0, 0, 20, "12 Elm St. | Apt 4 | Columbus, OH 43215");
    store.Set(1, 0, 100, "last index");
    store.Set(12, 0, 200, "end of listing");
    store.Set(24, 0, 300, "end of worksheet page");
    store.Set(4, 2, 4, "Third Person");
    store.Set(5, 2, 4, "Third Person p2");
    store.Set(6, 1, 4, "Consent B");
    store.Set(7, 3, 4, "Entry D");
    store.Set(7, 3, 99, "€ ‰ Œ Ÿ ß ñ");
    for (auto [type, copy, index] : {std::tuple{0, 0, 5}, {3, 0, 1}, {4, 2, 4}, {6, 0, 0}, {7, 3, 100}, {24, 0, 300}})
        store.SetOvRide(type, copy, index, true);
    WSchedList worksheet;
    worksheet.Rows = {{"Dr. A | 1 Main St | Dayton", "Medical", "01/02/2024", "1,200.00", "1,150.00"},
                      {"", "", "", "", ""},
                      {" Court ", "Filing fee", "3/4/2024", "75.00", ""}};

    const std::string text = Written(store, worksheet);
    std::istringstream in(text);
    TAnswer back;
    WSchedList backSheet;
    CollectingSink sink;
    ASSERT_TRUE(ReadClientFile(in, back, backSheet));
    EXPECT_TRUE(sink.Codes().empty());
    EXPECT_FALSE(back.ErrFlag);
    ExpectSameCase(store, worksheet, back, backSheet);
    EXPECT_EQ(Written(back, backSheet), text);
}

TEST(ClientFileRoundTrip, RandomCasesWithinTheCodePage)
{
    std::u32string repertoire;
    for (char32_t c = 0x20; c < 0x7F; ++c)
        repertoire += c;
    for (char32_t c = 0xA0; c <= 0xFF; ++c)
        repertoire += c;
    repertoire += U"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ\t";

    std::mt19937 random(20240611);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto text = [&] {
        std::u32string s;
        for (int n = pick(4) == 0 ? 0 : pick(40); n > 0; --n)
            s += repertoire[size_t(pick(int(repertoire.size())))];
        if (pick(5) == 0)
            s += U" | ";
        return CodePointsToUtf8(s);
    };

    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TAnswer store;
        SetCopies(store, pick(26), pick(26), pick(26));
        store.PgCt()[12] = pick(25);
        store.PgCt()[24] = pick(25) - 1;
        for (int n = pick(400); n > 0; --n) {
            const int type = pick(kPageTypes);
            const int copy = pick(kCopies);
            const int index = pick(FieldsPerPage(type) + 1);
            store.Set(type, copy, index, text());
            store.SetOvRide(type, copy, index, pick(3) == 0);
        }
        // Copies past a count are not carried; clear them so both sides agree.
        for (int i = 0; i < kPageTypes; ++i)
            for (int j = std::max(store.PgCt()[size_t(i)] + 1, 0); j < kCopies; ++j)
                store.CreateAPage(i, j);
        WSchedList worksheet;
        worksheet.Rows.resize(size_t(pick(30)));
        for (auto &row : worksheet.Rows)
            for (auto &cell : row)
                cell = text();

        std::istringstream in(Written(store, worksheet));
        TAnswer back;
        WSchedList backSheet;
        ASSERT_TRUE(ReadClientFile(in, back, backSheet));
        ExpectSameCase(store, worksheet, back, backSheet);
    }
}

TEST(ClientFileRoundTrip, TwentyFifthCopyWritesAnEmptyBlockThatIsDropped)
{
    TAnswer store;
    SetCopies(store, 25, 0, 0);
    store.Set(4, 24, 4, "copy 24 of page 1");
    store.Set(5, 24, 4, "copy 24 of page 2");
    WSchedList worksheet;
    worksheet.Rows = {{"n", "d", "1/1/2024", "5.00", "5.00"}};

    const std::string text = Written(store, worksheet);
    const auto lines = SplitLines(text);
    const size_t block25 = AnswerLine(store.PgCt(), 4, 25, 0) - 1;
    EXPECT_EQ(lines[block25], "***** Page 4; Cont 25");
    for (size_t k = 0; k <= 100; ++k) {
        EXPECT_EQ(lines[block25 + 1 + 2 * k], "");
        EXPECT_EQ(lines[block25 + 2 + 2 * k], "0");
    }
    EXPECT_EQ(lines[block25 + 203], "***** Page 5; Cont 0");

    std::istringstream in(text);
    TAnswer back;
    WSchedList backSheet;
    ASSERT_TRUE(ReadClientFile(in, back, backSheet));
    EXPECT_EQ(back.NoOf18_2, 25);
    EXPECT_EQ(back.Get(5, 24, 4), "copy 24 of page 2");
    EXPECT_EQ(backSheet.Rows, worksheet.Rows);
}

TEST(ClientFileRoundTrip, LineBreakInsideAnAnswerCannotShiftTheLayout)
{
    TAnswer store;
    store.Set(0, 0, 1, "first\nsecond\r\nthird\rfourth");
    store.Set(0, 0, 2, "after");
    WSchedList worksheet;
    worksheet.Rows = {{"name\naddress", "x", "", "", ""}};
    std::istringstream in(Written(store, worksheet));
    TAnswer back;
    WSchedList backSheet;
    ASSERT_TRUE(ReadClientFile(in, back, backSheet));
    EXPECT_EQ(back.Get(0, 0, 1), "first | second | third | fourth");
    EXPECT_EQ(back.Get(0, 0, 2), "after");
    EXPECT_EQ(backSheet.Rows[0][0], "name | address");
    EXPECT_EQ(backSheet.Rows[0][1], "x");
}

namespace {

// A small valid file to break: two copies of Form 18.3, an answer and a flag
// on page 0, a two-row worksheet.
struct Sample {
    TAnswer Store;
    WSchedList Worksheet;
    std::vector<std::string> Lines;
    Sample()
    {
        SetCopies(Store, 0, 2, 0);
        Store.Set(0, 0, 3, "kept");
        Store.SetOvRide(0, 0, 3, true);
        Store.Set(6, 1, 4, "second consent");
        Store.Set(28, 0, 100, "last answer");
        Worksheet.Rows = {{"r0", "d0", "", "", ""}, {"r1", "d1", "", "", ""}};
        Lines = SplitLines(Written(Store, Worksheet));
    }
    size_t Answer(int type, int copy, int index) const { return AnswerLine(Store.PgCt(), type, copy, index); }
    size_t RowCountLine() const { return Lines.size() - 11; }
};

} // namespace

TEST(ClientFileReader, MalformedFiles)
{
    using Lines = std::vector<std::string>;
    using Edit = std::function<void(Lines &, const Sample &)>;
    using Check = std::function<void(const TAnswer &, const WSchedList &)>;
    auto line = [](size_t n, std::string text) { return [n, text](Lines &l, const Sample &) { l[n] = text; }; };
    auto untouched = [](const TAnswer &s, const WSchedList &w) {
        EXPECT_EQ(s.Get(0, 0, 3), "");
        EXPECT_EQ(s.PgCt()[6], 0);
        EXPECT_EQ(w.RowCount(), 1);
    };
    auto whole = [](const TAnswer &s, const WSchedList &w) {
        EXPECT_EQ(s.Get(0, 0, 3), "kept");
        EXPECT_TRUE(s.OvRide(0, 0, 3));
        EXPECT_EQ(s.Get(6, 1, 4), "second consent");
        EXPECT_EQ(s.NoOf18_3, 2);
        EXPECT_EQ(w.RowCount(), 2);
        EXPECT_FALSE(s.ErrFlag);
    };
    const Check countsOnly = [](const TAnswer &s, const WSchedList &w) {
        EXPECT_EQ(s.NoOf18_3, 2);
        EXPECT_EQ(s.Get(6, 1, 4), "second consent");
        EXPECT_EQ(w.RowCount(), 1);
    };
    struct Case {
        const char *Name;
        Edit Change;
        std::optional<bool> Result;
        std::vector<std::uint16_t> Codes;
        Check Store;
    };
    const std::vector<Case> cases = {
        {"empty file", [](Lines &l, const Sample &) { l.clear(); }, false, {33010}, untouched},
        {"header Kelvox", line(0, "Kelvox"), true, {}, whole},
        {"header Demo", line(0, "Demo"), true, {}, whole},
        {"empty header line", line(0, ""), false, {33010}, untouched},
        {"header with text after", line(0, "Kelvox Demo 2"), false, {33010}, untouched},
        {"header with text before", line(0, " Kelvox Demo"), false, {33010}, untouched},
        {"header in lower case", line(0, "kelvox demo"), false, {33010}, untouched},
        {"version in plain notation", line(1, "4.12"), true, {}, whole},
        {"version 4.9", line(1, "4.9"), true, {}, whole},
        {"version 5.0", line(1, "5.0"), false, {33020}, untouched},
        {"version 3.99", line(1, "3.99"), false, {33020}, untouched},
        {"version not a number", line(1, "four"), std::nullopt, {}, untouched},
        {"letter on a count line", line(3 + 6, "x"), std::nullopt, {}, untouched},
        {"count followed by other text", line(3 + 2, "0 blocks"), true, {}, whole},
        {"negative count",
         [](Lines &l, const Sample &s) {
             // Page type 2 loses its block: drop those 203 lines.
             const size_t block = s.Answer(2, 0, 0) - 1;
             l.erase(l.begin() + long(block), l.begin() + long(block + 203));
             l[3 + 2] = "-1";
         },
         true,
         {},
         whole},
        {"letter on a flag line",
         [](Lines &l, const Sample &s) { l[s.Answer(6, 1, 4) + 1] = "y"; },
         false,
         {},
         [](const TAnswer &s, const WSchedList &w) {
             EXPECT_TRUE(s.ErrFlag);
             EXPECT_EQ(s.Get(0, 0, 3), "kept");
             EXPECT_EQ(s.Get(6, 1, 4), "second consent"); // its text came before the flag
             EXPECT_EQ(s.Get(28, 0, 100), "");
             EXPECT_EQ(w.RowCount(), 1);
         }},
        {"truncated in the page data",
         [](Lines &l, const Sample &s) { l.resize(s.Answer(0, 0, 3) + 1); },
         true,
         {},
         [](const TAnswer &s, const WSchedList &w) {
             EXPECT_EQ(s.Get(0, 0, 3), "kept");
             EXPECT_FALSE(s.OvRide(0, 0, 3)); // its flag line is past the end
             EXPECT_EQ(s.NoOf18_3, 2);
             EXPECT_EQ(s.Get(6, 1, 4), "");
             EXPECT_EQ(w.RowCount(), 0);
         }},
        {"truncated in the middle of a line",
         [](Lines &l, const Sample &s) {
             l.resize(s.Answer(6, 1, 4) + 1);
             l.back() = "second con";
         },
         true,
         {},
         [](const TAnswer &s, const WSchedList &) { EXPECT_EQ(s.Get(6, 1, 4), "second con"); }},
        {"letter on the row count line",
         [](Lines &l, const Sample &s) { l[s.RowCountLine()] = "two"; },
         std::nullopt,
         {},
         countsOnly},
        {"0 worksheet rows",
         [](Lines &l, const Sample &s) {
             l.resize(s.RowCountLine() + 1);
             l.back() = "0";
         },
         true,
         {},
         [](const TAnswer &, const WSchedList &w) { EXPECT_EQ(w.RowCount(), 0); }},
        {"row count beyond the end of the file",
         [](Lines &l, const Sample &s) { l[s.RowCountLine()] = "2000000000"; },
         true,
         {},
         [](const TAnswer &, const WSchedList &w) {
             // Column by column, the ten cell lines all read as column 0.
             ASSERT_EQ(w.RowCount(), 10);
             EXPECT_EQ(w.Rows[3][0], "d1");
             EXPECT_EQ(w.Rows[3][1], "");
         }},
        {"negative row count",
         [](Lines &l, const Sample &s) { l[s.RowCountLine()] = "-3"; },
         true,
         {},
         [](const TAnswer &, const WSchedList &w) { EXPECT_EQ(w.RowCount(), 0); }},
    };

    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        Sample sample;
        Lines lines = sample.Lines;
        c.Change(lines, sample);
        TAnswer store;
        WSchedList worksheet;
        const Outcome outcome = ReadInto(JoinLines(lines), store, worksheet);
        EXPECT_EQ(outcome.Result, c.Result);
        EXPECT_EQ(outcome.Codes, c.Codes);
        c.Store(store, worksheet);
    }
}

TEST(ClientFileReader, LineEndsAreLfWithoutCr)
{
    Sample sample;
    std::string lfOnly;
    for (const auto &line : sample.Lines)
        lfOnly += line + "\n";
    TAnswer store;
    WSchedList worksheet;
    const Outcome outcome = ReadInto(lfOnly, store, worksheet);
    EXPECT_EQ(outcome.Result, true);
    EXPECT_EQ(store.Get(0, 0, 3), "kept");
    EXPECT_EQ(worksheet.Rows[1][1], "d1");
}

TEST(ClientFileReader, TruncatedFileEmptiesWhatTheStoreHeldBefore)
{
    // Open reads into a store already filled from default.kvx.
    Sample sample;
    TAnswer store;
    store.Set(1, 0, 50, "from the default case");
    store.SetOvRide(1, 0, 50, true);
    store.Set(9, 3, 1, "beyond the counts");
    WSchedList worksheet;
    std::vector<std::string> lines(sample.Lines.begin(), sample.Lines.begin() + long(sample.Answer(0, 0, 10)));
    const Outcome outcome = ReadInto(JoinLines(lines), store, worksheet);
    EXPECT_EQ(outcome.Result, true);
    EXPECT_EQ(store.Get(1, 0, 50), "");
    EXPECT_FALSE(store.OvRide(1, 0, 50));
    EXPECT_EQ(store.Get(9, 3, 1), "beyond the counts");
}

TEST(ClientFileReader, HostileCountsStayInsideTheStore)
{
    Sample sample;
    struct Case {
        const char *Count;
        int Stored;
    };
    for (const Case c : {Case{"30", 25}, {"-7", -1}, {"2147483647", 25}}) {
        SCOPED_TRACE(c.Count);
        std::vector<std::string> lines = sample.Lines;
        if (std::string(c.Count) == "30") {
            // A file that really holds blocks up to copy 30 of page type 6.
            const size_t after = sample.Answer(7, 0, 0) - 1;
            std::vector<std::string> extra;
            for (int j = 3; j <= 30; ++j) {
                extra.push_back("***** Page 6; Cont " + std::to_string(j));
                for (int k = 0; k <= 100; ++k) {
                    extra.push_back("x");
                    extra.push_back("1");
                }
            }
            lines.insert(lines.begin() + long(after), extra.begin(), extra.end());
        } else if (std::string(c.Count) == "2147483647") {
            // The file ends with the blocks it holds.
            lines.resize(sample.Answer(7, 0, 0) - 1);
        } else if (std::string(c.Count) == "-7") {
            const size_t block = sample.Answer(6, 0, 0) - 1;
            lines.erase(lines.begin() + long(block), lines.begin() + long(block + 3 * 203));
        }
        lines[3 + 6] = c.Count;
        TAnswer store;
        WSchedList worksheet;
        const Outcome outcome = ReadInto(JoinLines(lines), store, worksheet);
        EXPECT_EQ(outcome.Result, true);
        EXPECT_EQ(store.PgCt()[6], c.Stored);
        EXPECT_EQ(store.NoOf18_3, c.Stored);
        if (c.Stored == 25) {
            EXPECT_EQ(store.Get(6, 1, 4), "second consent");
            if (std::string(c.Count) == "30") {
                EXPECT_EQ(store.Get(6, 24, 4), "x");
                EXPECT_EQ(worksheet.Rows, sample.Worksheet.Rows); // blocks 25 to 30 were read past
            }
        }
        if (c.Stored == -1) {
            EXPECT_EQ(store.Get(28, 0, 100), "last answer");
        }
    }
}

TEST(ClientFileReader, ShippedDefaultCaseReadsBack)
{
    const std::string path = std::string(KELVOX_PROGRAM_DIR) + "/default.kvx";
    TAnswer store;
    WSchedList worksheet;
    worksheet.Rows.resize(4, {"stale", "", "", "", ""});
    CollectingSink sink;
    ASSERT_TRUE(OpenFile(path, store, worksheet));
    EXPECT_TRUE(sink.Codes().empty());
    EXPECT_EQ(store.Get(0, 0, 12), "Ohio");
    EXPECT_EQ(store.PgCt(), TAnswer().PgCt());
    ASSERT_EQ(worksheet.RowCount(), 1);
    EXPECT_EQ(worksheet.Rows[0], WSchedList::Row{});

    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(Written(store, worksheet), bytes);
}

TEST(ClientFileReader, MissingFileIsAFileError)
{
    TAnswer store;
    WSchedList worksheet;
    EXPECT_THROW(OpenFile("/nonexistent/folder/case.kvx", store, worksheet), FileError);
    EXPECT_THROW(OpenFile(KELVOX_PROGRAM_DIR, store, worksheet), FileError);
}
