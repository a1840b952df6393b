// The output-format controls of the main window on a small catalogue.
#include "WidgetTest.h"

#include "app/SettingsStore.h"
#include "lang/IniTextFile.h"
#include "profiles/DeviceCategory.h"
#include "ui/AdvancedDialog.h"
#include "ui/MainDialog.h"
#include "ui/OutputFormatDialog.h"
#include "controls/SizeRange.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace widget_test;

namespace {

constexpr char kProfiles[] = R"([Same as original video]
profile_shortname=generic-original
video_quality={Original}
audio_quality={Original}
[AVI]
profile_shortname=generic-avi
video_quality={High,Normal,Low}
video_size={Original,Custom...,320x240,640x480}
video_width={0,1,320,640}
video_height={0,1,240,480}
video_frame={Auto,25,30}
video_aspect={Auto,4:3,16:9}
audio_quality={128 kbps,64 kbps}
video_codec={DivX,XviD}
audio_codec={mp3}
audio_sample={44100,48000}
[MP4]
profile_shortname=generic-mp4
video_quality={High}
video_size={Original}
command1=-ovc x264 -x264encopts crf=23
[DVD]
profile_shortname=disc-dvdimg
video_quality={Best,High,Normal,Low}
video_size={720x480,720x576}
video_frame={29.97,25}
video_tvtype={NTSC,PAL}
video_aspect={4:3,16:9}
audio_quality={192 kbps}
video_codec={mpeg2video}
audio_codec={ac3,mp2}
audio_sample={48000}
[VCD MPEG]
profile_shortname=disc-vcd
video_quality={Normal}
video_size={352x240,352x288}
video_frame={29.97,25}
video_tvtype={NTSC,PAL}
[SVCD]
profile_shortname=disc-svcdimg
video_quality={Best,High}
video_tvtype={NTSC,PAL}
[iPod]
profile_shortname=apple-ipod
video_quality={High}
[PSP]
profile_shortname=sony-psp
video_quality={High}
)";

// The profiles are in family order, so their rows in the list are their slots.
enum Slot { kOriginal, kAvi, kMp4, kDvd, kVcd, kSvcd, kIpod, kPsp };

class FormatControls : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        saved_ = std::move(app::Settings());
        app::Settings() = app::SettingsStore();
        folder_.Write("profiles.ini", kProfiles);
        LoadProfiles(folder_.Path() + "profiles.ini");
        app::Settings().LoadSettings(Program() + "savedata.dll");
        app::Settings().OutputFolder = folder_.Path() + "out/";
    }
    void TearDown() override
    {
        app::Settings() = std::move(saved_);
        WidgetTest::TearDown();
    }

    // Picks a row of a list the way the user does.
    static void Choose(QComboBox* list, int row)
    {
        list->setCurrentIndex(row);
        Q_EMIT list->activated(row);
    }
    profiles::ProfileChoice& Choice(int slot) { return *app::Settings().catalogue.Choice(slot); }

    app::SettingsStore saved_;
};

TEST_F(FormatControls, ProfileKindsSwitchTheControls)
{
    app::Settings().OutputFormat = kAvi;
    auto window = OpenMainWindow();
    auto visible = [&](const char* name) { return Find<QWidget>(window.get(), name)->isVisible(); };
    auto* strip = Find<QStackedWidget>(window.get(), "bottomStrip");
    EXPECT_TRUE(visible("sizeList") && visible("frameRateList"));
    EXPECT_FALSE(visible("discLabelEdit") || visible("tvTypeList"));
    EXPECT_EQ(strip->currentIndex(), 0);

    Choice(kDvd).video_quality = 2;
    Choose(Find<QComboBox>(window.get(), "outputFormatList"), kDvd);
    EXPECT_EQ(app::Settings().OutputFormat, kDvd);
    EXPECT_TRUE(visible("discLabelEdit") && visible("tvTypeList"));
    EXPECT_FALSE(visible("sizeList") || visible("frameRateList"));
    EXPECT_EQ(strip->currentIndex(), 1);
    auto* ruler = Find<CSizeRange>(window.get(), "capacityRuler");
    EXPECT_EQ(ruler->Maximum(), 165);
    EXPECT_EQ(window->DiscCapacityMinutes(), 150);

    Choose(Find<QComboBox>(window.get(), "videoQualityList"), 0);
    EXPECT_EQ(Choice(kDvd).video_quality, 0);
    EXPECT_EQ(ruler->Maximum(), 225);

    Choose(Find<QComboBox>(window.get(), "outputFormatList"), kVcd);
    EXPECT_TRUE(visible("sizeList") && visible("tvTypeList"));
    auto* sizes = Find<QComboBox>(window.get(), "sizeList");
    ASSERT_EQ(sizes->count(), 1);
    EXPECT_EQ(sizes->itemText(0), "352x240");
    Choose(Find<QComboBox>(window.get(), "tvTypeList"), 1);
    EXPECT_EQ(sizes->itemText(0), "352x288");
    window->SaveMainWindowState();
    EXPECT_EQ(Choice(kVcd).video_tvtype, 1);
}

// A sound-only profile greys every choice of the picture and Subtitle,
// and they come back with a profile that writes a picture.
TEST_F(FormatControls, ASoundOnlyProfileGreysThePictureChoices)
{
    folder_.Write("sound.ini", std::string(kProfiles).substr(0, std::string(kProfiles).find("[MP4]")) +
                                   "[MP3]\nprofile_shortname=generic-mp3\nvideo_quality={Original}\n"
                                   "video_size={Original}\nvideo_frame={Original}\nvideo_aspect={Original}\n"
                                   "audio_quality={320 kbps,128 kbps}\naudio_codec={MP3}\nflag_onlyaudio=yes\n");
    app::Settings().catalogue.Clear();
    LoadProfiles(folder_.Path() + "sound.ini");
    app::Settings().OutputFormat = kAvi;
    auto window = OpenMainWindow();
    window->AppendSource(Clip("/videos/song.mp3"));
    SelectRows(window.get(), {0});
    const char* pictureControls[] = {"videoQualityList", "sizeList",       "frameRateList", "aspectRatioList",
                                     "letterBoxCheck",   "subtitleButton", "videoQualityLabel"};
    auto expectEnabled = [&](bool enabled) {
        for (const char* name : pictureControls) {
            EXPECT_EQ(Find<QWidget>(window.get(), name)->isEnabled(), enabled) << name;
        }
        EXPECT_TRUE(Find<QWidget>(window.get(), "audioQualityList")->isEnabled());
    };
    expectEnabled(true);

    auto* formats = Find<QComboBox>(window.get(), "outputFormatList");
    Choose(formats, 2);
    ASSERT_EQ(app::Settings().OutputFormat, 2);
    expectEnabled(false);
    EXPECT_EQ(Find<QComboBox>(window.get(), "audioQualityList")->count(), 2);
    auto advanced = std::make_unique<ui::AdvancedDialog>(nullptr, *app::Settings().catalogue.Profile(2), Choice(2),
                                                         app::Settings().Volume, app::Settings().DVDChapter,
                                                         app::Settings().Speed);
    EXPECT_FALSE(Find<QComboBox>(advanced.get(), "videoCodecList")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(advanced.get(), "volumeList")->isEnabled());

    Choose(formats, kAvi);
    expectEnabled(true);
}

TEST_F(FormatControls, CustomSizeRow)
{
    app::Settings().OutputFormat = kAvi;
    auto window = OpenMainWindow();
    auto* sizes = Find<QComboBox>(window.get(), "sizeList");
    EXPECT_EQ(sizes->itemText(1).toStdString(), lang::Text("MainDialog", "Custom") + "...");

    OnNextModal([](QWidget* dialog) { dialog->close(); });
    Choose(sizes, 1);
    EXPECT_EQ(sizes->currentIndex(), 0) << "cancelled without a custom size";

    OnNextModal([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("widthEdit")->setText("640");
        dialog->findChild<QLineEdit*>("heightEdit")->setText("360");
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Choose(sizes, 1);
    EXPECT_EQ(sizes->currentIndex(), 1);
    EXPECT_EQ(sizes->itemText(1).toStdString(), lang::Text("MainDialog", "Custom") + " (640x360)");
    EXPECT_EQ(Choice(kAvi).custom_width, 640);
    EXPECT_EQ(Choice(kAvi).custom_height, 360);

    OnNextModal([](QWidget* dialog) { dialog->close(); });
    Choose(sizes, 1);
    EXPECT_EQ(sizes->currentIndex(), 1) << "a custom size stays chosen after Cancel";

    Choose(sizes, 2);  // a plain size row opens nothing
    EXPECT_EQ(sizes->currentIndex(), 2);
}

TEST_F(FormatControls, DiscLabelCheck)
{
    app::Settings().OutputFormat = kDvd;
    auto window = OpenMainWindow();
    auto* label = Find<QLineEdit>(window.get(), "discLabelEdit");
    EXPECT_EQ(label->text(), "MyDisc");
    label->setText("Holiday 2024-07");
    EXPECT_EQ(window->CheckDiscLabel(), 1);
    label->setText("");
    EXPECT_EQ(window->CheckDiscLabel(), 0);
    label->setText("A;B");
    EXPECT_EQ(window->CheckDiscLabel(), 0);
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(dialogs_.shown[0].text, lang::Text("MainDialog", "Disc label enmpty"));
    EXPECT_EQ(dialogs_.shown[1].text, lang::Text("MainDialog", "Not special char") + "\n\" * / : < > ? \\ | ' & ; #");
}

TEST_F(FormatControls, AdvancedWithoutCurrentProfile)
{
    app::Settings().OutputFormat = 40;
    auto window = OpenMainWindow();
    EXPECT_EQ(Find<QComboBox>(window.get(), "videoQualityList")->count(), 0);
    QTest::mouseClick(Find<QPushButton>(window.get(), "advancedButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Failed to get output format settings. ");
    EXPECT_EQ(window->CheckDiscLabel(), 1);
}

TEST_F(FormatControls, AdvancedLayoutsAndWhatOkStores)
{
    app::SettingsStore& settings = app::Settings();
    auto open = [&settings, this](int slot) {
        return std::make_unique<ui::AdvancedDialog>(nullptr, *settings.catalogue.Profile(slot), Choice(slot),
                                                    settings.Volume, settings.DVDChapter, settings.Speed);
    };
    auto original = open(kOriginal);
    EXPECT_FALSE(original->DiscLayout());
    EXPECT_FALSE(Find<QComboBox>(original.get(), "volumeList")->isEnabled());
    settings.Volume = 3;
    original->accept();
    EXPECT_EQ(settings.Volume, 3) << "original output keeps its volume setting";

    auto avi = open(kAvi);
    ExpectAllNamed(avi.get());
    EXPECT_EQ(avi->findChild<QComboBox*>("chapterList"), nullptr);
    Find<QComboBox>(avi.get(), "videoCodecList")->setCurrentIndex(1);
    Find<QComboBox>(avi.get(), "sampleRateList")->setCurrentIndex(1);
    Find<QComboBox>(avi.get(), "volumeList")->setCurrentIndex(12);
    avi->accept();
    EXPECT_EQ(Choice(kAvi).video_codec, 1);
    EXPECT_EQ(Choice(kAvi).audio_sample, 1);
    EXPECT_EQ(settings.Volume, 12);

    Choice(kDvd).video_tvtype = 1;
    auto dvd = open(kDvd);
    EXPECT_TRUE(dvd->DiscLayout());
    EXPECT_EQ(Find<QComboBox>(dvd.get(), "sizeList")->currentText(), "720x576");
    EXPECT_EQ(Find<QComboBox>(dvd.get(), "frameRateList")->currentText(), "25");
    auto* chapters = Find<QComboBox>(dvd.get(), "chapterList");
    EXPECT_EQ(chapters->currentText(), "15minutes/chapter");
    chapters->setCurrentIndex(4);
    Find<QComboBox>(dvd.get(), "audioCodecList")->setCurrentIndex(1);
    dvd->reject();
    EXPECT_EQ(settings.DVDChapter, 2) << "Cancel changes nothing";
    EXPECT_EQ(Choice(kDvd).audio_codec, 0);
    dvd->accept();
    EXPECT_EQ(settings.DVDChapter, 4);
    EXPECT_EQ(Choice(kDvd).audio_codec, 1);

    auto svcd = open(kSvcd);
    EXPECT_TRUE(svcd->DiscLayout());
    EXPECT_EQ(svcd->findChild<QComboBox*>("chapterList"), nullptr) << "only DVDs have chapters";
}

// Which profiles the tree shows is followed through the main window below.
TEST_F(FormatControls, ShowHideTreeRules)
{
    ui::OutputFormatDialog dialog(nullptr, dialogs_, app::Settings().catalogue, kAvi);
    ExpectAllNamed(&dialog);
    auto* tree = Find<QTreeWidget>(&dialog, "formatTree");
    QTreeWidgetItem* generic = tree->topLevelItem(0);
    ASSERT_EQ(generic->childCount(), 3);
    EXPECT_EQ(generic->checkState(0), Qt::Checked);

    generic->child(1)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(generic->checkState(0), Qt::Unchecked);
    EXPECT_EQ(generic->child(0)->checkState(0), Qt::Checked);
    generic->child(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(generic->checkState(0), Qt::Checked) << "the last child checked checks the category";

    for (int r = 0; r < tree->topLevelItemCount(); ++r)
        tree->topLevelItem(r)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(generic->child(2)->checkState(0), Qt::Unchecked);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "\n   You must select one output format at least.\n\n");
    EXPECT_EQ(Choice(kAvi).showprofile, 1);
}

// Rows and the extra row follow the rules of FormatRules (UiRulesTest); here
// their texts, and hiding the current profile from the extra row.
TEST_F(FormatControls, MoreAndHideRows)
{
    app::Settings().OutputFormat = kAvi;
    auto window = OpenMainWindow();
    auto* formats = Find<QComboBox>(window.get(), "outputFormatList");
    ASSERT_EQ(formats->count(), 9);
    EXPECT_EQ(formats->itemText(0).toStdString(), lang::Text("MainDialog", "Same as original"));
    EXPECT_EQ(formats->itemText(8).toStdString(), lang::Text("MainDialog", "Hide Output Formats"));
    OnNextModal([](QWidget* dialog) {
        QTreeWidget* tree = dialog->findChild<QTreeWidget*>("formatTree");
        tree->topLevelItem(0)->child(1)->setCheckState(0, Qt::Unchecked);
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    Choose(formats, 8);
    EXPECT_EQ(app::Settings().OutputFormat, kOriginal);
    ASSERT_EQ(formats->count(), 8);
    EXPECT_EQ(formats->itemText(7).toStdString(), lang::Text("MainDialog", "More Output Formats"));
    Choose(formats, kDvd - 1);
    EXPECT_EQ(app::Settings().OutputFormat, kDvd) << "rows skip the hidden profile";

    OnNextModal([](QWidget* dialog) { dialog->close(); });
    Choose(formats, 7);
    EXPECT_EQ(app::Settings().OutputFormat, kDvd) << "Cancel returns to the profile before";
    EXPECT_EQ(formats->currentText(), "DVD");
}

TEST_F(FormatControls, SettingsSurviveARestart)
{
    app::Settings().OutputFormat = kAvi;
    {
        auto window = OpenMainWindow();
        Choose(Find<QComboBox>(window.get(), "audioQualityList"), 1);
        Choose(Find<QComboBox>(window.get(), "outputFormatList"), kDvd);
        Find<QLineEdit>(window.get(), "discLabelEdit")->setText("Summer");
        Choose(Find<QComboBox>(window.get(), "tvTypeList"), 1);
        window->close();
    }
    app::SettingsStore reloaded;
    reloaded.catalogue = app::Settings().catalogue;
    reloaded.LoadSettings(Program() + "savedata.dll");
    EXPECT_EQ(reloaded.OutputFormat, kDvd);
    EXPECT_EQ(reloaded.DiscLabel, "Summer");
    EXPECT_EQ(reloaded.catalogue.Choice(kAvi)->audio_quality, 1);
    EXPECT_EQ(reloaded.catalogue.Choice(kDvd)->video_tvtype, 1);
    EXPECT_EQ(reloaded.OutputFolder, folder_.Path() + "out/");
}

TEST_F(FormatControls, LanguageSwitchFromTheSettingsDialog)
{
    app::Settings().OutputFormat = kAvi;
    auto window = OpenMainWindow();
    OnNextModal([](QWidget* dialog) {
        auto* languages = dialog->findChild<QComboBox*>("languageList");
        const int german = languages->findText("German");
        languages->setCurrentIndex(german);
        Q_EMIT languages->activated(german);
        dialog->close();
    });
    QTest::mouseClick(Find<QToolButton>(window.get(), "settingsButton"), Qt::LeftButton);
    EXPECT_EQ(app::Settings().LanguageFileName, "German");
    EXPECT_EQ(Find<QToolButton>(window.get(), "exitButton")->text().toStdString(), lang::Text("MainDialog", "Exit"));
    EXPECT_EQ(Find<QComboBox>(window.get(), "videoQualityList")->itemText(0).toStdString(),
              lang::Text("MainDialog", "High"));
    EXPECT_EQ(Find<QLabel>(window.get(), "videoQualityLabel")->text().toStdString(),
              lang::Text("MainDialog", "Video Quality"));
    EXPECT_EQ(ListView(window.get())->model()->headerData(0, Qt::Horizontal).toString().toStdString(),
              lang::Text("MainDialog", "Source Video"));
}

// The shipped catalogue appends new profiles to the data file; the list
// still shows them with their families, and a row stands for its slot.
TEST_F(FormatControls, ShippedProfilesAreListedByFamily)
{
    app::SettingsStore& settings = app::Settings();
    settings.catalogue.Clear();
    LoadProfiles(SOURCE_DIR "data/profiles.ini");
    const profiles::ProfileCatalogue& catalogue = settings.catalogue;
    auto slotNamed = [&catalogue](const std::string& name) {
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            if (catalogue.Profile(slot)->name == name) {
                return slot;
            }
        }
        return -1;
    };
    auto familyOf = [](const profiles::OutputProfile& profile) {
        const auto families = profiles::DeviceCategories();
        for (std::size_t i = 0; i < families.size(); ++i) {
            if (profiles::InCategory(profile.profile_shortname, families[i])) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int webm = slotNamed("WebM - VP9/Opus Video");
    ASSERT_GT(webm, slotNamed("Microsoft Xbox 360")) << "appended after the last family";
    settings.OutputFormat = slotNamed("Apple iPad");

    auto window = OpenMainWindow();
    auto* formats = Find<QComboBox>(window.get(), "outputFormatList");
    ASSERT_EQ(formats->count(), catalogue.Count() + 1) << "every profile once, and the Hide row";
    EXPECT_EQ(formats->currentText(), "Apple iPad");
    std::vector<int> slots = {0};
    for (int row = 1; row + 1 < formats->count(); ++row) {
        slots.push_back(slotNamed(formats->itemText(row).toStdString()));
    }
    for (std::size_t row = 1; row < slots.size(); ++row) {
        SCOPED_TRACE(formats->itemText(static_cast<int>(row)).toStdString());
        ASSERT_GE(slots[row], 0);
        const int family = familyOf(*catalogue.Profile(slots[row]));
        const int before = familyOf(*catalogue.Profile(slots[row - 1]));
        EXPECT_GE(family, before) << "families in table order";
        EXPECT_TRUE(family > before || slots[row] > slots[row - 1]) << "slot order within a family";
    }
    const int mpeg2Row = formats->findText("MPEG-2 Video");
    EXPECT_EQ(formats->itemText(mpeg2Row + 1), "MKV - H.264 Video") << "the new generic profiles follow the old";

    Choose(formats, formats->findText("WebM - VP9/Opus Video"));
    EXPECT_EQ(settings.OutputFormat, webm);
    window->close();
    app::SettingsStore reloaded;
    reloaded.catalogue = catalogue;
    reloaded.LoadSettings(Program() + "savedata.dll");
    EXPECT_EQ(reloaded.OutputFormat, webm);
    auto reopened = OpenMainWindow();
    EXPECT_EQ(Find<QComboBox>(reopened.get(), "outputFormatList")->currentText(), "WebM - VP9/Opus Video");
}

}  // namespace

// The speed list offers its rows only for a video codec with presets; for
// another it shows Balanced, greyed, and OK leaves the setting alone.
TEST_F(FormatControls, TheSpeedListFollowsTheVideoCodec)
{
    app::SettingsStore& settings = app::Settings();
    settings.Speed = 2;
    auto open = [&settings](const profiles::OutputProfile& profile, profiles::ProfileChoice& choice) {
        return std::make_unique<ui::AdvancedDialog>(nullptr, profile, choice, settings.Volume, settings.DVDChapter,
                                                    settings.Speed);
    };
    auto avi = open(*settings.catalogue.Profile(kAvi), Choice(kAvi));
    auto* speeds = Find<QComboBox>(avi.get(), "speedList");
    ASSERT_EQ(speeds->count(), 3);
    EXPECT_EQ(speeds->itemText(2).toStdString(), lang::Text("AdvancedDialog", "Better Quality"));
    EXPECT_FALSE(speeds->isEnabled());
    EXPECT_EQ(speeds->currentIndex(), 1);
    avi->accept();
    EXPECT_EQ(settings.Speed, 2);

    auto mp4 = open(*settings.catalogue.Profile(kMp4), Choice(kMp4));
    speeds = Find<QComboBox>(mp4.get(), "speedList");
    EXPECT_TRUE(speeds->isEnabled());
    EXPECT_EQ(speeds->currentIndex(), 2);
    speeds->setCurrentIndex(0);
    mp4->reject();
    EXPECT_EQ(settings.Speed, 2) << "Cancel changes nothing";
    speeds->setCurrentIndex(0);
    mp4->accept();
    EXPECT_EQ(settings.Speed, 0);

    profiles::OutputProfile twoCodecs = *settings.catalogue.Profile(kAvi);
    twoCodecs.command1 = "-ovc lavc -lavcopts vcodec=mpeg4";
    twoCodecs.command2 = "-ovc x264";
    profiles::ProfileChoice choice;
    auto switching = open(twoCodecs, choice);
    speeds = Find<QComboBox>(switching.get(), "speedList");
    EXPECT_FALSE(speeds->isEnabled());
    Find<QComboBox>(switching.get(), "videoCodecList")->setCurrentIndex(1);
    EXPECT_TRUE(speeds->isEnabled()) << "the second codec encodes with x264";
    EXPECT_EQ(speeds->currentIndex(), 0);
}
