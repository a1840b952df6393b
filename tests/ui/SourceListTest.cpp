// The source list commands through the real main window, with the fake
// engine standing in for the encoder when files are probed.
#include "WidgetTest.h"

#include "app/NoticeText.h"
#include "app/SettingsStore.h"
#include "controls/CRangeSlider.h"
#include "lang/IniTextFile.h"
#include "support/FakeEngine.h"
#include "ui/MainDialog.h"
#include "ui/QtUserDialogs.h"
#include "ui/RefusedFilesBox.h"
#include "ui/ScanningWindow.h"
#include "ui/SourceFiles.h"
#include "ui/SubtitleDialog.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <unistd.h>

using namespace widget_test;
using testing_support::FakeEngineScript;
using ui::Command;
using ui::Qs;
using ui::Tr;

namespace {

TEST(SourceFiles, SortIsCaseInsensitiveByTheUsersLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QStringList paths = {"/v/Zebra.avi", "/v/\u00d6lbild.avi", "/v/apple.avi", "/v/\u00e9clair.avi", "/v/Pause.avi"};
    ui::SortForAdding(paths);
    EXPECT_EQ(paths, QStringList({"/v/apple.avi", "/v/\u00e9clair.avi", "/v/\u00d6lbild.avi", "/v/Pause.avi",
                                  "/v/Zebra.avi"}))
        << "accented letters sort beside their base letters";

    QLocale::setDefault(QLocale::c());
    paths = {"/v/\u00e9clair.avi", "/v/b.avi", "/v/A.avi", "/v/\u00c9t\u00e9.avi"};
    ui::SortForAdding(paths);
    EXPECT_EQ(paths, QStringList({"/v/A.avi", "/v/b.avi", "/v/\u00e9clair.avi", "/v/\u00c9t\u00e9.avi"}))
        << "the C locale folds case also beyond ASCII but sorts by code point";
    QLocale::setDefault(saved);
}

class SourceList : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        testing_support::InstallFakeEngine(Program());
        folder_.Write("prog/system/fonts/ARIAL.TTF", "");
    }

    // A file big enough to be test-encoded, in the videos folder.
    std::string Video(const std::string& name)
    {
        folder_.Write("videos/" + name, std::string(2048, 'v'));
        return folder_.Path() + "videos/" + name;
    }

    // Rows added without a probe, named row0.avi, row1.avi, ...
    static void AddRows(ui::MainDialog& window, int count, std::int32_t seconds = 10)
    {
        for (int i = 0; i < count; ++i)
            window.AppendSource(Clip("/videos/row" + std::to_string(window.SourceCount()) + ".avi", seconds));
    }

    // The items' paths, which must follow the rows.
    static std::vector<std::string> ItemPaths(ui::MainDialog& window)
    {
        std::vector<std::string> paths;
        for (int row = 0; row < window.SourceCount(); ++row)
            paths.push_back(window.SourceAt(row).path);
        return paths;
    }

    static std::vector<int> Selected(ui::MainDialog& window)
    {
        std::vector<int> rows;
        for (int row = 0; row < window.SourceCount(); ++row)
            if (ListView(&window)->selectionModel()->isRowSelected(row))
                rows.push_back(row);
        return rows;
    }

    static std::vector<std::string> Names(const std::vector<int>& rows)
    {
        std::vector<std::string> names;
        for (int row : rows)
            names.push_back("/videos/row" + std::to_string(row) + ".avi");
        return names;
    }
};

// What a probe puts into the rows is checked with the real engine in
// SourceMediaTest; here the order, the folder and the window while probing.
TEST_F(SourceList, AddFilesSortsProbesAndRemembersTheFolder)
{
    FakeEngineScript engine("sleep=150;facts=320,240,95,800,128;result=0");
    app::Settings().AddFilesInitDir = folder_.Path() + "start/";
    auto window = OpenMainWindow();
    QString title, startFolder, filter;
    window->SetFilesChooser([&](QWidget*, const QString& t, const QString& f, const QString& qtFilter) {
        title = t;
        startFolder = f;
        filter = qtFilter;
        return QStringList{Qs(Video("b.avi")), Qs(Video("A.avi")), Qs(Video("c.AVI"))};
    });
    // Looks at the window while the first probe runs.
    bool disabledWhileProbing = false;
    QString scanningText;
    QTimer::singleShot(50, [&] {
        disabledWhileProbing = !window->isEnabled();
        auto* scanning = window->findChild<ui::ScanningWindow*>("scanningWindow");
        if (scanning && scanning->isVisible() && scanning->isEnabled())
            scanningText = scanning->Text();
    });

    RunAndProbe(*window, Command::AddFiles);

    EXPECT_EQ(title.toStdString(), lang::Text("MainDialog", "Add Files"));
    EXPECT_EQ(startFolder.toStdString(), folder_.Path() + "start/");
    EXPECT_TRUE(filter.startsWith("Video files (*.avi *.divx "));
    const std::string videos = folder_.Path() + "videos/";
    EXPECT_EQ(Column(window.get(), 0), (std::vector<std::string>{videos + "A.avi", videos + "b.avi", videos + "c.AVI"}));
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(app::Settings().AddFilesInitDir, videos);

    EXPECT_TRUE(disabledWhileProbing);
    EXPECT_EQ(scanningText, Tr("MainDialog", "Scanning video") + "\n" +
                                Tr("MainDialog", "Files scanned").arg(0).arg(3) + "\nA.avi");
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->findChild<ui::ScanningWindow*>("scanningWindow")->isVisible());

    AddFiles(*window, {});
    EXPECT_EQ(window->SourceCount(), 3) << "cancel adds nothing";
}

TEST_F(SourceList, FilesAlreadyListedAreAddedAgainOnlyWhenTheUserSaysSo)
{
    FakeEngineScript engine("facts=160,120,3,0,0;result=0");
    const std::string a = Video("a.avi");
    const std::string b = Video("b.avi");
    const std::string link = folder_.Path() + "videos/link.avi";
    ASSERT_EQ(::symlink(b.c_str(), link.c_str()), 0);
    auto window = OpenMainWindow();
    AddFiles(*window, {a});

    // a again, b twice in one add and a link to b: three repeats, one question.
    AddFiles(*window, {b, a, link, b});
    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{a, b})) << "No leaves the repeats out";
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_TRUE(dialogs_.shown[0].question);
    EXPECT_EQ(dialogs_.shown[0].notice, app::Notice(app::NoticeId::SourcesAlreadyListed, {"3", "a.avi"}));

    dialogs_.Answer(true);
    AddFiles(*window, {b});
    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{a, b, b})) << "Yes adds it again";
    EXPECT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(app::NoticeText(dialogs_.shown[1].notice.value()),
              ui::Ss(Tr("MainDialog", "File already listed").arg("b.avi")));
}

TEST_F(SourceList, RefusedFilesAreToldTogetherInOneBoxAtTheEnd)
{
    FakeEngineScript engine("only-if=good;facts=160,120,3,0,0;result=0");
    std::vector<std::string> files = {Video("good1.avi"), Video("good2.avi")};
    for (int i = 0; i < 10; ++i)
        files.push_back(Video("bad" + std::to_string(i) + ".avi"));
    auto window = OpenMainWindow();
    AddFiles(*window, files);

    EXPECT_EQ(ItemPaths(*window), (std::vector<std::string>{files[0], files[1]}));
    ASSERT_EQ(dialogs_.refusedBatches.size(), 1u);
    const std::vector<app::RefusedFile>& refused = dialogs_.refusedBatches[0];
    ASSERT_EQ(refused.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(refused[i].path, files[i + 2]) << "in the order they were added";
        ASSERT_FALSE(refused[i].notices.empty());
        EXPECT_EQ(refused[i].notices.back().id, app::NoticeId::VideoUnreadable);
    }
}

TEST_F(SourceList, TheRefusedFilesBoxNamesEveryFileWithItsReason)
{
    std::vector<app::RefusedFile> files;
    for (int i = 0; i < 10; ++i)
        files.push_back({"/videos/deep/bad" + std::to_string(i) + ".avi",
                         {app::Notice(app::NoticeId::VideoUnreadable, {"/videos/deep/bad.avi", "avm: no picture"})}});
    files.push_back({"/videos/gone.avi", {app::Notice(app::NoticeId::SourceNotFound, {"/videos/gone.avi"})}});
    auto window = OpenMainWindow();
    QtUserDialogs boxes(window.get());
    QString listed;
    int boxesOpened = 0;
    OnNextModal([&](QWidget* modal) {
        ++boxesOpened;
        auto* box = qobject_cast<ui::RefusedFilesBox*>(modal);
        ASSERT_NE(box, nullptr);
        listed = box->ListText();
        box->accept();
    });
    boxes.ReportRefusedFiles(files);

    EXPECT_EQ(boxesOpened, 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(listed.contains(QStringLiteral("bad%1.avi").arg(i))) << listed.toStdString();
    EXPECT_EQ(listed.count(Tr("MainDialog", "Unsupported  video") + " avm: no picture"), 10);
    EXPECT_TRUE(listed.contains("gone.avi /videos\n" + Tr("MainDialog", "Source not found").remove(':').trimmed()))
        << listed.toStdString();
}

TEST_F(SourceList, CancelKeepsTheRowsProbedSoFarAndAddsNoMore)
{
    FakeEngineScript engine("sleep=400;facts=160,120,3,0,0;result=0");
    std::vector<std::string> files;
    for (int i = 10; i < 26; ++i)
        files.push_back(Video("clip" + std::to_string(i) + ".avi"));
    auto window = OpenMainWindow();
    window->SetFilesChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        QStringList paths;
        for (const std::string& file : files)
            paths << Qs(file);
        return paths;
    });
    window->RunCommand(Command::AddFiles);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->SourceCount() > 0; }, 20000));
    auto* scanning = window->findChild<ui::ScanningWindow*>("scanningWindow");
    ASSERT_TRUE(scanning->isVisible());
    QTest::mouseClick(Find<QPushButton>(scanning, "scanningCancel"), Qt::LeftButton);
    WaitForProbes(*window);

    const std::vector<std::string> rows = ItemPaths(*window);
    ASSERT_GE(rows.size(), 1u);
    EXPECT_LT(rows.size(), files.size());
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), files.begin())) << "the rows are the first files, in order";
    EXPECT_TRUE(dialogs_.refusedBatches.empty()) << "cancelled files are not refused";
    EXPECT_FALSE(scanning->isVisible());
    EXPECT_TRUE(window->isEnabled());
    QTest::qWait(600);
    EXPECT_EQ(window->SourceCount(), static_cast<int>(rows.size())) << "nothing arrives after the cancel";
}

// Which files of a folder are taken is the folder listing's own test.
TEST_F(SourceList, AddFolderStartsAtHomeAndCancelAddsNothing)
{
    FakeEngineScript engine("facts=160,120,3,0,0;result=0");
    const std::string x = Video("x.avi");
    auto window = OpenMainWindow();
    QString caption, startFolder;
    window->SetFolderChooser([&](QWidget*, const QString& c, const QString&, const QString& f) {
        caption = c;
        startFolder = f;
        return Qs(folder_.Path() + "videos");
    });
    RunAndProbe(*window, Command::AddFolder);
    EXPECT_EQ(caption, "Choose Folder");
    EXPECT_EQ(startFolder, QDir::homePath());
    EXPECT_EQ(ItemPaths(*window), std::vector<std::string>{x});

    window->SetFolderChooser([](QWidget*, const QString&, const QString&, const QString&) { return QString(); });
    RunAndProbe(*window, Command::AddFolder);
    EXPECT_EQ(window->SourceCount(), 1) << "cancel adds nothing";
}

TEST_F(SourceList, DroppedFilesFollowTheExtensionRule)
{
    FakeEngineScript engine("facts=160,120,3,0,0;result=0");
    app::Application().product.openFileFilter = "Videos (*.avi)";
    const std::string x = Video("x.avi");
    const std::string notes = Video("notes.txt");
    Video("w.avi/inside.avi");
    auto window = OpenMainWindow();
    auto drop = [&window](const std::vector<std::string>& paths) {
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(Qs(path));
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent dropEvent(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropEvent);
        WaitForProbes(*window);
    };
    drop({folder_.Path() + "videos/w.avi", notes, x});
    EXPECT_EQ(ItemPaths(*window), std::vector<std::string>{x}) << "folders are not entered, notes.txt is skipped";
    EXPECT_TRUE(dialogs_.shown.empty());

    window->SetBusy(true);
    drop({x});
    EXPECT_EQ(window->SourceCount(), 1);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, lang::Text("MainDialog", "Not allow operation"));
}

TEST_F(SourceList, RemoveSelectsTheRowThatTookThePlace)
{
    const struct {
        std::vector<int> removed;
        std::vector<int> kept;
        int selected;
    } cases[] = {
        {{2, 4}, {0, 1, 3, 5}, 2},
        {{4, 5}, {0, 1, 2, 3}, 3},
        {{0, 1, 2, 3, 4, 5}, {}, -1},
        {{}, {0, 1, 2, 3, 4, 5}, -1},
    };
    for (const auto& c : cases) {
        auto window = OpenMainWindow();
        AddRows(*window, 6);
        SelectRows(window.get(), c.removed);
        ListView(window.get())->setFocus();
        QTest::keyClick(ListView(window.get()), Qt::Key_Delete);
        EXPECT_EQ(ItemPaths(*window), Names(c.kept));
        EXPECT_EQ(Column(window.get(), 0), Names(c.kept));
        EXPECT_EQ(Selected(*window), c.selected < 0 ? std::vector<int>{} : std::vector<int>{c.selected});
        if (c.selected >= 0) {
            EXPECT_EQ(ListView(window.get())->currentIndex().row(), c.selected);
        }
    }
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(SourceList, RemoveAllAsksFirst)
{
    auto window = OpenMainWindow();
    window->RunCommand(Command::RemoveAll);
    EXPECT_TRUE(dialogs_.shown.empty()) << "an empty list asks nothing";

    AddRows(*window, 3);
    dialogs_.Answer(false);
    window->RunCommand(Command::RemoveAll);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, lang::Text("MainDialog", "Remove all source"));
    EXPECT_EQ(dialogs_.shown[0].caption, "Test Converter");
    EXPECT_EQ(Column(window.get(), 0).size(), 3u) << "Cancel keeps every row";

    dialogs_.Answer(true);
    window->RunCommand(Command::RemoveAll);
    EXPECT_EQ(window->SourceCount(), 0);
    EXPECT_EQ(Column(window.get(), 0).size(), 0u);
}

TEST_F(SourceList, MovesGoAsBlocksWithTheirItems)
{
    const struct {
        Qt::Key key;
        std::vector<int> selected;
        std::vector<int> order;
        std::vector<int> selectedAfter;
    } cases[] = {
        {Qt::Key_Up, {0, 3}, {0, 1, 2, 3, 4, 5}, {0, 3}},
        {Qt::Key_Up, {2, 3}, {0, 2, 3, 1, 4, 5}, {1, 2}},
        {Qt::Key_Up, {2, 4}, {0, 2, 1, 4, 3, 5}, {1, 3}},
        {Qt::Key_Down, {1, 5}, {0, 1, 2, 3, 4, 5}, {1, 5}},
        {Qt::Key_Down, {1, 2}, {0, 3, 1, 2, 4, 5}, {2, 3}},
        {Qt::Key_Down, {}, {0, 1, 2, 3, 4, 5}, {}},
    };
    for (const auto& c : cases) {
        auto window = OpenMainWindow();
        AddRows(*window, 6);
        window->SetTicked(2, false);
        window->SetRowStatus(2, "Status OK");
        SelectRows(window.get(), c.selected);
        ListView(window.get())->setFocus();
        QTest::keyClick(ListView(window.get()), c.key, Qt::ControlModifier);
        EXPECT_EQ(ItemPaths(*window), Names(c.order));
        EXPECT_EQ(Column(window.get(), 0), Names(c.order));
        EXPECT_EQ(Selected(*window), c.selectedAfter);
        for (int row = 0; row < 6; ++row) {
            const bool isRow2 = c.order[row] == 2;
            EXPECT_EQ(window->IsTicked(row), !isRow2) << "check state moves with the row";
            EXPECT_EQ(Column(window.get(), 4)[row], isRow2 ? "Status OK" : "--");
        }
        EXPECT_TRUE(ListView(window.get())->hasFocus());
    }
}

TEST_F(SourceList, ListKeys)
{
    app::Application().product.subtitleEdition = false;
    auto window = OpenMainWindow();
    AddRows(*window, 3);
    std::vector<Command> ran;
    for (Command command : {Command::SplitVideo, Command::Subtitle})
        window->SetCommandHandler(command, [&ran, command] { ran.push_back(command); });
    SelectRows(window.get(), {1});
    ListView(window.get())->setFocus();
    QTest::keyClick(ListView(window.get()), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(ListView(window.get()), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(ran, (std::vector<Command>{Command::SplitVideo, Command::Subtitle}))
        << "Ctrl+T reaches Subtitle also in the edition without subtitles";
    QTest::keyClick(ListView(window.get()), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selected(*window), (std::vector<int>{0, 1, 2}));
}

// What the dialog returns is its own test (SubtitleDialogsTest); here the
// window asks for one row (as Split does) and stores the result in it only.
TEST_F(SourceList, SubtitleChoiceIsKeptPerRow)
{
    folder_.Write("subs/one.srt", "1\n00:00:00,000 --> 00:00:01,000\nx\n");
    auto window = OpenMainWindow();
    AddRows(*window, 2);
    auto expectMessage = [this](const char* key) {
        ASSERT_FALSE(dialogs_.shown.empty());
        EXPECT_EQ(dialogs_.shown.back().text, lang::Text("MainDialog", key));
        EXPECT_EQ(dialogs_.shown.back().caption, "Test Converter");
    };
    window->RunCommand(Command::Subtitle);
    expectMessage("Select a video");
    SelectRows(window.get(), {0, 1});
    window->RunCommand(Command::Subtitle);
    expectMessage("Select only one");

    SelectRows(window.get(), {1});
    OnNextModal([this](QWidget* modal) {
        auto* dialog = qobject_cast<SubtitleDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->SetFileChooser([this](QWidget*, const std::string&) { return folder_.Path() + "subs/one.srt"; });
        QTest::mouseClick(Find<QPushButton>(dialog, "browseButton"), Qt::LeftButton);
        Find<QComboBox>(dialog, "textSizeList")->setCurrentIndex(2);
        Find<QComboBox>(dialog, "charsetList")->setCurrentIndex(8);
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    window->RunCommand(Command::Subtitle);
    const engine::SourceItem& item = window->SourceAt(1);
    EXPECT_EQ(item.subtitleFile, folder_.Path() + "subs/one.srt");
    EXPECT_EQ(item.subtitleCodePage, "CP1251");
    EXPECT_EQ(item.subtitleTextSize, 5);
    EXPECT_EQ(window->SourceAt(0).subtitleFile, "") << "the other row keeps its own choice";

    OnNextModal([](QWidget* modal) {
        Find<QComboBox>(modal, "textSizeList")->setCurrentIndex(0);
        QTest::mouseClick(Find<QPushButton>(modal, "cancelButton"), Qt::LeftButton);
    });
    // As the window manager does when a dialog closes.
    QApplication::setActiveWindow(window.get());
    ListView(window.get())->setFocus();
    QTest::keyClick(ListView(window.get()), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(window->SourceAt(1).subtitleTextSize, 5) << "Cancel changes nothing";
}

TEST_F(SourceList, PropertiesOpensOnADoubleClickAndKeepsTheChoicePerRow)
{
    auto window = OpenMainWindow();
    AddRows(*window, 2);
    engine::SourceItem& tracked = window->SourceAt(1);
    tracked.tracks[0] = {engine::kTrackAudio, 128, "eng", ""};
    tracked.tracks[1] = {engine::kTrackAudio, 129, "fre", ""};
    tracked.audioTrack = 0;

    // Counts the dialogs the command opens, closing each at once.
    auto opened = [&window](Command command) {
        int count = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&count] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++count;
                modal->close();
            }
        });
        closer.start(0);
        window->RunCommand(command);
        return count;
    };
    SelectRows(window.get(), {0, 1});
    EXPECT_EQ(opened(Command::Properties), 0) << "two rows selected: nothing opens";
    SelectRows(window.get(), {0});
    EXPECT_EQ(opened(Command::Properties), 1) << "the display-only window";
    window->SetBusy(true);
    EXPECT_EQ(opened(Command::Properties), 0);
    window->SetBusy(false);
    EXPECT_TRUE(dialogs_.shown.empty()) << "Properties refuses silently";

    SelectRows(window.get(), {1});
    OnNextModal([](QWidget* modal) {
        Find<QComboBox>(modal, "audioTrackList")->setCurrentIndex(1);
        QTest::mouseClick(Find<QPushButton>(modal, "okButton"), Qt::LeftButton);
    });
    QTreeView* list = ListView(window.get());
    const QRect rowArea = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowArea.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowArea.center());
    EXPECT_EQ(window->SourceAt(1).audioTrack, 1);
    EXPECT_EQ(window->SourceAt(0).audioTrack, -1);
    EXPECT_EQ(Column(window.get(), 0), Names({0, 1})) << "the row texts never change here";
}

TEST_F(SourceList, SplitStoresTheRangeInTheItemAndTheRow)
{
    folder_.Write("prog/Languages/English.ini", "[MainDialog]\nTotal Files Number=Files: \nTotal Duration=Length: \n");
    UseLanguage("English");
    auto window = OpenMainWindow();
    AddRows(*window, 2, 95);
    SelectRows(window.get(), {1});
    auto splitTo = [](int left, int right, const char* button) {
        OnNextModal([=](QWidget* modal) {
            auto* slider = Find<CRangeSlider>(modal, "slider");
            slider->SetLeftRight(left, right);
            Q_EMIT slider->rangeChanged(3);
            QTest::mouseClick(Find<QPushButton>(modal, button), Qt::LeftButton);
        });
    };
    splitTo(10, 70, "saveButton");
    ListView(window.get())->setFocus();
    QTest::keyClick(ListView(window.get()), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->SourceAt(1).trimStart, 10);
    EXPECT_EQ(window->SourceAt(1).trimEnd, 70);
    EXPECT_EQ(Column(window.get(), 2), (std::vector<std::string>{"00:00:00", "00:00:10"}));
    EXPECT_EQ(Column(window.get(), 3), (std::vector<std::string>{"00:01:35", "00:01:10"}));
    EXPECT_EQ(Find<QLabel>(window.get(), "statusLine")->text(), "Files: 2      Length: 00:02:35");

    splitTo(0, 5, "cancelButton");
    window->RunCommand(Command::SplitVideo);
    EXPECT_EQ(window->SourceAt(1).trimStart, 10) << "Cancel keeps the range";
    EXPECT_EQ(window->SourceAt(1).trimEnd, 70);
}

}  // namespace
