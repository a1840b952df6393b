#include "profiles/ProfileScrambler.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using profiles::UnscrambleStatus;

namespace {

std::string Scrambled(std::string bytes)
{
    profiles::ProfileScrambler(profiles::kProfileKey).Apply(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

// Zero bytes show the key byte used at each position: 0..6, then key[0]
// once more, so the pattern repeats every 8 bytes, also across calls.
TEST(ProfileScrambler, UsesKeyPositionsWithAPeriodOfEight)
{
    EXPECT_EQ(Scrambled(std::string(17, '\0')), "k%u!r^zkk%u!r^zkk");
    profiles::ProfileScrambler split(profiles::kProfileKey);
    std::string bytes(17, '\0');
    split.Apply(bytes.data(), 5);
    split.Apply(bytes.data() + 5, 12);
    EXPECT_EQ(bytes, Scrambled(std::string(17, '\0')));
}

TEST(ProfileScrambler, FileRoundTripGivesBackEveryByte)
{
    testing_support::TestFolder folder;
    const std::string path = folder.Path();
    std::string original = "\r\n\n\r\x1a";
    for (int i = 0; i < 10000; ++i)
        original += static_cast<char>((i * 131 + i / 7) % 256);
    folder.Write("plain.ini", original);
    ASSERT_EQ(profiles::UnscrambleFile(path + "plain.ini", profiles::kProfileKey, path + "data.dll"), UnscrambleStatus::Done);
    ASSERT_EQ(profiles::UnscrambleFile(path + "data.dll", profiles::kProfileKey, path + "back.ini"), UnscrambleStatus::Done);
    EXPECT_EQ(folder.Read("data.dll"), Scrambled(original));
    EXPECT_EQ(folder.Read("back.ini"), original);

    folder.Write("empty.ini", "");
    ASSERT_EQ(profiles::UnscrambleFile(path + "empty.ini", profiles::kProfileKey, path + "back.ini"), UnscrambleStatus::Done);
    EXPECT_TRUE(std::filesystem::exists(path + "back.ini"));
    EXPECT_EQ(folder.Read("back.ini"), "") << "old content is truncated";
}

TEST(ProfileScrambler, FilesThatCannotBeOpenedAreReported)
{
    testing_support::TestFolder folder;
    const std::string path = folder.Path();
    folder.Write("plain.ini", "[a]\n");
    EXPECT_EQ(profiles::UnscrambleFile(path + "missing", profiles::kProfileKey, path + "out"), UnscrambleStatus::CannotOpenInput);
    EXPECT_EQ(profiles::UnscrambleFile(path, profiles::kProfileKey, path + "out"), UnscrambleStatus::CannotOpenInput);
    EXPECT_FALSE(std::filesystem::exists(path + "out"));
    EXPECT_EQ(profiles::UnscrambleFile(path + "plain.ini", profiles::kProfileKey, path + "no/such/out"),
              UnscrambleStatus::CannotOpenOutput);
}
