#pragma once

#include <array>
#include <string>
#include <vector>

namespace kelvox {

class RtfMerge;
class TAnswer;

enum class FormTab { Minors, Adults, Miscellaneous };

struct FormEntry final {
    const char *BoxName;
    const char *Caption;
    const char *Key; // how the form is named on the command line
    FormTab Tab;
};

constexpr int kFormCount = 20;
using FormSelection = std::array<bool, kFormCount>;

// The forms of the print dialog, in the order they go into the document.
const std::array<FormEntry, kFormCount> &FormTable();

// Index of the form named by a key ("18.2", "HEA2757") or its box name, in
// any letter case; -1 when none.
int FindForm(const std::string &name);

struct PageCopy final {
    int PageType = 0;
    int Copy = 0;
    bool operator==(const PageCopy &) const = default;
};

// The page copies a form puts into the document, in order.
std::vector<PageCopy> FormPages(int form, const TAnswer &answers);
std::vector<PageCopy> SelectedPages(const FormSelection &ticked, const TAnswer &answers);

// Merges the pages of the ticked forms into the merge's document text. False,
// with nothing merged, when no form is ticked.
bool AssembleDocument(RtfMerge &merge, const FormSelection &ticked, const TAnswer &answers,
                      const std::string &templateFolder);

// True when one of the fixed MS Word paths exists (never off Windows).
bool WordInstalled();

} // namespace kelvox
