#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace kelvox {
class TextMeasurer;
}

namespace kelvoxctl {

// A wrong command line: the message is printed with the command's usage.
struct UsageError final : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that could not be read (its reason already printed): exit status 1.
struct ReadFailure final : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Case final {
    kelvox::TAnswer Store;
    kelvox::WSchedList Worksheet;
};

std::unique_ptr<Case> LoadCase(const std::string &path);
void SaveCase(const std::string &path, const Case &c);

// The folder of the program's data, as the program itself finds it.
std::string ProgramFolder();

// Measures with Qt's fonts, as the program does; the first call starts a
// display-less Qt.
const kelvox::TextMeasurer &Measurer();
// Ends that Qt before the program returns from main.
void EndQt();

int ParseInt(const std::string &text, int low, int high, const std::string &what);

// "TYPE:COPY:INDEX", each checked against the store's shape.
struct AnswerAddress final {
    int Type = 0;
    int Copy = 0;
    int Index = 0;
};
AnswerAddress ParseAnswerAddress(const std::string &text);

} // namespace kelvoxctl
