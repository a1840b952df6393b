#include "lang/IniTextFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using testing_support::TestFolder;

namespace {

lang::IniTextFile Loaded(const TestFolder& folder, const std::string& content)
{
    folder.Write("lang.ini", content);
    lang::IniTextFile file;
    EXPECT_TRUE(file.LoadFile(folder.Path() + "lang.ini"));
    return file;
}

}  // namespace

TEST(IniTextFile, LineRules)
{
    TestFolder folder;
    lang::IniTextFile file = Loaded(folder,
                                    "orphan=before any section\n"
                                    "; comment=ignored\n"
                                    "\n"
                                    "[MainDialog]\r\n"
                                    "Status OK = Fertig\r\n"
                                    "No equals sign here\n"
                                    "Twice=first\n"
                                    "Twice=second\n"
                                    "Escape=a\\nb\n"
                                    "[[Other]]\n"
                                    "Key=other\n"
                                    "[MainDialog]\n"
                                    "Later=continues the first section\n"
                                    "[ MainDialog ]\n"
                                    "Spaced=inside brackets\n"
                                    "[Trailing] \n"
                                    "Last=no final line feed");
    EXPECT_EQ(file.GetValue("", "orphan"), "before any section");
    EXPECT_EQ(file.GetValue("", "; comment"), "");
    EXPECT_EQ(file.GetValue("MainDialog", "Status OK"), " Fertig") << "text keeps its leading blank";
    EXPECT_EQ(file.GetValue("MainDialog", "Status OK   "), " Fertig") << "trailing blanks of the asked key";
    EXPECT_EQ(file.GetValue("MainDialog", "No equals sign here"), "");
    EXPECT_EQ(file.GetValue("MainDialog", "Twice"), "second");
    EXPECT_EQ(file.GetValue("MainDialog", "Escape"), "a\\nb");
    EXPECT_EQ(file.GetValue("Other", "Key"), "other") << "all brackets stripped";
    EXPECT_EQ(file.GetValue("MainDialog", "Later"), "continues the first section");
    EXPECT_EQ(file.GetValue(" MainDialog ", "Spaced"), "inside brackets");
    EXPECT_EQ(file.GetValue("MainDialog", "Spaced"), "");
    EXPECT_EQ(file.GetValue(" MainDialog ", "Last"), "no final line feed")
        << "a header with a blank after ] is no header";
    EXPECT_EQ(file.GetValue("mainDialog", "Later"), "") << "names are case-sensitive";
}

TEST(IniTextFile, ReloadRules)
{
    TestFolder folder;
    lang::IniTextFile file = Loaded(folder, "[S]\nK=v\n");
    EXPECT_FALSE(file.LoadFile(folder.Path() + "missing.ini"));
    EXPECT_EQ(file.GetValue("S", "K"), "v") << "a missing file leaves the old table";

    folder.Write("locked.ini", "[S]\nK=other\n");
    ::chmod((folder.Path() + "locked.ini").c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(file.LoadFile(folder.Path() + "locked.ini"));
        EXPECT_EQ(file.GetValue("S", "K"), "") << "an unreadable file empties the table";
    }

    EXPECT_FALSE(file.SetValue("New", "K", "x", false));
    EXPECT_TRUE(file.SetValue("New", "K", "x", true));
    EXPECT_EQ(file.GetValue("New", "K"), "x");
}

TEST(IniTextFile, OverlongLineEndsTheReading)
{
    TestFolder folder;
    lang::IniTextFile file = Loaded(folder, "[S]\nA=kept\nB=" + std::string(2045, 'x') + "\nC=" +
                                                std::string(2046, 'y') + "\nD=lost\n");
    EXPECT_EQ(file.GetValue("S", "A"), "kept");
    EXPECT_EQ(file.GetValue("S", "B").size(), 2045u) << "2047 characters is still one line";
    EXPECT_EQ(file.GetValue("S", "C"), "");
    EXPECT_EQ(file.GetValue("S", "D"), "");
}
