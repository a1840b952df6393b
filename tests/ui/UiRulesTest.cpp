// Rules of the main window that need no screen.
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

TEST(FormatList, RowsAndExtraRow)
{
    const std::vector<bool> six(6, true);
    EXPECT_EQ(ui::ExtraRowOf(six), ui::ExtraFormatRow::None);
    EXPECT_EQ(ui::ExtraRowOf(std::vector<bool>(7, true)), ui::ExtraFormatRow::Hide);

    // Eight profiles, 1 and 3 hidden: six rows and "More".
    const std::vector<bool> eight = {true, false, true, false, true, true, true, true};
    EXPECT_EQ(ui::ExtraRowOf(eight), ui::ExtraFormatRow::More);
    const std::vector<int> slotOrder = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(ui::RowOfProfile(slotOrder, eight, 5), 3);
    EXPECT_EQ(ui::RowOfProfile(slotOrder, eight, 0), 0);
    EXPECT_EQ(ui::RowOfProfile(slotOrder, eight, 7), 5);
    EXPECT_EQ(ui::RowOfProfile(slotOrder, eight, 3), 2) << "a hidden profile gives the row of the next one";
    EXPECT_EQ(ui::RowOfProfile(slotOrder, eight, 40), -1) << "a slot beyond the catalogue selects nothing";
    EXPECT_EQ(ui::ProfileOfRow(slotOrder, eight, 3), 5);
    EXPECT_EQ(ui::ProfileOfRow(slotOrder, eight, 6), 8);   // the More row names no profile
    EXPECT_EQ(ui::ProfileOfRow(slotOrder, eight, -1), 8);  // nothing selected

    // Slots 6 and 7 appended to the first family: listed after slot 2.
    const std::vector<int> familyOrder = {0, 1, 2, 6, 7, 3, 4, 5};
    EXPECT_EQ(ui::RowOfProfile(familyOrder, eight, 6), 2);
    EXPECT_EQ(ui::RowOfProfile(familyOrder, eight, 4), 4);
    EXPECT_EQ(ui::RowOfProfile(familyOrder, eight, 3), 4) << "hidden: the row of the next one listed";
    EXPECT_EQ(ui::ProfileOfRow(familyOrder, eight, 5), 5);
    for (const auto& order : {slotOrder, familyOrder}) {
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(ui::RowOfProfile(order, eight, ui::ProfileOfRow(order, eight, row)), row);
        }
    }
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
