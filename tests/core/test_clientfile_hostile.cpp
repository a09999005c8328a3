#include "ClientFileText.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "messages/CollectingSink.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>

using namespace kelvox;

namespace {

// The store keeps its shape whatever was read, and a case built on it still
// saves and reads back.
void ExpectUsable(TAnswer &store, WSchedList &worksheet)
{
    for (int count : store.PgCt()) {
        EXPECT_GE(count, -1);
        EXPECT_LE(count, kCopies);
    }
    store.Set(0, 0, 3, "after");
    TAnswer again;
    WSchedList rows;
    std::istringstream in(Written(store, worksheet));
    ASSERT_TRUE(ReadClientFile(in, again, rows));
    EXPECT_EQ(again.Get(0, 0, 3), "after");
    EXPECT_EQ(rows.Rows, worksheet.Rows);
}

} // namespace

TEST(HostileClientFile, HundredMegabyteLineIsOneAnswer)
{
    TAnswer store;
    WSchedList worksheet;
    const std::string huge(100u << 20, 'q');
    store.Set(0, 0, 3, huge);
    store.Set(0, 0, 4, "next");
    const std::string text = Written(store, worksheet);

    TAnswer read;
    WSchedList rows;
    ASSERT_EQ(ReadInto(text, read, rows).Result, true);
    EXPECT_EQ(read.Get(0, 0, 3).size(), huge.size());
    EXPECT_EQ(read.Get(0, 0, 4), "next");
}

TEST(HostileClientFile, ForeignHeadersAreRefused)
{
    for (const std::string header : {std::string("{\\rtf1\\ansi"), std::string("PK\x03\x04", 4),
                                     std::string("[Settings]"), std::string("\xEF\xBB\xBFKelvox Demo")}) {
        SCOPED_TRACE(header);
        TAnswer store;
        WSchedList worksheet;
        std::string text = Written(store, worksheet);
        text.replace(0, text.find("\r\n"), header);
        const Outcome r = ReadInto(text, store, worksheet);
        EXPECT_EQ(r.Result, false);
        EXPECT_EQ(r.Codes, std::vector<std::uint16_t>{33010});
        ExpectUsable(store, worksheet);
    }
}

TEST(HostileClientFile, BinaryGarbageNeverBreaksTheStore)
{
    std::mt19937 random(13);
    TAnswer store;
    WSchedList clean;
    const std::string valid = Written(store, clean);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(trial);
        std::string text;
        if (trial % 2 == 0) {
            // Pure noise.
            text.resize(random() % 5000);
            for (char &c : text)
                c = static_cast<char>(random());
        } else {
            // A valid head, noise after a random line.
            text = valid.substr(0, random() % valid.size());
            for (int i = 0; i < 2000; ++i)
                text.push_back(static_cast<char>(random()));
        }
        TAnswer read;
        WSchedList rows;
        ReadInto(text, read, rows);
        EXPECT_LE(rows.Rows.size(), text.size());
        ExpectUsable(read, rows);
    }
}
