#include "profiles/ProfileLists.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

TEST(ParseTextList, SplitsItemsAsWritten)
{
    struct Case {
        const char* value;
        int result;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"{High,Normal,Low}", 1, {"High", "Normal", "Low"}},
        {"{High, Normal}", 1, {"High", " Normal"}},
        {"no list", 0, {"untouched"}},
        {"{}", 1, {}},
        {"x{a,b}c,d", 1, {"a", "b"}},
        {"{a,b", 1, {"a", "b"}},
        {"{a,,b}", 1, {"a"}},
        {"{0123456789012345678901234567890123456789}", 1, {"0123456789012345678901234567890"}},
        {"{1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20}", 1,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        profiles::TextList<16> list;
        list.slots[0] = "untouched";
        EXPECT_EQ(profiles::ParseTextList(c.value, list.slots), c.result);
        ASSERT_EQ(list.Count(), static_cast<int>(c.entries.size()));
        for (std::size_t i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ(list.At(static_cast<int>(i)), c.entries[i]);
        EXPECT_EQ(list.slots[15], "") << "the last slot stays empty";
    }
}

TEST(ParseNumberList, ConvertsItemsLikeAtoi)
{
    struct Case {
        const char* value;
        int result;
        std::vector<std::int32_t> numbers;
    };
    const Case cases[] = {
        {"{ 500, 800}", 1, {500, 800}},
        {"{-7,+3,12abc,abc, }", 1, {-7, 3, 12, 0, 0}},
        {"{99999999999,-99999999999}", 1, {INT_MAX, INT_MIN}},
        {"500,800", 0, {42}},
        {"{1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18}", 1,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        profiles::NumberList<16> list;
        list.numbers[0] = 42;
        EXPECT_EQ(profiles::ParseNumberList(c.value, list.numbers), c.result);
        for (std::size_t i = 0; i < c.numbers.size(); ++i)
            EXPECT_EQ(list.At(static_cast<int>(i)), c.numbers[i]) << "item " << i;
    }
}

TEST(ProfileLists, IndexesOutsideTheSlotsReadAsEmpty)
{
    profiles::TextList<8> texts;
    profiles::NumberList<8> numbers;
    profiles::ParseTextList("{a,b}", texts.slots);
    profiles::ParseNumberList("{5,6}", numbers.numbers);
    EXPECT_EQ(texts.At(-1), "");
    EXPECT_EQ(texts.At(8), "");
    EXPECT_EQ(texts.At(5), "");
    EXPECT_EQ(numbers.At(-1), 0);
    EXPECT_EQ(numbers.At(8), 0);
    EXPECT_EQ(numbers.At(1), 6);
}
