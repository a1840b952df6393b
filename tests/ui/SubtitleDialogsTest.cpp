#include "WidgetTest.h"

#include "app/Application.h"
#include "engine/SourceItem.h"
#include "lang/IniTextFile.h"
#include "ui/PropertiesDialog.h"
#include "ui/SubtitleDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstring>

using testing_support::RecordingDialogs;
using testing_support::TestFolder;
using widget_test::Find;

namespace {

const std::string kFontMessage =
    "Failed to load the font resource, please change the \"Subtilte Charset\" to try again.";

// A program directory whose fonts folder holds only the given font files.
class SubtitleWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = app::Application();
        app::Application().programDirectory = folder_.Path();
        app::Application().appName = "Test App";
        lang::LanguageTable().SetValue("SubtitleDialog", "Select a subtitle", "Pick a file", true);
        lang::LanguageTable().SetValue("PropertiesDialog", "No Subtitle", "None", true);
    }
    void TearDown() override { app::Application() = saved_; }

    void InstallFont(const char* name) { folder_.Write(std::string("system/fonts/") + name, ""); }

    static void ClickOk(QWidget& window) { QTest::mouseClick(Find<QPushButton>(&window, "okButton"), Qt::LeftButton); }

    TestFolder folder_;
    RecordingDialogs dialogs_;
    app::ApplicationValues saved_;
};

engine::SourceItem ItemWithTracks()
{
    engine::SourceItem item;
    item.path = "/v/movie.mkv";
    item.subtitleTextSize = 4;
    auto set = [&item](int i, std::int32_t kind, std::int32_t id, const char* language) {
        item.tracks[i].kind = kind;
        item.tracks[i].track_id = id;
        std::strcpy(item.tracks[i].language, language);
    };
    set(0, engine::kTrackAudio, 128, "eng");
    set(1, engine::kTrackAudio, 129, "fre");
    set(2, engine::kTrackSubtitle, 0, "und");
    item.audioTrack = 0;
    return item;
}

}  // namespace

TEST_F(SubtitleWindows, SubtitleDialogNeedsAFileAndAnInstalledFont)
{
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    SubtitleDialog::Choice current;
    current.style.textSize = 4;
    SubtitleDialog dialog("/v/My Movie.avi", current, dialogs_);
    auto* charsets = Find<QComboBox>(&dialog, "charsetList");
    EXPECT_EQ(charsets->currentIndex(), 8) << "Russian preselected from the locale";
    EXPECT_EQ(Find<QComboBox>(&dialog, "textSizeList")->currentIndex(), 1);

    ClickOk(dialog);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Pick a file");
    EXPECT_EQ(dialogs_.shown[0].caption, "Test App");

    std::string askedFolder;
    dialog.SetFileChooser([&](QWidget*, const std::string& folder) {
        askedFolder = folder;
        return std::string("/v/My Movie.srt");
    });
    QTest::mouseClick(Find<QPushButton>(&dialog, "browseButton"), Qt::LeftButton);
    EXPECT_EQ(askedFolder, "/v/");
    EXPECT_EQ(Find<QLineEdit>(&dialog, "subtitleEdit")->text(), "/v/My Movie.srt");

    ClickOk(dialog);
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(dialogs_.shown[1].text, kFontMessage) << "no font installed";
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    InstallFont("COUR.TTF");
    Find<QComboBox>(&dialog, "textSizeList")->setCurrentIndex(2);
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().subtitleFile, "/v/My Movie.srt");
    EXPECT_EQ(dialog.Result().style.charset, 8);
    EXPECT_EQ(dialog.Result().style.codePage, "CP1251");
    EXPECT_EQ(dialog.Result().style.fontFile, "COUR.TTF");
    EXPECT_EQ(dialog.Result().style.textSize, 5);
}

TEST_F(SubtitleWindows, BrowseCancelKeepsTheFile)
{
    SubtitleDialog::Choice current;
    current.subtitleFile = "/v/old.srt";
    current.style.charset = 5;
    SubtitleDialog dialog("/v/a.avi", current, dialogs_);
    EXPECT_EQ(Find<QComboBox>(&dialog, "charsetList")->currentIndex(), 5) << "a valid charset is kept";
    dialog.SetFileChooser([](QWidget*, const std::string&) { return std::string(); });
    QTest::mouseClick(Find<QPushButton>(&dialog, "browseButton"), Qt::LeftButton);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "subtitleEdit")->text(), "/v/old.srt");
}

// Track lines of real files and what OK stores in the row are followed
// through the main window (SourceMediaTest).
TEST_F(SubtitleWindows, TrackWindowNeedsAFontEvenWithoutSubtitle)
{
    engine::SourceItem item = ItemWithTracks();
    item.subtitleCharset = 0;
    PropertiesDialog dialog(item, dialogs_);
    ASSERT_TRUE(dialog.ChoosesTracks());
    auto* audio = Find<QComboBox>(&dialog, "audioTrackList");
    auto* subtitles = Find<QComboBox>(&dialog, "subtitleTrackList");
    EXPECT_EQ(audio->currentIndex(), 0);
    ASSERT_EQ(subtitles->count(), 2);
    EXPECT_EQ(subtitles->itemText(0), "None");
    EXPECT_EQ(subtitles->itemText(1), "0   Undetermined   ");
    EXPECT_EQ(subtitles->currentIndex(), 0);

    ClickOk(dialog);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, kFontMessage);
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    InstallFont("ARIAL.TTF");
    audio->setCurrentIndex(1);
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().audioTrack, 1);
    EXPECT_EQ(dialog.Result().style.fontFile, "ARIAL.TTF");
    EXPECT_EQ(dialog.Result().style.textSize, 4);
}

TEST_F(SubtitleWindows, PlainPropertiesShowUnknowForScriptDecodedSources)
{
    engine::SourceItem item;
    item.path = "/v/a.rm";
    item.width = 320;
    item.height = 240;
    item.decodeViaDirectShow = 1;
    PropertiesDialog dialog(item, dialogs_);
    EXPECT_FALSE(dialog.ChoosesTracks());
    EXPECT_EQ(Find<QLineEdit>(&dialog, "videoCodecValue")->text(), "UNKNOW");
    EXPECT_EQ(Find<QLineEdit>(&dialog, "frameSizeValue")->text(), "320x240");
    EXPECT_EQ(dialog.findChild<QPushButton*>("cancelButton"), nullptr);
}
