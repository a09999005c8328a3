#include "output/PrtSend.h"

#include "answers/Answers.h"
#include "output/RtfMerge.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kelvox {

namespace {

const std::array<FormEntry, kFormCount> kForms{{
    {"cbxGenInfo", "General Information Worksheet", "GenInfo", FormTab::Miscellaneous},
    {"cbx18_0", "18.0 Petition for Adoption of Minor", "18.0", FormTab::Minors},
    {"cbx18_1", "18.1 Judgment Entry Setting Hearing ...", "18.1", FormTab::Minors},
    {"cbx18_2", "18.2 Notice of Hearing", "18.2", FormTab::Minors},
    {"cbx18_3", "18.3 Consent to Adoption", "18.3", FormTab::Minors},
    {"cbx18_4", "18.4 Judgment Entry Finding Consent Not ...", "18.4", FormTab::Minors},
    {"cbx18_5", "18.5 Interlocutory Order", "18.5", FormTab::Minors},
    {"cbx18_6", "18.6 Final Decree (after Interlocutory)", "18.6", FormTab::Minors},
    {"cbx18_7", "18.7 Final Decree (without Interlocutory)", "18.7", FormTab::Minors},
    {"cbx18_8", "18.8 Adoption Certificate for Parents", "18.8", FormTab::Minors},
    {"cbx18_9", "18.9 Petitioner's Account", "18.9", FormTab::Minors},
    {"cbx19_0", "19.0 Petition for Adoption of Adult", "19.0", FormTab::Adults},
    {"cbx19_01", "19.01 Judgment Entry Setting Hearing", "19.01", FormTab::Adults},
    {"cbx19_1", "19.1 Final Order of Adoption", "19.1", FormTab::Adults},
    {"cbx19_2", "19.2 Petition to Recognize Foreign Adoption", "19.2", FormTab::Adults},
    {"cbx19_3", "19.3 Order for Ohio Birth Record for Foreign Born Child", "19.3", FormTab::Adults},
    {"cbxConsentToChangeName", "Consent to Change Name", "ConsentToChangeName", FormTab::Miscellaneous},
    {"cbxAffidavitOfAdoptedPerson", "Affidavit of Adopted Person", "AffidavitOfAdoptedPerson", FormTab::Miscellaneous},
    {"cbxHEA2757", "HEA 2757 Certificate of Adoption", "HEA2757", FormTab::Miscellaneous},
    {"cbxExpenseWorksheet", "Expense Worksheet", "ExpenseWorksheet", FormTab::Miscellaneous},
}};

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Copies beyond the store are never addressed, whatever a count says.
int Copies(int count)
{
    return std::clamp(count, 0, kCopies);
}

void PerCopy(std::vector<PageCopy> &pages, int count, std::initializer_list<int> types)
{
    for (int copy = 0; copy < Copies(count); ++copy)
        for (const int type : types)
            pages.push_back({type, copy});
}

} // namespace

const std::array<FormEntry, kFormCount> &FormTable()
{
    return kForms;
}

int FindForm(const std::string &name)
{
    const std::string wanted = Lower(name);
    for (int i = 0; i < kFormCount; ++i)
        if (Lower(kForms[static_cast<size_t>(i)].Key) == wanted ||
            Lower(kForms[static_cast<size_t>(i)].BoxName) == wanted)
            return i;
    return -1;
}

std::vector<PageCopy> FormPages(int form, const TAnswer &answers)
{
    std::vector<PageCopy> pages;
    switch (form) {
    case 0: pages = {{0, 0}}; break;
    case 1: pages = {{1, 0}, {2, 0}, {23, 0}}; break;
    case 2: pages = {{3, 0}}; break;
    case 3: PerCopy(pages, answers.NoOf18_2, {4, 5}); break;
    case 4: PerCopy(pages, answers.NoOf18_3, {6}); break;
    case 5: PerCopy(pages, answers.NoOf18_4, {7}); break;
    case 6: pages = {{8, 0}}; break;
    case 7: pages = {{9, 0}}; break;
    case 8: pages = {{10, 0}}; break;
    case 9: pages = {{11, 0}}; break;
    case 10:
        PerCopy(pages, answers.NoOf18_9, {12});
        pages.push_back({13, 0});
        break;
    case 11: pages = {{15, 0}}; break;
    case 12: pages = {{16, 0}}; break;
    case 13: pages = {{17, 0}}; break;
    case 14: pages = {{25, 0}, {26, 0}}; break;
    case 15: pages = {{27, 0}}; break;
    case 16: pages = {{20, 0}}; break;
    case 17: pages = {{21, 0}}; break;
    case 18: pages = {{22, 0}}; break;
    case 19: PerCopy(pages, answers.NoOfWorksheet, {24}); break;
    default: break;
    }
    return pages;
}

std::vector<PageCopy> SelectedPages(const FormSelection &ticked, const TAnswer &answers)
{
    std::vector<PageCopy> pages;
    for (int form = 0; form < kFormCount; ++form)
        if (ticked[static_cast<size_t>(form)])
            for (const PageCopy &p : FormPages(form, answers))
                pages.push_back(p);
    return pages;
}

bool AssembleDocument(RtfMerge &merge, const FormSelection &ticked, const TAnswer &answers,
                      const std::string &templateFolder)
{
    const std::vector<PageCopy> pages = SelectedPages(ticked, answers);
    if (pages.empty())
        return false;
    merge.StartDocument(templateFolder, pages.front().PageType);
    for (std::size_t k = 1; k < pages.size(); ++k)
        merge.AppendPage(pages[k].PageType, pages[k].Copy, templateFolder);
    return true;
}

bool WordInstalled()
{
#ifdef _WIN32
    static const char *const kPaths[] = {
        "C:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office16\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office16\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office15\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office15\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office14\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office14\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office13\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office13\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office12\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office12\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office11\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office11\\winword.exe",
        "C:\\Program Files (x86)\\Microsoft Office\\Office10\\winword.exe",
        "C:\\Program Files\\Microsoft Office\\Office10\\winword.exe",
    };
    std::error_code ec;
    for (const char *path : kPaths)
        if (std::filesystem::exists(path, ec))
            return true;
#endif
    return false;
}

} // namespace kelvox
