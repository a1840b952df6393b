#include "app/FolderChecks.h"
#include "app/Utilities.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using testing_support::RecordingDialogs;
using testing_support::TestFolder;

TEST(FolderChecks, FolderNames)
{
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"My Videos", true}, {"Видео", true},     {"-out", true},         {"in.side", true},
        {"", false},         {" lead", false},    {"trail ", false},      {"\tTab", false},
        {".hidden", false},  {"dots.", false},    {"..", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::IsValidFolderName(c.name), c.valid) << '"' << c.name << '"';
    for (char forbidden : std::string("\\:*?\"<>|"))
        EXPECT_FALSE(app::IsValidFolderName(std::string("a") + forbidden + "b")) << forbidden;
}

TEST(FolderChecks, PathSyntaxCheckOnly)
{
    const struct {
        const char* path;
        int result;
    } cases[] = {
        {"/", app::kPathValid},
        {"/home/user/Videos", app::kPathValid},
        {"/home/user/Videos/", app::kPathInvalid},  // a final separator only on the root
        {"relative/path", app::kPathInvalid},
        {"", app::kPathInvalid},
        {"/home/ lead", app::kPathInvalid},
        {"/home/what?", app::kPathInvalid},
        {"/home//double", app::kPathInvalid},
        {"/home/../etc", app::kPathInvalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::CheckPathSyntax(c.path, app::PathCheckMode::CheckOnly), c.result) << c.path;
}

TEST(FolderChecks, ValidateFolderMessages)
{
    TestFolder folder;
    RecordingDialogs dialogs;
    const std::string existing = folder.Path() + "home";
    EXPECT_EQ(app::ValidateFolder(existing, dialogs), app::kPathValid);
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_EQ(app::ValidateFolder(existing + "/", dialogs), app::kPathInvalid);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "The folder:\n\n" + existing + "/\n\nis invalid. Please reenter.");

    const std::string missing = folder.Path() + "New Folder/Every Level";
    dialogs.shown.clear();
    EXPECT_EQ(app::ValidateFolder(missing, dialogs), app::kPathDeclined);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_EQ(dialogs.shown[0].text,
              "The folder:\n\n" + missing + "\n\ndoes not exist. Do you want the folder to be created?");
    EXPECT_FALSE(app::DirectoryExists(missing));

    dialogs.Answer(true);
    EXPECT_EQ(app::ValidateFolder(missing, dialogs), app::kPathValid);
    EXPECT_TRUE(app::DirectoryExists(missing));

    folder.Write("blocker", "");
    dialogs.shown.clear();
    dialogs.Answer(true);
    const std::string blocked = folder.Path() + "blocker/sub";
    EXPECT_EQ(app::ValidateFolder(blocked, dialogs), app::kPathNotCreated);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "The folder:\n\n" + blocked + "\n\ncan not be created. Please double check.");
}
