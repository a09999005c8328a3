#include "Command.h"

namespace kelvoxctl {

int RunNew(Arguments &args);
int RunShow(Arguments &args);
int RunSet(Arguments &args);
int RunInfo(Arguments &args);
int RunCalc(Arguments &args);
int RunMessage(Arguments &args);
int RunPrint(Arguments &args);

const std::vector<Command> &AllCommands()
{
    static const std::vector<Command> commands = {
        {"new", "-o OUT.kvx", "write a new case from the shipped default.kvx", RunNew},
        {"show", "FILE.kvx [--calc] [ws | TYPE[:COPY] [INDEX...]]",
         "print answers as TYPE:COPY:INDEX<TAB>FLAG<TAB>TEXT, or the worksheet rows", RunShow},
        {"set", "FILE.kvx ASSIGNMENT... -o OUT.kvx",
         "change answers (TYPE:COPY:INDEX=TEXT, TYPE:COPY:INDEX!=TEXT), copy counts (count:18_2=N) or worksheet "
         "cells (ws:ROW:COL=TEXT)",
         RunSet},
        {"info", "FILE.kvx [--calc]", "print the counters and the 35 page-copy counts", RunInfo},
        {"calc", "FILE.kvx [-o OUT.kvx]", "run the calculation pass, and write the result when asked", RunCalc},
        {"print", "FILE.kvx --forms LIST [-o OUT.rtf] [--pdf OUT.pdf]",
         "run the pass and assemble the chosen forms (18.0,18.2,HEA2757,... or all) into one RTF document, "
         "or a PDF through LibreOffice",
         RunPrint},
        {"message", "CODE [TEXT]", "print the two texts the message dialog shows for a code", RunMessage},
    };
    return commands;
}

} // namespace kelvoxctl
