#include "Command.h"
#include "Support.h"

#include "messages/Messages.h"

#include <iostream>

namespace kelvoxctl {

int RunMessage(Arguments &args)
{
    const auto positional = args.Positional();
    if (positional.empty() || positional.size() > 2)
        throw UsageError("message takes a code and an optional text");
    const int code = ParseInt(positional[0], 0, 65535, "the code");
    const kelvox::ComposedMessage m =
        kelvox::ComposeMessage(static_cast<std::uint16_t>(code), positional.size() == 2 ? positional[1] : "");
    std::cout << m.First << '\n' << m.Second << '\n';
    return ExitOk;
}

} // namespace kelvoxctl
