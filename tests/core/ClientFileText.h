#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "messages/CollectingSink.h"

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// A case as the writer puts it in a file.
inline std::string Written(const kelvox::TAnswer &store, const kelvox::WSchedList &worksheet)
{
    std::ostringstream out;
    kelvox::WriteClientFile(out, store, worksheet);
    return out.str();
}

struct Outcome {
    std::optional<bool> Result; // empty: FileError thrown
    std::vector<std::uint16_t> Codes;
};

// Reads a file's text into the store, collecting the messages it raised.
inline Outcome ReadInto(const std::string &text, kelvox::TAnswer &store, kelvox::WSchedList &worksheet)
{
    kelvox::CollectingSink sink;
    std::istringstream in(text);
    Outcome outcome;
    try {
        outcome.Result = kelvox::ReadClientFile(in, store, worksheet);
    } catch (const kelvox::FileError &) {
    }
    outcome.Codes = sink.Codes();
    return outcome;
}
