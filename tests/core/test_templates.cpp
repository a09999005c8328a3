// The shipped templates and page data files, checked for what the merge relies on.

#include "answers/Answers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace kelvox;
namespace fs = std::filesystem;

namespace {

const std::vector<int> kPrintedPageTypes = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                            14, 15, 16, 17, 20, 21, 22, 23, 24, 25, 26, 27, 28};

const std::string kMarkers = "*<#+$@%^&";
const std::string kEscape = "\\'b7";

fs::path ProgramDir()
{
    return fs::path(KELVOX_PROGRAM_DIR);
}

std::string ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Variable {
    size_t pos; // of the opening "/"
    size_t end; // one past the closing "/"
    char marker;
    int field;
};

// Reads the variables the way the merge does: line breaks inside a variable do
// not count. A "/" and a marker not followed by digits and a "/" is reported.
std::vector<Variable> ReadVariables(const std::string &text, std::vector<std::string> &faults)
{
    std::vector<Variable> vars;
    auto skipBreaks = [&](size_t p) {
        while (p < text.size() && (text[p] == '\r' || text[p] == '\n'))
            ++p;
        return p;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '/')
            continue;
        size_t p = skipBreaks(i + 1);
        if (p >= text.size() || kMarkers.find(text[p]) == std::string::npos)
            continue;
        const char marker = text[p];
        std::string digits;
        p = skipBreaks(p + 1);
        while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])) && digits.size() < 3) {
            digits += text[p];
            p = skipBreaks(p + 1);
        }
        if (digits.empty() || p >= text.size() || text[p] != '/' || (digits.size() > 1 && digits[0] == '0')) {
            faults.push_back("malformed variable at " + std::to_string(i) + ": " + text.substr(i, 8));
            continue;
        }
        vars.push_back({i, p + 1, marker, std::stoi(digits)});
        i = p;
    }
    return vars;
}

// Brace depth before each character, escaped braces and backslashes excluded.
std::vector<int> Depths(const std::string &text)
{
    std::vector<int> depth(text.size() + 1, 0);
    int d = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        depth[i] = d;
        if (text[i] == '\\' && i + 1 < text.size()) {
            depth[i + 1] = d;
            ++i;
            continue;
        }
        if (text[i] == '{')
            ++d;
        else if (text[i] == '}')
            --d;
    }
    depth[text.size()] = d;
    return depth;
}

// The Wingdings font number, looked for the way the merge looks for it.
int WingdingsFont(const std::string &text)
{
    if (text.find("Wingdings") == std::string::npos)
        return -1;
    size_t p = text.find("fonttbl");
    if (p == std::string::npos)
        return -1;
    while ((p = text.find("\\f", p)) != std::string::npos && p + 3 < text.size()) {
        p += 2;
        int number = text[p] - '0';
        ++p;
        for (int k = 0; k < 2 && std::isdigit(static_cast<unsigned char>(text[p])); ++k, ++p)
            number = number * 10 + (text[p] - '0');
        const size_t semi = text.find(';', p);
        if (semi == std::string::npos || semi - p > 100)
            return -1;
        std::string entry = text.substr(p, semi + 1 - p);
        std::transform(entry.begin(), entry.end(), entry.begin(), ::toupper);
        if (entry.find("WINGDINGS") != std::string::npos)
            return number;
        p = semi + 1;
    }
    return -1;
}

// Field widths of a page data file, or an explanation of the first bad line.
std::map<int, double> ReadWidths(const std::string &data, std::string &fault)
{
    std::map<int, double> widths;
    std::istringstream in(data);
    std::string line;
    int k = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream fields(line);
        long a, kind, c, g;
        double d, multiplier, width;
        if (!(fields >> a >> kind >> c >> d >> multiplier >> width >> g)) {
            fault = "line " + std::to_string(k) + " does not read: " + line;
            return widths;
        }
        widths[k] = kind == 4 ? multiplier * width : width;
        ++k;
    }
    if (k > 401)
        fault = "more than 401 lines";
    return widths;
}

struct Template {
    int number = -1;
    std::string rtf;
    std::string dat;
};

std::vector<Template> ShippedTemplates()
{
    std::vector<Template> all;
    for (const auto &entry : fs::directory_iterator(ProgramDir() / "RTF")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("PAGE", 0) != 0 || entry.path().extension() != ".RTF")
            continue;
        Template t;
        t.number = std::stoi(name.substr(4));
        t.rtf = ReadAll(entry.path());
        t.dat = ReadAll(ProgramDir() / "DAT" / ("PAGE" + std::to_string(t.number) + ".DAT"));
        all.push_back(std::move(t));
    }
    std::sort(all.begin(), all.end(), [](const Template &a, const Template &b) { return a.number < b.number; });
    return all;
}

void PrintTo(const Template &t, std::ostream *os)
{
    *os << "PAGE" << t.number;
}

class ShippedTemplate : public ::testing::TestWithParam<Template> {};

TEST_P(ShippedTemplate, IsAsciiRtfWithBalancedBraces)
{
    const std::string &rtf = GetParam().rtf;
    ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
    const auto depth = Depths(rtf);
    EXPECT_GE(*std::min_element(depth.begin(), depth.end() - 1), 0);
    const size_t last = rtf.find_last_not_of(" \r\n");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(rtf[last], '}');
    EXPECT_EQ(depth[last], 1) << "the last brace must close the document";
    EXPECT_EQ(depth[rtf.size()], 0);
    for (size_t i = 1; i < last; ++i)
        ASSERT_GT(depth[i], 0) << "document group closed early at " << i;
}

TEST_P(ShippedTemplate, SharesTheHeaderAndHoldsTheEscapeOnceBeforeTheBody)
{
    const std::string &rtf = GetParam().rtf;
    const size_t escape = rtf.find(kEscape);
    ASSERT_NE(escape, std::string::npos);
    EXPECT_EQ(rtf.find(kEscape, escape + 1), std::string::npos) << "escape more than once";
    // Appending cuts the page through the escape: what is left must still nest
    // inside the first page's document group.
    EXPECT_EQ(Depths(rtf)[escape], 1);
    const std::string header = rtf.substr(0, escape + kEscape.size());
    EXPECT_LT(header.find("{\\colortbl"), escape);
    EXPECT_LT(header.find("\\paperw12240\\paperh15840"), escape);

    std::vector<std::string> faults;
    const auto vars = ReadVariables(rtf, faults);
    for (const auto &v : vars)
        EXPECT_GT(v.pos, escape) << "variable in the header";

    const std::string first = ReadAll(ProgramDir() / "RTF" / "PAGE1.RTF");
    EXPECT_EQ(header, first.substr(0, first.find(kEscape) + kEscape.size()))
        << "later pages are read under the first page's header";
}

// Positions of a control word (not of longer words it begins), in order.
std::vector<size_t> Words(const std::string &rtf, const std::string &word, size_t from = 0)
{
    std::vector<size_t> at;
    for (size_t p = rtf.find(word, from); p != std::string::npos; p = rtf.find(word, p + 1)) {
        const size_t end = p + word.size();
        if (end >= rtf.size() || !std::isalpha(static_cast<unsigned char>(rtf[end])))
            at.push_back(p);
    }
    return at;
}

// A later page is joined as "\page " + its body, right after the previous
// body's end: a break that lands in a table cell or in the foot line's frame
// is lost, and the two pages run together.
TEST_P(ShippedTemplate, LaterPagesBreakOutsideTablesAndFrames)
{
    const std::string &rtf = GetParam().rtf;
    const size_t body = rtf.find(kEscape) + kEscape.size();
    const auto pars = Words(rtf, "\\par", body);
    ASSERT_FALSE(pars.empty());
    for (const char *word : {"\\trowd", "\\intbl", "\\pvpg", "\\posy"}) {
        const auto at = Words(rtf, word, body);
        EXPECT_TRUE(at.empty() || at.front() > pars.front()) << word << " before the first paragraph ends";
    }
    EXPECT_FALSE(Words(rtf, "\\pard", pars.back()).empty())
        << "the body ends inside its last paragraph's frame or table";
    EXPECT_TRUE(Words(rtf, "\\row", pars.back()).empty());
}

TEST_P(ShippedTemplate, HasAWingdingsFontAndTheColoursItUses)
{
    const std::string &rtf = GetParam().rtf;
    const int wingdings = WingdingsFont(rtf);
    ASSERT_GE(wingdings, 0);
    EXPECT_NE(wingdings, 0) << "font 0 is the body face restored after a check box";
    EXPECT_NE(wingdings, 4) << "font 4 is the body face restored on Forms 19.0 and 19.01";
    const size_t table = rtf.find("{\\colortbl");
    const std::string colours = rtf.substr(table, rtf.find('}', table) - table);
    EXPECT_GE(std::count(colours.begin(), colours.end(), ';'), 3)
        << "auto, colour 1 (overridden answers) and colour 2 (answers)";
}

TEST_P(ShippedTemplate, VariablesAreWellFormedAndWithinThePage)
{
    const Template &t = GetParam();
    std::vector<std::string> faults;
    const auto vars = ReadVariables(t.rtf, faults);
    for (const auto &f : faults)
        ADD_FAILURE() << f;
    EXPECT_FALSE(vars.empty());
    const int pageType = t.number;
    for (const auto &v : vars) {
        EXPECT_LE(v.field, FieldsPerPage(pageType)) << v.marker << v.field;
        const std::string before = t.rtf.substr(v.pos >= 10 ? v.pos - 10 : 0, v.pos >= 10 ? 10 : v.pos);
        const bool coloured = v.marker == '&' ? before == "\\cf2\\fs10 " : before.substr(before.size() - 5) == "\\cf2 ";
        EXPECT_TRUE(coloured) << v.marker << v.field << " not in colour 2: " << before;
        EXPECT_EQ(t.rtf.compare(v.end, 4, "\\cf0"), 0) << v.marker << v.field;
    }
}

// A page starts at the size the previous page left; a fitted field reads the
// size in force, and one read at the check box's 5 points prints "REDUCE TEXT".
TEST_P(ShippedTemplate, SetsTheSizeBeforeEveryFittedField)
{
    const std::string &rtf = GetParam().rtf;
    const size_t body = rtf.find(kEscape) + kEscape.size();
    std::vector<std::string> faults;
    int size = -1;
    size_t scanned = body;
    auto track = [&](size_t upto) {
        for (size_t p = rtf.find("\\fs", scanned); p != std::string::npos && p < upto; p = rtf.find("\\fs", p + 3)) {
            if (std::isdigit(static_cast<unsigned char>(rtf[p + 3])))
                size = std::stoi(rtf.substr(p + 3));
        }
        scanned = upto;
    };
    for (const auto &v : ReadVariables(rtf, faults)) {
        track(v.pos);
        if (v.marker == '*' || v.marker == '<') {
            EXPECT_GE(size, 12) << "fitted field " << v.field << " read at size " << size;
        }
        if (v.marker == '&') {
            EXPECT_EQ(size, 10) << "check box " << v.field;
        }
        scanned = v.end;
    }
}

TEST_P(ShippedTemplate, PageDataGivesEveryFittedFieldAWidth)
{
    const Template &t = GetParam();
    ASSERT_FALSE(t.dat.empty()) << "no page data file beside template " << t.number;
    std::string fault;
    const auto widths = ReadWidths(t.dat, fault);
    EXPECT_EQ(fault, "");
    std::vector<std::string> faults;
    for (const auto &v : ReadVariables(t.rtf, faults)) {
        if (v.marker != '*' && v.marker != '<')
            continue;
        const auto w = widths.find(v.field);
        ASSERT_NE(w, widths.end()) << "no width for fitted field " << v.field;
        EXPECT_GT(w->second, 0.2) << "field " << v.field;
        EXPECT_LE(w->second, 7.0) << "field " << v.field << " wider than the text";
    }
}

std::string TemplateName(const ::testing::TestParamInfo<Template> &info)
{
    return "PAGE" + std::to_string(info.param.number);
}

INSTANTIATE_TEST_SUITE_P(Templates, ShippedTemplate, ::testing::ValuesIn(ShippedTemplates()), TemplateName);

TEST(Templates, EveryPrintedPageHasItsTemplateAndPageData)
{
    for (int n : kPrintedPageTypes) {
        EXPECT_TRUE(fs::exists(ProgramDir() / "RTF" / ("PAGE" + std::to_string(n) + ".RTF"))) << n;
        EXPECT_TRUE(fs::exists(ProgramDir() / "DAT" / ("PAGE" + std::to_string(n) + ".DAT"))) << n;
    }
}

TEST(Templates, CheckerCatchesTheFaultsItLooksFor)
{
    std::vector<std::string> faults;
    const auto vars = ReadVariables("a /#12/ b /*\r\n7/ c /#x/ d /&1", faults);
    ASSERT_EQ(vars.size(), 2u);
    EXPECT_EQ(vars[0].field, 12);
    EXPECT_EQ(vars[1].field, 7);
    EXPECT_EQ(faults.size(), 2u);

    EXPECT_EQ(WingdingsFont("{\\fonttbl{\\f0\\fswiss Arial;}{\\f12\\fnil Wingdings;}}"), 12);
    EXPECT_EQ(WingdingsFont("{\\fonttbl{\\f0\\fswiss Arial;}}"), -1);

    std::string fault;
    ReadWidths("0 1 0 0.0 1.0 2.5 0\r\n1 1 0 x 1.0 2.5 0\r\n", fault);
    EXPECT_NE(fault, "");
    fault.clear();
    const auto w = ReadWidths("0 4 0 0.0 2.0 1.5 0\n", fault);
    EXPECT_DOUBLE_EQ(w.at(0), 3.0);
}

} // namespace
