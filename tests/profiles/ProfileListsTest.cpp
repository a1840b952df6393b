#include "profiles/ProfileLists.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

TEST(ProfileLists, TextItemsAreKeptAsWrittenUpToTheLastSlot)
{
    const std::tuple<const char*, int, std::vector<std::string>> cases[] = {
        {"{High, Normal}", 1, {"High", " Normal"}},
        {"no list", 0, {"untouched"}},
        {"x{a,b}c,d", 1, {"a", "b"}},
        {"{a,b", 1, {"a", "b"}},
        {"{a,,b}", 1, {"a"}},
        {"{0123456789012345678901234567890123456789}", 1, {"0123456789012345678901234567890"}},
        {"{1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17}", 1,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
    };
    for (const auto& [value, result, entries] : cases) {
        profiles::TextList<16> list;
        list.slots[0] = "untouched";
        EXPECT_EQ(profiles::ParseTextList(value, list.slots), result) << value;
        EXPECT_EQ(std::vector<std::string>(list.slots.begin(), list.slots.begin() + list.Count()), entries) << value;
        EXPECT_EQ(list.At(16), "");
    }
}

TEST(ProfileLists, NumbersAreReadLikeAtoiIntoEverySlot)
{
    const std::tuple<const char*, int, std::vector<std::int32_t>> cases[] = {
        {"{-7,+3,12abc,abc, }", 1, {-7, 3, 12, 0, 0}},
        {"{99999999999,-99999999999}", 1, {INT_MAX, INT_MIN}},
        {"500,800", 0, {42}},
        {"{1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18}", 1,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
    };
    for (const auto& [value, result, numbers] : cases) {
        profiles::NumberList<16> list;
        list.numbers[0] = 42;
        EXPECT_EQ(profiles::ParseNumberList(value, list.numbers), result) << value;
        EXPECT_EQ(std::vector<std::int32_t>(list.numbers.begin(), list.numbers.begin() + numbers.size()), numbers)
            << value;
        EXPECT_EQ(list.At(-1), 0);
    }
}
