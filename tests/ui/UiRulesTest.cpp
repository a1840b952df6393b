// Rules of the main window that need no screen.
#include "lang/IniTextFile.h"
#include "support/TestFolder.h"
#include "ui/FormatRules.h"
#include "ui/MainCommands.h"
#include "ui/ShellTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

using ui::Command;

TEST(ContextMenu, Greying)
{
    using C = Command;
    const struct {
        int rows;
        std::vector<int> selected;
        std::vector<Command> greyed;
    } cases[] = {
        {0, {}, {C::Remove, C::SplitVideo, C::Subtitle, C::Properties, C::MoveUp, C::MoveDown, C::RemoveAll,
                 C::CheckAll, C::UncheckAll}},
        {3, {}, {C::Remove, C::SplitVideo, C::Subtitle, C::Properties, C::MoveUp, C::MoveDown}},
        {3, {0}, {C::MoveUp}},
        {3, {1}, {}},
        {3, {2}, {C::MoveDown}},
        {1, {0}, {C::MoveDown, C::MoveUp}},
        {3, {0, 1}, {C::MoveUp, C::SplitVideo, C::Subtitle, C::Properties}},
        {4, {1, 3}, {C::MoveDown, C::SplitVideo, C::Subtitle, C::Properties}},
    };
    for (const auto& c : cases) {
        std::vector<Command> greyed = ui::GreyedMenuCommands(c.rows, c.selected);
        std::vector<Command> expected = c.greyed;
        std::sort(greyed.begin(), greyed.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(greyed, expected) << c.rows << " rows, " << c.selected.size() << " selected";
    }
}

TEST(ContextMenu, GuardedCommands)
{
    for (Command open : {Command::Properties, Command::Stop, Command::About, Command::Home, Command::Help,
                         Command::ChangeFolder, Command::OpenFolder, Command::Advanced})
        EXPECT_FALSE(ui::IsGuarded(open)) << static_cast<int>(open);
    for (Command guarded : {Command::AddFiles, Command::AddFolder, Command::Remove, Command::RemoveAll,
                            Command::MoveUp, Command::MoveDown, Command::CheckAll, Command::UncheckAll,
                            Command::SplitVideo, Command::Subtitle, Command::Convert, Command::Settings,
                            Command::Exit, Command::DropFiles})
        EXPECT_TRUE(ui::IsGuarded(guarded)) << static_cast<int>(guarded);
}

TEST(FormatList, RowsAndExtraRow)
{
    const std::vector<bool> six(6, true);
    EXPECT_EQ(ui::ExtraRowOf(six), ui::ExtraFormatRow::None);
    EXPECT_EQ(ui::ExtraRowOf(std::vector<bool>(7, true)), ui::ExtraFormatRow::Hide);

    // Eight profiles, 1 and 3 hidden: six rows and "More".
    const std::vector<bool> eight = {true, false, true, false, true, true, true, true};
    EXPECT_EQ(ui::ExtraRowOf(eight), ui::ExtraFormatRow::More);
    EXPECT_EQ(ui::RowOfProfile(eight, 5), 3);
    EXPECT_EQ(ui::RowOfProfile(eight, 0), 0);
    EXPECT_EQ(ui::RowOfProfile(eight, 7), 5);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(ui::RowOfProfile(eight, ui::ProfileOfRow(eight, row)), row);
    EXPECT_EQ(ui::ProfileOfRow(eight, 3), 5);
    EXPECT_EQ(ui::ProfileOfRow(eight, 6), 8);   // the More row names no profile
    EXPECT_EQ(ui::ProfileOfRow(eight, -1), 8);  // nothing selected
}

TEST(ShellTexts, CountdownReplacesEveryThirty)
{
    EXPECT_EQ(ui::CountdownText("Shut down after 30 seconds.", 29), "Shut down after 29 seconds.");
    EXPECT_EQ(ui::CountdownText("30 / 30", 0), "0 / 0");
    EXPECT_EQ(ui::CountdownText("Gleich geht es los.", 12), "Gleich geht es los.");
    EXPECT_EQ(ui::CountdownText("330", 5), "35");
}

TEST(ShellTexts, LanguageToSelect)
{
    EXPECT_EQ(ui::LanguageIndexToSelect({}, "English"), -1);
    EXPECT_EQ(ui::LanguageIndexToSelect({"English", "English_UK", "German"}, "English"), 0);
    EXPECT_EQ(ui::LanguageIndexToSelect({"English_UK", "English_US", "German"}, "English"), 1);
    EXPECT_EQ(ui::LanguageIndexToSelect({"English", "German"}, "Klingon"), 0);
}

TEST(ShellTexts, LanguageNamesAreTheIniFiles)
{
    testing_support::TestFolder folder;
    folder.Write("Languages/German.ini", "");
    folder.Write("Languages/English.ini", "");
    folder.Write("Languages/readme.txt", "");
    EXPECT_EQ(ui::LanguageNames(folder.Path()), (std::vector<std::string>{"English", "German"}));
    EXPECT_TRUE(ui::LanguageNames(folder.Path() + "nowhere/").empty());
}

TEST(ShellTexts, TotalsLine)
{
    testing_support::TestFolder folder;
    folder.Write("lang.ini", "[MainDialog]\nTotal Files Number=Files: \nTotal Duration=Duration: \n");
    ASSERT_TRUE(lang::LanguageTable().LoadFile(folder.Path() + "lang.ini"));
    EXPECT_EQ(ui::TotalsLine(3, 3725.9), "Files: 3      Duration: 01:02:05");
}
