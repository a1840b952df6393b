#include "engine/SubtitleCharsets.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using testing_support::TestFolder;

TEST(SubtitleCharsets, DefaultRowFollowsTheLanguage)
{
    struct Case {
        int languageId;
        int row;
    } cases[] = {
        {0x0409, 0}, {0x4001, 1}, {0x0C1A, 3}, {0x0804, 9}, {0x0404, 11},
        {0x1004, 11}, {0x041F, 12}, {0x081A, 0}, {0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::DefaultCharset(c.languageId), c.row) << std::hex << c.languageId;
}

TEST(SubtitleCharsets, FontIsTheFirstInstalledCandidate)
{
    TestFolder folder;
    const std::string fonts = folder.Path() + "fonts/";
    folder.Write("fonts/UPCEL.TTF", "");
    folder.Write("fonts/COUR.TTF", "");

    engine::ResolvedFont thai = engine::ResolveSubtitleFont(10, fonts);
    EXPECT_EQ(thai.codePage, "CP874");
    EXPECT_EQ(thai.fontFile, "UPCEL.TTF");

    engine::ResolvedFont hebrew = engine::ResolveSubtitleFont(5, fonts);
    EXPECT_EQ(hebrew.codePage, "CP1255") << "the code page is set even without a font";
    EXPECT_EQ(hebrew.fontFile, "");

    EXPECT_EQ(engine::ResolveSubtitleFont(8, fonts).fontFile, "COUR.TTF");
    folder.Write("fonts/ARIAL.TTF", "");
    EXPECT_EQ(engine::ResolveSubtitleFont(8, fonts).fontFile, "ARIAL.TTF") << "candidates are tried in order";

    for (int invalid : {-1, engine::kCharsetCount, 1000})
        EXPECT_EQ(engine::ResolveSubtitleFont(invalid, fonts).codePage, "CP1252") << invalid;
}

// The build links the fonts every charset needs into the program directory.
TEST(SubtitleCharsets, ShippedFontFolderServesEveryCharset)
{
    const std::string fonts = std::string(PROGRAM_DIR) + "system/fonts/";
    for (int row = 0; row < engine::kCharsetCount; ++row)
        EXPECT_NE(engine::ResolveSubtitleFont(row, fonts).fontFile, "") << engine::SubtitleCharsets()[row].listText;
}
