#include "Command.h"
#include "Support.h"

namespace kelvoxctl {

namespace {

constexpr int kMostWorksheetRows = 100000;

void SetCount(kelvox::TAnswer &store, const std::string &form, const std::string &value)
{
    const int n = ParseInt(value, 0, kelvox::kCopies, "the number of copies");
    auto &counts = store.PgCt();
    if (form == "18_2") {
        store.NoOf18_2 = n;
        counts[4] = counts[5] = n;
    } else if (form == "18_3") {
        store.NoOf18_3 = n;
        counts[6] = n;
    } else if (form == "18_4") {
        store.NoOf18_4 = n;
        counts[7] = n;
    } else {
        throw UsageError("count: names 18_2, 18_3 or 18_4, not \"" + form + "\"");
    }
}

void SetCell(kelvox::WSchedList &worksheet, const std::string &address, std::string text)
{
    const size_t colon = address.find(':');
    if (colon == std::string::npos)
        throw UsageError("\"ws:" + address + "\" is not ws:ROW:COL");
    const int row = ParseInt(address.substr(0, colon), 0, kMostWorksheetRows - 1, "the worksheet row");
    const int col = ParseInt(address.substr(colon + 1), 0, kelvox::WSchedList::kColumns - 1, "the worksheet column");
    if (row >= worksheet.RowCount())
        worksheet.Rows.resize(static_cast<size_t>(row) + 1);
    worksheet.Rows[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
}

} // namespace

int RunSet(Arguments &args)
{
    const auto out = args.TakeOption("-o");
    const auto positional = args.Positional();
    if (positional.size() < 2 || !out)
        throw UsageError("set needs a client file, at least one assignment and -o OUT.kvx");
    const auto c = LoadCase(positional[0]);
    for (size_t i = 1; i < positional.size(); ++i) {
        const std::string &assignment = positional[i];
        const size_t equals = assignment.find('=');
        if (equals == std::string::npos)
            throw UsageError("\"" + assignment + "\" is not an assignment");
        std::string target = assignment.substr(0, equals);
        std::string text = assignment.substr(equals + 1);
        if (target.rfind("count:", 0) == 0) {
            SetCount(c->Store, target.substr(6), text);
        } else if (target.rfind("ws:", 0) == 0) {
            SetCell(c->Worksheet, target.substr(3), std::move(text));
        } else {
            const bool override = !target.empty() && target.back() == '!';
            if (override)
                target.pop_back();
            const AnswerAddress a = ParseAnswerAddress(target);
            c->Store.Set(a.Type, a.Copy, a.Index, std::move(text));
            if (override)
                c->Store.SetOvRide(a.Type, a.Copy, a.Index, true);
        }
    }
    SaveCase(*out, *c);
    return ExitOk;
}

} // namespace kelvoxctl
