#include "ini/PrivateProfile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using testing_support::TestFolder;

TEST(PrivateProfile, ReadsWithWindowsRules)
{
    TestFolder folder;
    folder.Write("s.ini",
                 "; comment\r\n"
                 "[Main]\r\n"
                 "  OutputFolder  =  /home/u/Out/  \r\n"
                 "Quoted=\"  padded  \"\r\n"
                 "Junk=12abc\r\n"
                 "Text=abc\r\n"
                 "[ other ]\n"
                 "key=x\n");
    ini::PrivateProfile profile(folder.Path() + "s.ini");
    EXPECT_EQ(profile.GetString("main", "outputfolder", "d"), "/home/u/Out/");
    EXPECT_EQ(profile.GetString("MAIN", "Quoted", "d"), "  padded  ");
    EXPECT_EQ(profile.GetString("Main", "missing", "fallback"), "fallback");
    EXPECT_EQ(profile.GetString("Main", "OutputFolder", "", 5), "/home");
    EXPECT_EQ(profile.GetInt("Main", "Junk", 7), 12);
    EXPECT_EQ(profile.GetInt("Main", "Text", 7), 0);
    EXPECT_EQ(profile.GetInt("Main", "missing", 7), 7);
    EXPECT_EQ(profile.GetString("Other", "KEY", ""), "x");
    EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"Main", "other"}));

    ini::PrivateProfile missing(folder.Path() + "none.ini");
    EXPECT_EQ(missing.GetString("a", "b", "d"), "d");
    EXPECT_TRUE(missing.SectionNames().empty());
}

TEST(PrivateProfile, WritesKeepEverythingElse)
{
    TestFolder folder;
    folder.Write("s.ini",
                 "; kept comment\n"
                 "[main]\n"
                 "OutputFolder=/old/\n"
                 "Unknown=kept\n"
                 "\n"
                 "[Gone Profile]\n"
                 "video_quality=3\n");
    const std::string path = folder.Path() + "s.ini";
    ini::PrivateProfile profile(path);
    profile.SetString("MAIN", "outputfolder", "/new/");
    profile.SetInt("main", "Volume", 8);
    profile.SetInt("New Section", "psp_id", 1);
    // Lines added above a key must not lose it: reads and writes after the
    // additions find the lines where they now are.
    EXPECT_EQ(profile.GetString("gone profile", "VIDEO_QUALITY", ""), "3");
    EXPECT_EQ(profile.GetInt("Main", "volume", 0), 8);
    EXPECT_EQ(profile.GetInt("new section", "PSP_ID", 0), 1);
    profile.SetInt("Gone Profile", "video_quality", 4);
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(folder.Read("s.ini"),
              "; kept comment\r\n"
              "[main]\r\n"
              "OutputFolder=/new/\r\n"
              "Unknown=kept\r\n"
              "Volume=8\r\n"
              "\r\n"
              "[Gone Profile]\r\n"
              "video_quality=4\r\n"
              "[New Section]\r\n"
              "psp_id=1\r\n");
    EXPECT_TRUE(ini::WritePrivateProfileString("main", "Volume", "4", path));
    EXPECT_EQ(ini::GetPrivateProfileInt("main", "volume", 0, path), 4);
    EXPECT_EQ(ini::GetPrivateProfileString("Gone Profile", "video_quality", "", path), "4");
}

TEST(PrivateProfile, FailedSaveLeavesTheOldFileWhole)
{
    TestFolder folder;
    folder.Write("dir/s.ini", "[main]\nVolume=3\n");
    const std::string path = folder.Path() + "dir/s.ini";
    ini::PrivateProfile profile(path);
    profile.SetInt("main", "Volume", 5);
    ::chmod((folder.Path() + "dir").c_str(), 0500);
    if (::geteuid() != 0) {
        EXPECT_FALSE(profile.Save());
        EXPECT_EQ(folder.Read("dir/s.ini"), "[main]\nVolume=3\n");
    }
    ::chmod((folder.Path() + "dir").c_str(), 0700);

    // A target that cannot be replaced (a folder in its place) fails and leaves no temp file.
    folder.Make("blocked/s.ini/x");
    ini::PrivateProfile blocked(folder.Path() + "blocked/s.ini");
    blocked.SetInt("main", "Volume", 1);
    EXPECT_FALSE(blocked.Save());
    EXPECT_EQ(testing_support::FileNames(folder.Path() + "blocked"), std::vector<std::string>{"s.ini"});
}
