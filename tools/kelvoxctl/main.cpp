#include "Command.h"
#include "Support.h"

#include "files/FileError.h"
#include "messages/Messages.h"

#include <iostream>

namespace {

// Messages that the core raises go to standard error, one a line.
class StderrSink final : public kelvox::MessageSink {
public:
    void Show(std::uint16_t code, const std::string &, const kelvox::ComposedMessage &message) override
    {
        std::cerr << "message " << code << ": " << message.First << " | " << message.Second << '\n';
    }
};

void PrintHelp(std::ostream &out)
{
    out << "usage: kelvoxctl COMMAND ARGUMENTS\n\n";
    for (const auto &c : kelvoxctl::AllCommands())
        out << "  kelvoxctl " << c.Name << ' ' << c.Usage << "\n      " << c.Summary << '\n';
    out << "\nexit status: 0 success, 1 a file could not be read or written, 2 a usage error\n";
}

} // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    StderrSink sink;
    kelvox::SetMessageSink(&sink);

    if (argc < 2) {
        PrintHelp(std::cerr);
        return kelvoxctl::ExitUsage;
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        PrintHelp(std::cout);
        return kelvoxctl::ExitOk;
    }
    const kelvoxctl::Command *command = nullptr;
    for (const auto &c : kelvoxctl::AllCommands())
        if (name == c.Name)
            command = &c;
    if (!command) {
        std::cerr << "kelvoxctl: unknown command \"" << name << "\"\n";
        PrintHelp(std::cerr);
        return kelvoxctl::ExitUsage;
    }

    kelvoxctl::Arguments args(std::vector<std::string>(argv + 2, argv + argc));
    int status = kelvoxctl::ExitFileFailure;
    try {
        status = command->Run(args);
    } catch (const kelvoxctl::UsageError &e) {
        std::cerr << "kelvoxctl " << command->Name << ": " << e.what() << "\nusage: kelvoxctl " << command->Name << ' '
                  << command->Usage << '\n';
        status = kelvoxctl::ExitUsage;
    } catch (const kelvoxctl::ReadFailure &e) {
        std::cerr << "kelvoxctl " << command->Name << ": " << e.what() << '\n';
    } catch (const kelvox::FileError &e) {
        std::cerr << "kelvoxctl " << command->Name << ": " << e.what() << '\n';
    } catch (const kelvox::SilentAbort &) {
        std::cerr << "kelvoxctl " << command->Name << ": the command was abandoned\n";
    } catch (const std::exception &e) {
        std::cerr << "kelvoxctl " << command->Name << ": " << e.what() << '\n';
    }
    kelvoxctl::EndQt();
    std::cout.flush();
    return status;
}
