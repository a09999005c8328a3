#include "Command.h"
#include "Support.h"

#include <iostream>

namespace kelvoxctl {

namespace {

void PrintAnswer(const kelvox::TAnswer &store, int type, int copy, int index)
{
    std::cout << type << ':' << copy << ':' << index << '\t' << (store.OvRide(type, copy, index) ? 1 : 0) << '\t'
              << store.Get(type, copy, index) << '\n';
}

// An overridden answer is shown even when empty: the override is what matters.
void PrintFilled(const kelvox::TAnswer &store, int type, int copy)
{
    for (int k = 0; k <= kelvox::FieldsPerPage(type); ++k)
        if (!store.Get(type, copy, k).empty() || store.OvRide(type, copy, k))
            PrintAnswer(store, type, copy, k);
}

} // namespace

int RunShow(Arguments &args)
{
    const bool calc = args.TakeFlag("--calc");
    const auto positional = args.Positional();
    if (positional.empty())
        throw UsageError("show needs a client file");
    const auto c = LoadCase(positional[0]);
    if (calc)
        c->Store.Calculate(c->Worksheet, Measurer());

    if (positional.size() == 1) {
        for (int type = 0; type < kelvox::kPageTypes; ++type)
            for (int copy = 0; copy < kelvox::kCopies; ++copy)
                PrintFilled(c->Store, type, copy);
        return ExitOk;
    }
    const std::string &page = positional[1];
    if (page == "ws") {
        if (positional.size() > 2)
            throw UsageError("show FILE ws takes nothing more");
        for (const auto &row : c->Worksheet.Rows) {
            for (int col = 0; col < kelvox::WSchedList::kColumns; ++col)
                std::cout << (col ? "\t" : "") << row[static_cast<size_t>(col)];
            std::cout << '\n';
        }
        return ExitOk;
    }
    const size_t colon = page.find(':');
    const int type = ParseInt(page.substr(0, colon), 0, kelvox::kPageTypes - 1, "the page type");
    const int copy =
        colon == std::string::npos ? 0 : ParseInt(page.substr(colon + 1), 0, kelvox::kCopies - 1, "the copy");
    if (positional.size() == 2) {
        PrintFilled(c->Store, type, copy);
        return ExitOk;
    }
    std::vector<int> indices;
    for (size_t i = 2; i < positional.size(); ++i)
        indices.push_back(ParseInt(positional[i], 0, kelvox::FieldsPerPage(type), "the answer index"));
    for (const int index : indices)
        PrintAnswer(c->Store, type, copy, index);
    return ExitOk;
}

} // namespace kelvoxctl
