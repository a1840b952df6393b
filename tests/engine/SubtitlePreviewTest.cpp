#include "engine/SubtitlePreview.h"
#include "support/SubtitleSamples.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(SubtitlePreview, ShownLinesOfEachFormat)
{
    struct Case {
        const char* format;
        std::string text;
        Lines shown;
    } cases[] = {
        {"SubRip",
         "\xEF\xBB\xBF"
         "1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>Hello</i> there\r\n\r\n"
         "2\r\n00:00:03,000 --> 00:00:04,000\r\n{\\an8}Up here\r\n- Two\r\n",
         {"Hello there", "Up here", "- Two"}},
        {"SSA/ASS",
         "[Script Info]\nTitle: Film\n\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, "
         "MarginV, Effect, Text\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\i1}Well, yes{\\i0}\\Nno\n",
         {"Well, yes", "no"}},
        {"MicroDVD", "{1}{25}First|Second\n{30}{50}{y:i}Third\n", {"First", "Second", "Third"}},
        {"SAMI",
         "<SAMI><HEAD><TITLE>Film</TITLE><STYLE>P { margin: 0 }</STYLE></HEAD><BODY>\n"
         "<SYNC Start=1000><P Class=ENCC>Hello&nbsp;there\n<SYNC Start=2000><P Class=ENCC>Bye\n",
         {"Hello there", "Bye"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::SubtitleTextLines(c.text, 10), c.shown) << c.format;

    EXPECT_EQ(engine::SubtitleTextLines("{1}{25}a|b|c\n{30}{50}d\n", 2), (Lines{"a", "b"}));
}

TEST(SubtitlePreview, FileIsReadWithTheCodePage)
{
    testing_support::TestFolder folder;
    folder.Write("zh.srt", testing_support::Encoded(testing_support::kChineseCues, "GB18030"));
    EXPECT_EQ(engine::SubtitlePreview(folder.Path() + "zh.srt", "CP936", 3),
              "你好！你最近怎么样？\n我很好，谢谢。\n我们回家吧。");
    EXPECT_EQ(engine::SubtitlePreview(folder.Path() + "missing.srt", "CP936", 3), "");
}
