#include "cli/SourceOptions.h"

#include "app/Application.h"
#include "engine/SubtitleCharsets.h"
#include "lang/IniTextFile.h"
#include "support/RecordingDialogs.h"
#include "support/SubtitleSamples.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

class SubtitleCharsetOption : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = app::Application();
        app::Application().programDirectory = folder_.Path() + "prog/";
        for (const char* font : {"ARIAL.TTF", "trado.ttf"})
            folder_.Write(std::string("prog/system/fonts/") + font, "");
        ASSERT_TRUE(lang::LanguageTable().LoadFile(std::string(SOURCE_DIR) + "data/Languages/English.ini"));
        folder_.Write("ru.srt", testing_support::Encoded(testing_support::kRussianCues, "CP1251"));
        folder_.Write("en.srt", testing_support::SubRipCues("Hello!", "How are you?", "Fine."));
    }
    void TearDown() override { app::Application() = saved_; }

    // The source after the options, and what was said about it.
    engine::SourceItem Apply(const cli::SourceRequest& request)
    {
        engine::SourceItem item;
        item.path = "/v/a.avi";
        applied_ = cli::ApplySourceOptions(request, item, dialogs_);
        return item;
    }

    testing_support::TestFolder folder_;
    testing_support::RecordingDialogs dialogs_;
    bool applied_ = false;

private:
    app::ApplicationValues saved_;
};

}  // namespace

TEST_F(SubtitleCharsetOption, DetectedUnlessNamed)
{
    const std::string russian = "Russian (RUSSIAN_CHARSET)";
    const std::string fallback = engine::SubtitleCharsets()[engine::DefaultCharset()].listText;
    struct Case {
        const char* file;
        std::optional<std::string> charset;
        const char* codePage;
        std::string told;
    } cases[] = {
        {"ru.srt", {}, "CP1251", "Subtitle charset: " + russian + " (detected)"},
        {"ru.srt", "auto", "CP1251", "Subtitle charset: " + russian + " (detected)"},
        {"ru.srt", "AUTO", "CP1251", "Subtitle charset: " + russian + " (detected)"},
        {"ru.srt", "Greek", "CP1253", "Subtitle charset: Greek (GREEK_CHARSET)"},
        {"ru.srt", "cp1253", "CP1253", "Subtitle charset: Greek (GREEK_CHARSET)"},
        {"ru.srt", "a", "CP1256", "Subtitle charset: Arabic (ARABIC_CHARSET)"},
        {"ru.srt", "13", "UTF-8", "Subtitle charset: Unicode (UTF-8)"},
        {"ru.srt", "utf-8", "UTF-8", "Subtitle charset: Unicode (UTF-8)"},
        {"en.srt",
         {},
         engine::SubtitleCharsets()[engine::DefaultCharset()].codePage,
         "Subtitle charset: " + fallback + " (default)"},
    };
    for (const Case& c : cases) {
        dialogs_.shown.clear();
        cli::SourceRequest request;
        request.subtitleFile = folder_.Path() + c.file;
        request.subtitleCharset = c.charset;
        const engine::SourceItem item = Apply(request);
        const std::string what = std::string(c.file) + " " + c.charset.value_or("none");
        EXPECT_TRUE(applied_) << what;
        EXPECT_EQ(item.subtitleCodePage, c.codePage) << what;
        ASSERT_EQ(dialogs_.shown.size(), 1u) << what;
        EXPECT_EQ(dialogs_.shown[0].text, request.subtitleFile + ": " + c.told) << what;
    }
}

TEST_F(SubtitleCharsetOption, UnknownNameIsRefusedAndTracksAreNotTold)
{
    cli::SourceRequest request;
    request.subtitleFile = folder_.Path() + "ru.srt";
    request.subtitleCharset = "Klingon";
    Apply(request);
    EXPECT_FALSE(applied_);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].text.find("13  UTF-8"), std::string::npos) << "the rows are listed";

    dialogs_.shown.clear();
    cli::SourceRequest track;
    track.subtitleCharset = "auto";
    track.subtitleTrack = 0;
    engine::SourceItem item;
    item.tracks[0] = {engine::kTrackSubtitle, 0, "rus", ""};
    EXPECT_TRUE(cli::ApplySourceOptions(track, item, dialogs_));
    EXPECT_EQ(item.subtitleCharset, engine::DefaultCharset()) << "a track has no file to read";
    EXPECT_TRUE(dialogs_.shown.empty());
}
