#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvoxctl {

enum ExitStatus { ExitOk = 0, ExitFileFailure = 1, ExitUsage = 2 };

// The arguments after the command's name. Options are taken out first; what
// stays are the positional arguments in their order.
class Arguments final {
public:
    explicit Arguments(std::vector<std::string> args) : m_args(std::move(args)) {}

    bool TakeFlag(const std::string &flag);
    std::optional<std::string> TakeOption(const std::string &option);
    // Every argument left; one that still looks like an option is a usage error.
    std::vector<std::string> Positional() const;

private:
    std::vector<std::string> m_args;
};

struct Command final {
    const char *Name;
    const char *Usage;   // the arguments, as the help shows them
    const char *Summary; // one line
    int (*Run)(Arguments &args);
};

// Every command, in the order the help lists them (Commands.cpp).
const std::vector<Command> &AllCommands();

} // namespace kelvoxctl
