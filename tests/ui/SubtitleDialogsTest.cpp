#include "WidgetTest.h"

#include "engine/SourceItem.h"
#include "lang/IniTextFile.h"
#include "support/SubtitleSamples.h"
#include "ui/PropertiesDialog.h"
#include "ui/SubtitleDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using widget_test::Find;

namespace {

const std::string kFontMessage =
    "Failed to load the font resource, please change the \"Subtilte Charset\" to try again.";

// The program directory starts without fonts.
class SubtitleWindows : public widget_test::WidgetTest {
protected:
    void InstallFont(const std::string& name) { folder_.Write("prog/system/fonts/" + name, ""); }
    static void ClickOk(QWidget& window) { QTest::mouseClick(Find<QPushButton>(&window, "okButton"), Qt::LeftButton); }
};

engine::SourceItem ItemWithTracks()
{
    engine::SourceItem item;
    item.path = "/v/movie.mkv";
    item.subtitleTextSize = 4;
    item.tracks[0] = {engine::kTrackAudio, 128, "eng", ""};
    item.tracks[1] = {engine::kTrackAudio, 129, "fre", ""};
    item.tracks[2] = {engine::kTrackSubtitle, 0, "und", ""};
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
    EXPECT_EQ(dialogs_.shown[0].text, lang::Text("SubtitleDialog", "Select a subtitle"));
    EXPECT_EQ(dialogs_.shown[0].caption, "Test Converter");

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

TEST_F(SubtitleWindows, ChosenFileSelectsItsCharsetAndIsPreviewed)
{
    folder_.Write("subs/ru.srt", testing_support::Encoded(testing_support::kRussianCues, "CP1251"));
    folder_.Write("subs/en.srt", testing_support::SubRipCues("Hello!", "How are you?", "Fine."));
    SubtitleDialog::Choice current;
    current.style.charset = 0;
    current.style.textSize = 4;
    SubtitleDialog dialog("/v/a.avi", current, dialogs_);
    auto* charsets = Find<QComboBox>(&dialog, "charsetList");
    auto* preview = Find<QPlainTextEdit>(&dialog, "subtitlePreview");
    EXPECT_EQ(preview->toPlainText(), "");

    std::string answer = folder_.Path() + "subs/ru.srt";
    dialog.SetFileChooser([&answer](QWidget*, const std::string&) { return answer; });
    QTest::mouseClick(Find<QPushButton>(&dialog, "browseButton"), Qt::LeftButton);
    EXPECT_EQ(charsets->currentText(), "Russian (RUSSIAN_CHARSET)");
    EXPECT_EQ(preview->toPlainText().toStdString(),
              "Привет! Как дела?\nВсё хорошо, спасибо.\nПойдём домой.\nЗавтра будет новый день.");

    charsets->setCurrentIndex(0);
    EXPECT_TRUE(preview->toPlainText().startsWith(QString::fromUtf8("Ïðèâåò! Êàê äåëà?\n")))
        << "read as Western: " << preview->toPlainText().toStdString();

    charsets->setCurrentIndex(4);
    answer = folder_.Path() + "subs/en.srt";
    QTest::mouseClick(Find<QPushButton>(&dialog, "browseButton"), Qt::LeftButton);
    EXPECT_EQ(charsets->currentIndex(), 4) << "plain ASCII keeps the choice";
    EXPECT_EQ(preview->toPlainText(), "Hello!\nHow are you?\nFine.");

    InstallFont("ARIAL.TTF");
    ClickOk(dialog);
    EXPECT_EQ(dialog.Result().style.codePage, "CP1253");
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
    EXPECT_EQ(subtitles->itemText(0).toStdString(), lang::Text("PropertiesDialog", "No Subtitle"));
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
