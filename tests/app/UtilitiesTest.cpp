#include "app/Application.h"
#include "app/Utilities.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <string>
#include <vector>

using testing_support::TestFolder;

TEST(Utilities, ClockTexts)
{
    struct Case {
        double seconds;
        const char* clock;
        const char* compact;
    } cases[] = {
        {0, "00:00:00", "000000"},
        {59.99, "00:00:59", "000059"},
        {3725.9, "01:02:05", "010205"},
        {360000, "100:00:00", "1000000"},
        {-5, "00:00:00", "000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::SecondsToClock(c.seconds), c.clock) << c.seconds;
        EXPECT_EQ(app::SecondsToCompactClock(c.seconds), c.compact) << c.seconds;
    }
    EXPECT_EQ(app::CompactClockToSeconds("010205"), 3725);
    EXPECT_EQ(app::CompactClockToSeconds("995959"), 99 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(app::CompactClockToSeconds("0102"), 0) << "too short to hold three numbers";
}

TEST(Utilities, PathTexts)
{
    EXPECT_EQ(app::DirectoryOfPath("/home/u/My Videos/a.b.avi"), "/home/u/My Videos/");
    EXPECT_EQ(app::DirectoryOfPath("/a.avi"), "/");
    EXPECT_EQ(app::DirectoryOfPath("a.avi"), "");
    EXPECT_EQ(app::DoubleBackslashes("C:\\a\\b.avi"), "C:\\\\a\\\\b.avi");
}

TEST(Utilities, ExistenceAndCreatingFolderPaths)
{
    TestFolder folder;
    EXPECT_EQ(app::FileExists(""), 0);
    EXPECT_EQ(app::FileExists(folder.Path()), 1);
    EXPECT_EQ(app::DirectoryExists(folder.Path() + "Out/A/B/"), 0);

    ASSERT_EQ(app::CreateDirectoryPath(folder.Path() + "Out"), 1);
    ASSERT_EQ(app::CreateDirectoryPath(folder.Path() + "Out/A/B/"), 1);
    EXPECT_EQ(app::DirectoryExists(folder.Path() + "Out/A/B/"), 1);
    ASSERT_EQ(app::CreateDirectoryPath(folder.Path() + "Out/A/B/"), 1) << "existing levels are fine";

    const std::string blanks = folder.Path() + "  odd 'name' \"ü\"/-dash/";
    EXPECT_EQ(app::CreateDirectoryPath(blanks), 1);
    EXPECT_EQ(app::DirectoryExists(blanks), 1);

    folder.Write("file", "x");
    EXPECT_EQ(app::CreateDirectoryPath(folder.Path() + "file/sub/"), 0) << "a plain file is in the way";
    EXPECT_EQ(app::DirectoryExists(folder.Path() + "file"), 0);
}

TEST(Utilities, SizesInSixtyFourBits)
{
    TestFolder folder;
    auto sized = [&](const char* name, unsigned long long bytes) {
        std::string path = folder.Path() + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_EQ(::ftruncate(fileno(file), static_cast<off_t>(bytes)), 0);
        std::fclose(file);
        return path;
    };
    const unsigned long long mb = 1048576;
    EXPECT_EQ(app::FileSizeText(sized("a", 1536 * mb)), "1.50 GB");
    EXPECT_EQ(app::FileSizeText(sized("b", 1023 * mb + mb * 99 / 100)), "1023.99 MB");
    EXPECT_EQ(app::FileSizeText(sized("c", 0)), "0.00 MB");
    EXPECT_EQ(app::FileSize(sized("d", 6ull << 30)), static_cast<std::int64_t>(6ull << 30));
    EXPECT_EQ(app::FileSize(folder.Path() + "missing"), -1);
    EXPECT_EQ(app::FreeSpaceMB(folder.Path() + "missing/"), -1);
    EXPECT_GE(app::FreeSpaceMB(folder.Path()), 0);
}

TEST(Utilities, WorkingFoldersAreNewAndOnlyTheyCanBeDeleted)
{
    namespace fs = std::filesystem;
    TestFolder folder;
    fs::create_directories(folder.Path() + "out");
    const std::string made = app::MakeWorkingFolder(folder.Path() + "out/");
    ASSERT_TRUE(app::IsWorkingFolder(made)) << made;
    EXPECT_EQ(made.rfind(folder.Path() + "out/__tempFolder__", 0), 0u) << made;
    EXPECT_EQ(made.size(), (folder.Path() + "out/__tempFolder__" + std::to_string(::getuid()) + "-" +
                             std::to_string(::getpid()) + "-123456/")
                                .size());
    EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
    const std::string second = app::MakeWorkingFolder(folder.Path() + "out/");
    EXPECT_NE(second, made) << "each call makes a folder of its own";
    EXPECT_EQ(app::MakeWorkingFolder(folder.Path() + "missing/"), "");

    folder.Write("out/__tempFolder__/mine.avi", "the user's");
    folder.Write("out/__tempFolder__file01", "a file, not a folder");
    fs::create_directory_symlink(folder.Path() + "out/__tempFolder__", folder.Path() + "out/__tempFolder__link01");
    const std::string out = folder.Path() + "out/";
    for (const std::string& refused :
         {std::string(), std::string("__tempFolder__abc123/"), out, out + "__tempFolder__/", out + "__tempFolder__ab12/",
          out + "__tempFolder__abc1234/", out + "__tempFolder__ab-123/", made.substr(0, made.size() - 1),
          out + "__tempFolder__file01/", out + "__tempFolder__link01/"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(app::IsWorkingFolder(refused));
        EXPECT_EQ(app::DeleteFolder(refused), 0);
    }
    EXPECT_EQ(folder.Read("out/__tempFolder__/mine.avi"), "the user's");
    EXPECT_TRUE(fs::is_regular_file(out + "__tempFolder__file01"));
    EXPECT_TRUE(fs::is_symlink(out + "__tempFolder__link01"));

    folder.Write(made.substr(folder.Path().size()) + "part/001.avi", "data");
    EXPECT_EQ(app::DeleteFolder(made), 1);
    EXPECT_FALSE(fs::exists(made));
    EXPECT_TRUE(fs::is_directory(second));
}

TEST(Utilities, FoldersFollowTheProgramDirectoryAndSharedName)
{
    TestFolder folder;
    app::ApplicationValues saved = app::Application();
    app::Application().programDirectory = folder.Path() + "prog/";
    app::Application().appSharedName = "My_App";
    EXPECT_EQ(app::ProgramDirectory(), folder.Path() + "prog/");
    EXPECT_EQ(app::WindowsDirectory(), folder.Path() + "prog/system/");
    EXPECT_EQ(app::TempDirectory(), folder.Path() + "runtime/My_App/");
    EXPECT_EQ(app::SystemDirectory(), app::TempDirectory());
    app::Application() = saved;
}

// A folder holding app.ini keeps data and tools beside the executables (a
// build folder, a portable copy); installed executables find them in the
// share/ and libexec/ folders of their prefix.
TEST(Utilities, DataAndToolFoldersOfEachLayout)
{
    struct Case {
        const char* layout;
        std::vector<std::string> files;
        const char* data;
        const char* tools;
    } cases[] = {
        {"build folder", {"bin/app.ini"}, "bin/", "bin/"},
        {"portable copy in an install", {"bin/app.ini", "share/diziv/app.ini"}, "bin/", "bin/"},
        {"installed", {"share/diziv/app.ini", "share/diziv/dsp_data.dll"}, "share/diziv/", "libexec/diziv/"},
        {"installed without data", {"share/diziv/dsp_data.dll"}, "bin/", "bin/"},
    };
    app::ApplicationValues saved = app::Application();
    for (const Case& c : cases) {
        TestFolder folder;
        const std::string prefix = folder.Path() + "usr/";
        for (const std::string& file : c.files)
            folder.Write("usr/" + file, "[main]\nAppName=Layout\n");
        app::Application().programDirectory = prefix + "bin/";
        EXPECT_EQ(app::DataDirectory(), prefix + c.data) << c.layout;
        EXPECT_EQ(app::ToolDirectory(), prefix + c.tools) << c.layout;
        EXPECT_EQ(app::WindowsDirectory(), prefix + c.data + "system/") << c.layout;
        EXPECT_EQ(app::ProgramDirectory(), prefix + "bin/") << c.layout;
    }
    app::Application() = saved;
}
