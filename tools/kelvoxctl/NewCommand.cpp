#include "Command.h"
#include "Support.h"

#include "misc/Misc.h"

namespace kelvoxctl {

int RunNew(Arguments &args)
{
    const auto out = args.TakeOption("-o");
    if (!out || !args.Positional().empty())
        throw UsageError("new takes only -o OUT.kvx");
    const auto c = LoadCase(kelvox::AddPathSeparator(ProgramFolder()) + "default.kvx");
    SaveCase(*out, *c);
    return ExitOk;
}

} // namespace kelvoxctl
