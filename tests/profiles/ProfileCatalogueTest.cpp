#include "profiles/ProfileCatalogue.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testing_support::TestFolder;

namespace {

// Writes readable profile data, scrambles it into "dsp_data.dll" and loads
// it through the readable copy "copy.bin".
class CatalogueFiles : public ::testing::Test {
protected:
    profiles::UnscrambleStatus Load(const std::string& readable)
    {
        folder_.Write("plain.ini", readable);
        profiles::UnscrambleFile(Path("plain.ini"), profiles::kProfileKey, Path("dsp_data.dll"));
        return profiles::LoadProfileCatalogue(catalogue_, Path("dsp_data.dll"), Path("copy.bin"));
    }
    std::string Path(const std::string& name) const { return folder_.Path() + name; }

    TestFolder folder_;
    profiles::ProfileCatalogue catalogue_;
};

}  // namespace

TEST_F(CatalogueFiles, ReadsEverySectionInFileOrder)
{
    const std::string longCommand(1100, 'c');
    ASSERT_EQ(Load("[Second]\r\n"
                   "profile_shortname=generic-0123456789012345678901234567890\r\n"
                   "file_extname=.abcdefghij\r\n"
                   "video_bitrate={1200, 800}\r\n"
                   "video_aspect=4:3\r\n"
                   "flag_onlyaudio=yesterday\r\n"
                   "flag_psp=Yes\r\n"
                   "command1=" + std::string(1100, 'c') + "\r\n"
                   "joincmd=" + std::string(300, 'j') + "\r\n"
                   "[First]\r\n"
                   "flag_psp=yes\r\n"),
              profiles::UnscrambleStatus::Done);
    EXPECT_FALSE(std::filesystem::exists(Path("copy.bin")));
    ASSERT_EQ(catalogue_.Count(), 2);

    const profiles::OutputProfile& second = *catalogue_.Profile(0);
    EXPECT_EQ(second.name, "Second");
    EXPECT_EQ(second.profile_shortname, "generic-01234567890123456789012");
    EXPECT_EQ(second.file_extname, ".abcdef");
    EXPECT_EQ(second.video_bitrate.At(1), 800);
    EXPECT_EQ(second.video_aspect.Count(), 0) << "a value without a brace is no list";
    EXPECT_EQ(second.flag_onlyaudio, 1);
    EXPECT_EQ(second.flag_psp, 0);
    EXPECT_EQ(second.command1.size(), 1023u);
    EXPECT_EQ(second.command2, "");
    EXPECT_EQ(second.joincmd.size(), 255u);

    EXPECT_EQ(catalogue_.Profile(1)->flag_psp, 1);
    EXPECT_EQ(catalogue_.Profile(2), nullptr);
    EXPECT_EQ(catalogue_.Profile(-1), nullptr);
    EXPECT_EQ(catalogue_.Choice(2), nullptr);
    EXPECT_EQ(catalogue_.Choice(0)->showprofile, 1);
    EXPECT_EQ(catalogue_.Choice(0)->video_letterbox, 1);
}

TEST_F(CatalogueFiles, HoldsAtMostSixtyThreeProfiles)
{
    std::string readable;
    for (int i = 0; i < 70; ++i)
        readable += "[Profile " + std::to_string(i) + "]\nprofile_shortname=generic-" + std::to_string(i) + "\n";
    ASSERT_EQ(Load(readable), profiles::UnscrambleStatus::Done);
    ASSERT_EQ(catalogue_.Count(), 63);
    EXPECT_EQ(catalogue_.Profile(62)->name, "Profile 62");
    EXPECT_FALSE(catalogue_.Add(profiles::OutputProfile{}));
    EXPECT_EQ(catalogue_.Count(), 63);
}

TEST_F(CatalogueFiles, GarbageDataGivesNoCrash)
{
    std::string garbage;
    for (int i = 0; i < 50000; ++i)
        garbage += static_cast<char>((i * 7919 + i / 13) % 256);
    garbage += "\n[\n[]\n[ ]\n=x\n[Late\nvideo_size={" + std::string(5000, ',') + "\n";
    ASSERT_EQ(Load(garbage), profiles::UnscrambleStatus::Done);
    for (int i = 0; i < catalogue_.Count(); ++i)
        EXPECT_FALSE(catalogue_.Profile(i)->name.empty());
}

TEST_F(CatalogueFiles, FailureLeavesTheCatalogueEmpty)
{
    ASSERT_EQ(Load("[A]\n"), profiles::UnscrambleStatus::Done);
    ASSERT_EQ(catalogue_.Count(), 1);
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, Path("missing.dll"), Path("copy.bin")),
              profiles::UnscrambleStatus::CannotOpenInput);
    EXPECT_EQ(catalogue_.Count(), 0);
}
