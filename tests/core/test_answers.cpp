#include "answers/Answers.h"
#include "messages/CollectingSink.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace kelvox;

TEST(AnswerStore, FreshStoreIsEmptyWithItsShape)
{
    TAnswer store;
    EXPECT_EQ(store.ProgramName, "Kelvox Demo");
    EXPECT_DOUBLE_EQ(store.VersionNo, 4.12);
    EXPECT_FALSE(store.ErrFlag);
    EXPECT_EQ(store.NoOf18_2 + store.NoOf18_3 + store.NoOf18_4 + store.NoOf18_9 + store.NoOfWorksheet, 0);
    for (int t = 0; t < kPageTypes; ++t) {
        EXPECT_EQ(store.PgCt()[static_cast<size_t>(t)], 0);
        const int expected = t == 12 || t == 14 ? 201 : t == 24 ? 301 : 101;
        for (int c = 0; c < kCopies; ++c) {
            const AnswerList &list = store.Page(t, c);
            ASSERT_EQ(list.Count(), expected) << t << ":" << c;
            for (int i = 0; i < list.Count(); ++i) {
                ASSERT_TRUE(list.Text(i).empty());
                ASSERT_FALSE(list.OvRide(i));
            }
        }
    }
}

TEST(AnswerStore, IndexBoundsFollowTheFieldsPerPageTable)
{
    TAnswer store;
    EXPECT_THROW(store.Get(3, 0, 101), std::out_of_range);
    EXPECT_NO_THROW(store.Get(3, 0, 100));
    EXPECT_NO_THROW(store.Set(12, 0, 200, "x"));
    EXPECT_THROW(store.Get(12, 0, 201), std::out_of_range);
    EXPECT_NO_THROW(store.Get(24, 3, 300));
    EXPECT_THROW(store.Get(0, 0, -1), std::out_of_range);
    EXPECT_THROW(store.Page(35, 0), std::out_of_range);
    EXPECT_THROW(store.Page(0, 25), std::out_of_range);
}

TEST(AnswerStore, CreateAPageEmptiesOneCopyOnly)
{
    TAnswer store;
    store.Set(12, 3, 5, "kept?");
    store.SetOvRide(12, 3, 5, true);
    store.Set(12, 4, 5, "other copy");
    store.CreateAPage(12, 3);
    EXPECT_EQ(store.Get(12, 3, 5), "");
    EXPECT_FALSE(store.OvRide(12, 3, 5));
    EXPECT_EQ(store.Page(12, 3).Count(), 201);
    EXPECT_EQ(store.Get(12, 4, 5), "other copy");
}

TEST(AnswerStore, CreateAPageBeyondTheStoreShows18012AndAborts)
{
    CollectingSink sink;
    TAnswer store;
    EXPECT_NO_THROW(store.CreateAPage(12, 24));
    store.Set(12, 24, 0, "x");
    EXPECT_THROW(store.CreateAPage(12, 25), SilentAbort);
    EXPECT_EQ(sink.Codes(), std::vector<std::uint16_t>{18012});
    EXPECT_EQ(store.Get(12, 24, 0), "x");
}

TEST(PageTag, SplitsIntoTypeAndCopy)
{
    EXPECT_EQ(TagPageType(2300), 23);
    EXPECT_EQ(TagCopy(2300), 0);
    EXPECT_EQ(TagPageType(1203), 12);
    EXPECT_EQ(TagCopy(1203), 3);
    EXPECT_EQ(PageTag(4, 7), 407);
}
