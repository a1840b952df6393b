// The shipped profile data spoilt in many ways: cut short, replaced by
// garbage, single bits flipped. Loading gives the message that names the
// damage or a whole catalogue, never a crash; the sanitizer build runs these
// too. The random cases come from fixed seeds, so every run sees the same.
#include "profiles/ProfileCatalogue.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DamagedData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shipped_ = ReadFile(PROGRAM_DIR "dsp_data.dll");
        testing_support::TestFolder folder;
        profiles::UnscrambleFile(PROGRAM_DIR "dsp_data.dll", profiles::kProfileKey, folder.Path() + "plain.ini");
        readable_ = ReadFile(folder.Path() + "plain.ini");
    }

    std::string Load(const std::string& scrambled)
    {
        std::ofstream(folder_.Path() + "dsp_data.dll", std::ios::binary) << scrambled;
        return profiles::LoadProfileCatalogue(catalogue_, folder_.Path() + "dsp_data.dll", folder_.Path() + "copy.bin");
    }

    // Profiles, lines and the end of the last line in the first length bytes of the readable data.
    static int Profiles(std::size_t length) { return Count("\n[", length); }
    static int Lines(std::size_t length) { return Count("\n", length) + 1; }
    static bool EndsALine(std::size_t length) { return length == 0 || readable_[length - 1] == '\n'; }

    static std::string shipped_;
    static std::string readable_;
    testing_support::TestFolder folder_;
    profiles::ProfileCatalogue catalogue_;

private:
    static int Count(const std::string& piece, std::size_t length)
    {
        int count = 0;
        for (std::size_t at = readable_.find(piece); at != std::string::npos && at + piece.size() <= length;
             at = readable_.find(piece, at + 1))
            ++count;
        return count;
    }
};

std::string DamagedData::shipped_;
std::string DamagedData::readable_;

}  // namespace

TEST_F(DamagedData, TheShippedDataIsWhole)
{
    ASSERT_EQ(shipped_.size(), readable_.size());
    ASSERT_EQ(Load(shipped_), "");
    EXPECT_EQ(catalogue_.Count(), Profiles(readable_.size()));
}

// A cut inside a line names that line; a cut between lines leaves the
// profiles before it whole, or names the first one that lost a key.
TEST_F(DamagedData, CutShort)
{
    std::vector<std::size_t> lengths{0, 1, 7, 8, 9, shipped_.size() - 2, shipped_.size() - 1};
    for (std::size_t at = readable_.find("\n[", 1); at != std::string::npos; at = readable_.find("\n[", at + 1))
        lengths.insert(lengths.end(), {at - 1, at, at + 1, at + 2});
    for (std::size_t length = 13; length < shipped_.size(); length += 1009)
        lengths.push_back(length);

    for (const std::size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string problem = Load(shipped_.substr(0, length));
        if (!EndsALine(length))
            EXPECT_EQ(problem, "is damaged: it ends in the middle of line " + std::to_string(Lines(length)));
        else if (Profiles(length) == 0)
            EXPECT_EQ(problem, "is damaged: it holds no profile");
        else if (problem.empty())
            EXPECT_EQ(catalogue_.Count(), Profiles(length)) << "every profile before the cut is whole";
        else
            EXPECT_EQ(problem.rfind("is damaged: profile " + std::to_string(Profiles(length)) + " ", 0), 0u)
                << problem;
        if (!problem.empty()) {
            EXPECT_EQ(catalogue_.Count(), 0);
        }
    }
}

TEST_F(DamagedData, Garbage)
{
    std::mt19937 random(20240611);
    for (const std::size_t length : {1u, 2u, 100u, 4096u, 70000u}) {
        SCOPED_TRACE(length);
        std::string garbage(length, '\0');
        std::generate(garbage.begin(), garbage.end(), [&] { return static_cast<char>(random()); });
        EXPECT_EQ(Load(garbage).rfind("is damaged: ", 0), 0u);
        EXPECT_EQ(catalogue_.Count(), 0);

        std::string text(length, '\n');
        std::generate(text.begin(), text.end(), [&] { return "[]=;{},ab \r\n"[random() % 12]; });
        std::string scrambled = text;
        profiles::ProfileScrambler(profiles::kProfileKey).Apply(scrambled.data(), scrambled.size());
        EXPECT_EQ(Load(scrambled).rfind("is damaged: ", 0), 0u) << "text that looks like profile data";
        EXPECT_EQ(catalogue_.Count(), 0);
    }
}

// A flipped bit either shows (the message) or changes a value within what
// the program can use (a whole catalogue with every profile).
TEST_F(DamagedData, FlippedBits)
{
    std::mt19937 random(4711);
    const int whole = Profiles(readable_.size());
    int named = 0;
    constexpr int kFlips = 300;
    for (int flip = 0; flip < kFlips; ++flip) {
        const std::size_t at = random() % shipped_.size();
        const int bit = static_cast<int>(random() % 8);
        SCOPED_TRACE("bit " + std::to_string(bit) + " of byte " + std::to_string(at));
        std::string spoilt = shipped_;
        spoilt[at] = static_cast<char>(spoilt[at] ^ (1 << bit));
        const std::string problem = Load(spoilt);
        if (problem.empty()) {
            EXPECT_EQ(catalogue_.Count(), whole);
        } else {
            EXPECT_EQ(problem.rfind("is damaged: ", 0), 0u) << problem;
            EXPECT_EQ(catalogue_.Count(), 0);
            ++named;
        }
    }
    EXPECT_GT(named, kFlips / 4) << "most flips land in a name, key or number that shows them";
}
