// Convert, Join and Stop through the real window, with the fake engine
// acting out each tool run.
#include "JobWindowFixture.h"

#include "app/SettingsStore.h"
#include "lang/IniTextFile.h"
#include "platform/NotifySocket.h"
#include "ui/EngineSession.h"
#include "support/FakeEngine.h"
#include "ui/ShutDownDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

using namespace widget_test;
using testing_support::FakeEngineScript;

namespace {

namespace fs = std::filesystem;

// The working folder a running join made in folder; "" when there is none.
std::string WorkingFolderIn(const std::string& folder)
{
    for (const std::string& name : testing_support::FileNames(folder))
        if (name.starts_with("__tempFolder__"))
            return folder + name + "/";
    return "";
}

std::string Finished(int converted)
{
    return "The job is finished.\n\n" + std::to_string(converted) + " converted, 0 failed";
}
const std::string kStopped = "\n      The job was stopped by the user.      \n";
const std::string kJoinFailed = "\n  Failed to join the videos.  \n\n";
const std::string kOriginalJoinFailed =
    "\nFailed to join the videos.\n\nThe videos cannot be joined in their original format.\n\n"
    "Please choose another output format and try again.\n\n";

class FakeJob : public JobWindow {
protected:
    void SetUp() override
    {
        JobWindow::SetUp();
        testing_support::InstallFakeEngine(Program());
        LoadProfiles(std::string(SOURCE_DIR) + "data/profiles.ini");
        // One run at a time, so that the rows' highlights and stops come in order.
        app::Settings().SimultaneousConversions = 1;
    }

    // Opens the window on the profile and adds the rows a, b and c, each
    // ten seconds long; trimmedRow (if any) is cut to five.
    void OpenWithRows(const std::string& shortName, int trimmedRow = -1)
    {
        Open(SlotOf(shortName));
        for (const char* name : {"a", "b", "c"}) {
            engine::SourceItem item = Clip(folder_.Path() + name + ".avi");
            item.trimEnd = window_->SourceCount() == trimmedRow ? 5 : 10;
            item.videoCodec = "mpeg4";
            item.audioCodec = "mp3";
            item.sampleRate = 44100;
            window_->AppendSource(item);
        }
    }

    // The row the window shows as being converted; -1 for none.
    int HighlightedRow() const
    {
        QTreeView* list = ListView(window_.get());
        const QModelIndex current = list->currentIndex();
        return current.isValid() && list->selectionModel()->isSelected(current) ? current.row() : -1;
    }

    // The busy flag; the output controls and Stop, 1 when enabled; the
    // elapsed time when shown; the bar's range and position.
    std::string Look() const
    {
        std::string look = window_->Busy() ? "busy " : "idle ";
        for (const char* name : {"changeFolderButton", "outputFormatList", "advancedButton", "videoQualityList",
                                 "audioQualityList", "frameRateList", "sizeList", "aspectRatioList", "discLabelEdit",
                                 "letterBoxCheck", "tvTypeList", "stopButton"})
            look += Find<QWidget>(window_.get(), name)->isEnabled() ? "1" : "0";
        if (Find<QLabel>(window_.get(), "elapsedTime")->isVisible())
            look += " elapsed";
        auto* bar = Find<QProgressBar>(window_.get(), "progressBar");
        return look + " " + std::to_string(bar->value()) + "/" + std::to_string(bar->maximum());
    }
};

// Which rows run and what they end with is the job's own test; here the
// window's controls, highlight and list follow it.
TEST_F(FakeJob, AFailingRowIsMarkedAndTheOthersGoOn)
{
    OpenWithRows("generic-mp4");
    FakeEngineScript script("write-output;result=0;sleep=120;only-if=/b.avi;say=cannot open b.avi: Invalid data;result=99");
    dialogs_.takeOffer = true;
    std::vector<std::string> looks;
    std::vector<int> highlighted;
    WhileRunning([&] {
        if (looks.empty() || looks.back() != Look())
            looks.push_back(Look());
        if (HighlightedRow() >= 0 && (highlighted.empty() || highlighted.back() != HighlightedRow()))
            highlighted.push_back(HighlightedRow());
    });
    Convert();

    EXPECT_EQ(looks, std::vector<std::string>{"busy 000000000001 elapsed 0/10000"});
    EXPECT_EQ(highlighted, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Done", "Failed", "Done"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false})) << "Convert again retries the failed row";
    EXPECT_EQ(Messages(), std::vector<std::string>{"The job is finished, but not every video could be converted.\n\n"
                                                   "2 converted, 1 failed\n\nNot converted:\nb.avi"});
    EXPECT_EQ(dialogs_.offered, std::vector<std::string>{"Open Output Folder"});
    ASSERT_EQ(desktop_.opened.size(), 1u) << "the user took the offer";
    EXPECT_EQ(desktop_.opened[0].toLocalFile().toStdString(), OutputFolder());
    EXPECT_EQ(Look(), "idle 111111111110 0/10000");
    EXPECT_EQ(HighlightedRow(), -1);

    QAbstractItemModel* rows = ListView(window_.get())->model();
    for (int column = 1; column < 5; ++column) {
        EXPECT_EQ(rows->index(1, column).data(Qt::ToolTipRole).toString(), "cannot open b.avi: Invalid data");
        EXPECT_FALSE(rows->index(0, column).data(Qt::ToolTipRole).isValid());
    }
    const QString b = QString::fromStdString(folder_.Path() + "b.avi");
    EXPECT_EQ(rows->index(1, 0).data(Qt::ToolTipRole).toString(), b + "\ncannot open b.avi: Invalid data")
        << "the path cell's tip is its path above the reason";
}

// Why a row failed shows in its Properties, and Show Log opens the whole
// log of its run; a row without a log offers none.
TEST_F(FakeJob, AFailedRowShowsItsReasonAndLog)
{
    OpenWithRows("generic-mp4");
    FakeEngineScript script("result=0;say=reading;only-if=/b.avi;say=b.avi is damaged;result=99");
    Convert();

    SelectRows(window_.get(), {1});
    std::string shownReason;
    OnNextModal([&](QWidget* dialog) {
        shownReason = Find<QLineEdit>(dialog, "failureReasonValue")->text().toStdString();
        qobject_cast<QDialog*>(dialog)->accept();
    });
    window_->RunCommand(ui::Command::Properties);
    EXPECT_EQ(shownReason, "b.avi is damaged");

    std::string log;
    OnNextModal([&](QWidget* dialog) {
        log = Find<QPlainTextEdit>(dialog, "logText")->toPlainText().toStdString();
        qobject_cast<QDialog*>(dialog)->reject();
    });
    window_->RunCommand(ui::Command::ShowLog);
    EXPECT_EQ(log, "avm: reading\navm: b.avi is damaged\n");

    SelectRows(window_.get(), {0});
    bool reasonShown = true;
    OnNextModal([&](QWidget* dialog) {
        reasonShown = dialog->findChild<QLineEdit*>("failureReasonValue") != nullptr;
        qobject_cast<QDialog*>(dialog)->accept();
    });
    window_->RunCommand(ui::Command::Properties);
    EXPECT_FALSE(reasonShown) << "a row that converted has no reason to show";
}

TEST_F(FakeJob, StopAsksAndOnlyOkStopsTheRun)
{
    OpenWithRows("generic-mp4");
    FakeEngineScript script("write-output;result=0;only-if=/b.avi;wait-abort");
    bool pressed = false;
    WhileRunning([&] {
        if (HighlightedRow() != 1 || pressed)
            return;
        pressed = true;
        auto* stop = Find<QPushButton>(window_.get(), "stopButton");
        dialogs_.Answer(false);
        stop->click();
        EXPECT_TRUE(job_->Busy()) << "Cancel keeps the run going";
        dialogs_.Answer(true);
        stop->click();
    });
    Convert();

    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Done", "Aborted", "--"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, true}));
    const std::string question = "\n  Do you really want to stop the current job?         \n\n";
    EXPECT_EQ(Messages(), (std::vector<std::string>{question, question, kStopped}));
    EXPECT_EQ(dialogs_.shown[0].caption, "Warning");
    EXPECT_EQ(Look(), "idle 111111111110 0/10000");
}

// The tool of row b leaves its partial file and then ends without success; no trace of it stays in the output folder.
TEST_F(FakeJob, NothingHalfDoneStaysInTheOutputFolder)
{
    // Like the real tools, the fake of row b takes back its success first.
    for (const char* script : {"result=0;only-if=/b.avi;result=1;wait-abort",
                               "result=0;only-if=/b.avi;result=1;sleep=200;crash",
                               "result=0;only-if=/b.avi;sleep=200;result=99"}) {
        SCOPED_TRACE(script);
        for (const bool joiner : {false, true}) {
            fs::remove_all(OutputFolder());
            UseJoinerEdition(joiner);
            OpenWithRows("generic-mp4");
            FakeEngineScript fake(script);
            bool wrote = false;
            WhileRunning([&] {
                if (HighlightedRow() != 1 || wrote)
                    return;
                wrote = true;
                const std::string partial =
                    joiner ? WorkingFolderIn(OutputFolder()) + "002.mp4"
                           : OutputFolder() + ".b.mp4." + std::to_string(::getuid()) + "-" +
                                 std::to_string(::getpid()) + ".part";
                std::ofstream file(partial);
                file << "half";
                EXPECT_TRUE(file.good()) << partial;
                if (std::string(script).find("wait-abort") != std::string::npos) {
                    dialogs_.Answer(true);
                    window_->RunCommand(ui::Command::Stop);
                }
            });
            Convert();
            EXPECT_TRUE(wrote);
            EXPECT_EQ(OutputFiles(), std::vector<std::string>{}) << (joiner ? "joiner" : "converter");
        }
    }
}

TEST_F(FakeJob, NothingTickedStartsNothing)
{
    OpenWithRows("generic-mp4");
    for (int row = 0; row < window_->SourceCount(); ++row)
        window_->SetTicked(row, false);
    Convert();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "\n        " + lang::Text("MainDialog", "One video at least") + "          \n\n");
    EXPECT_FALSE(window_->Busy());
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{}) << "no working folder is left";
}

TEST_F(FakeJob, JoinerFailuresLeaveNoOutput)
{
    UseJoinerEdition();
    const struct {
        const char* profile;
        int trimmedRow;
        const char* script;  // null: the encoder is missing
        std::vector<std::string> statuses;
        std::string message;
    } cases[] = {
        {"generic-mp4", -1, "write-output;result=0;only-if=/b.avi;say=cannot open b.avi;result=99",
         {"Done", "Failed", "--"}, kJoinFailed + "  b.avi: cannot open b.avi"},
        {"generic-original", 0, "write-output;result=0;only-if=/b.avi;result=1", {"Done", "Failed", "--"},
         kOriginalJoinFailed + "b.avi: The tool ended without saying why."},
        // Only the join run names the output folder's a.mp4.
        {"generic-mp4", -1, "write-output;result=0;only-if=out/.a.mp4.;say=cannot create a.mp4;result=1",
         {"Done", "Done", "Done"}, kJoinFailed + "  cannot create a.mp4"},
        {"generic-mp4", -1, nullptr, {"--", "--", "--"}, "Error! Failed to load " + Program() + "avm ."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        OpenWithRows(c.profile, c.trimmedRow);
        EXPECT_EQ(Find<QToolButton>(window_.get(), "convertButton")->text(), "Join");
        if (!c.script)
            fs::remove(Program() + "avm");
        FakeEngineScript script(c.script ? c.script : "");
        Convert();
        EXPECT_EQ(Statuses(), c.statuses);
        EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true})) << "a join that failed can be tried again";
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(OutputFiles(), std::vector<std::string>{}) << "no working folder is left";
        EXPECT_EQ(Look(), "idle 111111111110 0/10000");
    }
}

TEST_F(FakeJob, WhenDoneCountsDownInsteadOfTheFinalMessage)
{
    const struct {
        app::WhenDone action;
        int powerOffs, suspends;
        bool windowCloses;
    } cases[] = {
        {app::WhenDone::ShutDown, 1, 0, false},
        {app::WhenDone::Suspend, 0, 1, false},
        {app::WhenDone::Quit, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        power_ = {};
        app::Settings().whenDone = static_cast<int>(c.action);
        OpenWithRows("generic-mp4");
        FakeEngineScript script("write-output;result=0");
        int countdowns = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<ui::ShutDownDialog*>(QApplication::activeModalWidget())) {
                ++countdowns;
                dialog->accept();
            }
        });
        watch.start(10);
        Convert();
        QCoreApplication::processEvents();
        EXPECT_EQ(countdowns, 1);
        EXPECT_EQ(power_.powerOffs, c.powerOffs);
        EXPECT_EQ(power_.suspends, c.suspends);
        EXPECT_EQ(!window_->isVisible(), c.windowCloses);
        EXPECT_TRUE(dialogs_.shown.empty()) << "no final message box waits for the user";
    }
}

TEST_F(FakeJob, ProgressTextsAreThrottled)
{
    const struct {
        bool joiner;
        const char* profile;
        std::vector<std::tuple<std::string, std::string, std::string>> shown;  // row, stage line, elapsed line
        std::string message;
    } cases[] = {
        {false,
         "generic-mp4",
         {{"  25.00%", "Converting video: 25.00%", "Elapsed time:00:00:00"},
          {"  100.00%", "Converting video: 100.00%", "Elapsed time:01:02:05"}},
         Finished(1)},
        {true,
         "generic-original",
         {{"--", "Joining videos: 25.00%", "Elapsed time:00:00:00"},
          {"--", "Joining videos: 100.00%", "Elapsed time:01:02:05"}},
         "The job is finished.\n\nThe output was made: " + OutputFolder() + "a.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        UseJoinerEdition(c.joiner);
        OpenWithRows(c.profile);
        window_->SetTicked(1, false);
        window_->SetTicked(2, false);
        // The job starts at 1 s; the second message comes 150 ms after the
        // first and is dropped; the third comes 3725 s after the start.
        clock_.times = {1000, 1200, 1350, 3726000};
        FakeEngineScript script(
            "write-output;result=0;progress=0,2500;sleep=150;progress=0,5000;sleep=150;progress=0,12000;sleep=150");
        std::vector<std::tuple<std::string, std::string, std::string>> shown;
        std::vector<int> bar;
        std::vector<std::string> titles, counts;
        WhileRunning([&] {
            const auto now = std::make_tuple(Statuses()[0],
                                             Find<QLabel>(window_.get(), "statusLine")->text().toStdString(),
                                             Find<QLabel>(window_.get(), "elapsedTime")->text().toStdString());
            if (std::get<2>(now).empty() || (!shown.empty() && shown.back() == now))
                return;
            shown.push_back(now);
            bar.push_back(Find<QProgressBar>(window_.get(), "progressBar")->value());
            titles.push_back(window_->windowTitle().toStdString());
            counts.push_back(Find<QLabel>(window_.get(), "rowCount")->text().toStdString());
        });
        Convert();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(bar, (std::vector<int>{2500, 10000}));
        EXPECT_EQ(titles, (std::vector<std::string>{"25% – Test Converter", "100% – Test Converter"}));
        EXPECT_EQ(counts, (c.joiner ? std::vector<std::string>{"", ""}
                                    : std::vector<std::string>{"File 1 of 1", "File 1 of 1"}));
        EXPECT_EQ(window_->windowTitle().toStdString(), "Test Converter") << "the percentage goes with the job";
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    }
}

TEST_F(FakeJob, DiscImageProfilesShowTheProgressBarOnlyWhileBusy)
{
    app::Settings().DiscLabel = "MyDisc";
    OpenWithRows("disc-dvdimg");
    auto* strip = Find<QStackedWidget>(window_.get(), "bottomStrip");
    EXPECT_EQ(strip->currentIndex(), 1);
    FakeEngineScript script("write-output;result=0;sleep=120");
    std::vector<int> pages;
    WhileRunning([&] {
        if (pages.empty() || pages.back() != strip->currentIndex())
            pages.push_back(strip->currentIndex());
    });
    Convert();
    EXPECT_EQ(pages, std::vector<int>{0});
    EXPECT_EQ(strip->currentIndex(), 1);
}

TEST_F(FakeJob, TheWindowStaysOpenWhileBusyAndLeavesNothingBehindWhenClosed)
{
    OpenWithRows("generic-mp4");
    FakeEngineScript script("write-output;result=0;sleep=100");
    bool tried = false;
    WhileRunning([&] {
        if (tried)
            return;
        tried = true;
        EXPECT_FALSE(window_->close());
        window_->RunCommand(ui::Command::Convert);
    });
    Convert();
    EXPECT_TRUE(tried);
    const std::string refused = "This operation is not possible while a job is running.";
    EXPECT_EQ(Messages(), (std::vector<std::string>{refused, refused, Finished(3)}));

    const std::string name = window_->Engine().block.Name();
    EXPECT_EQ(name, app::Application().appSharedName + "." + std::to_string(::getuid()) + "-" +
                        std::to_string(::getpid()));
    const std::string socket = platform::NotifySocketPath(name, ::getpid());
    EXPECT_TRUE(fs::exists("/dev/shm/" + name));
    EXPECT_TRUE(fs::exists(socket));
    EXPECT_TRUE(window_->close());
    EXPECT_FALSE(fs::exists("/dev/shm/" + name));
    EXPECT_FALSE(fs::exists(socket));
}

}  // namespace
