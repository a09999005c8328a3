#include "Command.h"
#include "Support.h"

namespace kelvoxctl {

int RunCalc(Arguments &args)
{
    const auto out = args.TakeOption("-o");
    const auto positional = args.Positional();
    if (positional.size() != 1)
        throw UsageError("calc takes one client file");
    const auto c = LoadCase(positional[0]);
    c->Store.Calculate(c->Worksheet, Measurer());
    if (out)
        SaveCase(*out, *c);
    return ExitOk;
}

} // namespace kelvoxctl
