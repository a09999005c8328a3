#include "Command.h"
#include "Support.h"

#include <iostream>

namespace kelvoxctl {

int RunInfo(Arguments &args)
{
    const bool calc = args.TakeFlag("--calc");
    const auto positional = args.Positional();
    if (positional.size() != 1)
        throw UsageError("info takes one client file");
    const auto c = LoadCase(positional[0]);
    if (calc)
        c->Store.Calculate(c->Worksheet, Measurer());
    const kelvox::TAnswer &s = c->Store;
    std::cout << "NoOf18_2\t" << s.NoOf18_2 << "\nNoOf18_3\t" << s.NoOf18_3 << "\nNoOf18_4\t" << s.NoOf18_4
              << "\nNoOf18_9\t" << s.NoOf18_9 << "\nNoOfWorksheet\t" << s.NoOfWorksheet << '\n';
    for (int i = 0; i < kelvox::kPageTypes; ++i)
        std::cout << "PgCt[" << i << "]\t" << s.PgCt()[static_cast<size_t>(i)] << '\n';
    return ExitOk;
}

} // namespace kelvoxctl
