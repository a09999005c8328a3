#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "messages/CollectingSink.h"
#include "output/TextMeasurer.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvox::test {

// Six pixels a character at 10 points, whatever the family.
class FixedMeasurer final : public TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &, double pointSize) const override
    {
        return static_cast<double>(utf8.size()) * 0.6 * pointSize;
    }
};

// One case, an empty worksheet, and a collector for the messages of the pass.
class CalcCase : public ::testing::Test {
protected:
    CalcCase() { worksheet.Rows.clear(); }

    void Pass() { answers.Calculate(worksheet, measurer); }

    void SetG(int index, std::string text) { answers.Set(0, 0, index, std::move(text)); }
    const std::string &T(int page, int copy, int index) const { return answers.Get(page, copy, index); }
    const std::string &T(int page, int index) const { return answers.Get(page, 0, index); }
    void Type(int page, int copy, int index, std::string text) { answers.Set(page, copy, index, std::move(text)); }
    void Type(int page, int index, std::string text) { answers.Set(page, 0, index, std::move(text)); }
    void Override(int page, int copy, int index, std::string text)
    {
        answers.Set(page, copy, index, std::move(text));
        answers.SetOvRide(page, copy, index, true);
    }

    TAnswer answers;
    WSchedList worksheet;
    FixedMeasurer measurer;
    CollectingSink sink;
};

} // namespace kelvox::test
