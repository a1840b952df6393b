#include "engine/CharsetDetection.h"
#include "engine/SubtitleCharsets.h"
#include "support/SubtitleSamples.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using testing_support::Encoded;
using testing_support::TestFolder;

namespace {

// The code page of the detected row, "" for none.
std::string DetectedCodePage(const std::string& text)
{
    const std::optional<int> row = engine::DetectCharsetRow(text);
    return row ? engine::SubtitleCharsets()[*row].codePage : "";
}

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

}  // namespace

TEST(CharsetDetection, SubtitlesOfEachLanguageSelectTheirRow)
{
    using namespace testing_support;
    struct Case {
        const char* what;
        std::string text;
        const char* row;
    } cases[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + kRussianCues, "UTF-8"},
        {"UTF-8", kJapaneseCues, "UTF-8"},
        {"Russian CP1251", Encoded(kRussianCues, "CP1251"), "CP1251"},
        {"Greek CP1253", Encoded(kGreekCues, "CP1253"), "CP1253"},
        {"Greek ISO-8859-7", Encoded(kGreekCues, "ISO-8859-7"), "CP1253"},
        {"Japanese Shift-JIS", Encoded(kJapaneseCues, "SHIFT_JIS"), "CP932"},
        {"Chinese GB18030", Encoded(kChineseCues, "GB18030"), "CP936"},
        {"one Russian cue", Encoded(SubRipCues("Привет!", "Да.", "Нет."), "CP1251"), "CP1251"},
        {"ASCII reads alike in every row", SubRipCues("Hello!", "How are you?", "Fine."), ""},
        {"KOI8-R has no row to read it", Encoded(kRussianCues, "KOI8-R"), ""},
        {"UTF-8 with a damaged byte", kGreekCues + kGreekCues + "\xFF" + kGreekCues, "UTF-8"},
        {"GB18030 with a character beyond CP936", Encoded(Repeated(kChineseCues, 6) + "㐀", "GB18030"), "CP936"},
        {"GB18030 mostly beyond CP936",
         Encoded(kChineseCues + "你㐀好㐁我㐂很㐃好㐄谢㐅谢㐆我㐇们㐈回㐉家㐊吧㐋明㐌天㐍又㐎是㐏新㐐的㐑一㐒天㐓",
                 "GB18030"),
         ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectedCodePage(c.text), c.row) << c.what;
}

TEST(CharsetDetection, FilesAreReadFromTheirStartOnly)
{
    TestFolder folder;
    folder.Write("greek.srt", Encoded(testing_support::kGreekCues, "CP1253"));
    const std::optional<int> greek = engine::DetectSubtitleCharset(folder.Path() + "greek.srt");
    ASSERT_TRUE(greek);
    EXPECT_STREQ(engine::SubtitleCharsets()[*greek].codePage, "CP1253");

    // The read ends inside the last character of the first part.
    const std::string ascii(engine::kSubtitleSampleBytes - 1, 'a');
    folder.Write("cut.srt", ascii + "Всё хорошо");
    const std::optional<std::string> start = engine::ReadSubtitleStart(folder.Path() + "cut.srt");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->size(), engine::kSubtitleSampleBytes);
    const std::optional<int> cut = engine::DetectSubtitleCharset(folder.Path() + "cut.srt");
    ASSERT_TRUE(cut);
    EXPECT_STREQ(engine::SubtitleCharsets()[*cut].codePage, "UTF-8");

    folder.Write("late.srt", ascii + "a" + Encoded("Всё хорошо", "CP1251"));
    EXPECT_FALSE(engine::DetectSubtitleCharset(folder.Path() + "late.srt")) << "only the first part counts";

    for (const std::string& unreadable : {folder.Path() + "missing.srt", folder.Path()})
        EXPECT_FALSE(engine::DetectSubtitleCharset(unreadable)) << unreadable;
}

TEST(CharsetDetection, DecodingReplacesWhatTheCodePageLacks)
{
    EXPECT_EQ(engine::DecodeToUtf8(Encoded("Всё хорошо", "CP1251"), "CP1251"), "Всё хорошо");
    EXPECT_EQ(engine::DecodeToUtf8(Encoded("我很好", "GB18030"), "CP936"), "我很好");
    EXPECT_EQ(engine::DecodeToUtf8(std::string{'a', '\xFF', 'b', '\xC3'}, "UTF-8"), "a\uFFFDb")
        << "a cut character is left out";
    EXPECT_EQ(engine::DecodeToUtf8("text", "NO-SUCH-CODE-PAGE"), "");
}
