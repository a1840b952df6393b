#include "cli/TerminalDialogs.h"
#include "cli/TerminalView.h"

#include "lang/IniTextFile.h"
#include "support/FakeClock.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(TerminalDialogs, BoxTextsLoseTheirFramingAndQuestionsTakeTheSafeAnswer)
{
    EXPECT_EQ(cli::TidyMessage("\n        One video at least          \n\n"), "One video at least");
    EXPECT_EQ(cli::TidyMessage("\n\n A \n\n  B\n"), "A B");

    std::ostringstream out;
    cli::TerminalDialogs careful(out, false);
    int ended = 0;
    careful.SetBeforeOutput([&ended] { ++ended; });
    careful.Report({app::NoticeId::ToolNotLoaded, {"/p/avm"}});
    EXPECT_FALSE(careful.Question("Not enough space.\n", "App"));
    EXPECT_FALSE(careful.Confirm("Sure?", "Warning"));
    EXPECT_EQ(out.str(), "diziv-cli: Error! Failed to load /p/avm .\n"
                         "diziv-cli: Not enough space.\n-> No (--yes would answer Yes)\n"
                         "diziv-cli: Sure?\n-> Cancel (--yes would answer OK)\n");
    EXPECT_EQ(ended, 3);

    std::ostringstream yesOut;
    cli::TerminalDialogs bold(yesOut, true);
    EXPECT_TRUE(bold.Question("Go on?", "App"));
    EXPECT_TRUE(bold.Confirm("Sure?", "Warning"));
}

class TerminalViewTest : public ::testing::Test {
protected:
    TerminalViewTest()
    {
        for (const char* key :
             {"Status OK", "Status Fail", "Status Abortive", "Converting Video", "Time Left", "Elapsed Time"})
            lang::LanguageTable().SetValue("MainDialog", key, key, true);
    }
    ~TerminalViewTest() override { lang::LanguageTable() = lang::IniTextFile(); }

    // Sources of 90 s each, the last trimmed to its seconds 30 to 60.5.
    cli::TerminalView Make(cli::TerminalView::Style style, int sources = 2)
    {
        cli::TerminalView view(out_, style, clock_);
        for (int i = 0; i < sources; ++i) {
            engine::SourceItem item;
            item.path = "/v/" + std::string(1, static_cast<char>('a' + i)) + ".avi";
            item.duration = 90;
            item.trimEnd = 90;
            if (i == sources - 1 && sources > 2) {
                item.trimStart = 30;
                item.trimEnd = 60;
                item.trimEndMs = 500;
            }
            view.AddSource(item);
        }
        return view;
    }
    static engine::ProgressView Progress(int position, const std::string& stage)
    {
        engine::ProgressView view;
        view.position = position;
        view.stageLine = stage + ": " + std::to_string(position / 100) + "%";
        return view;
    }
    // A message of row at its own rowPosition, the job being at jobPosition.
    static engine::ProgressView RowProgress(int row, int rowPosition, int jobPosition, const std::string& timeLeft = "")
    {
        engine::ProgressView view = Progress(jobPosition, "Converting");
        view.row = row;
        view.rowPosition = rowPosition;
        view.rowText = "  " + std::to_string(rowPosition / 100) + "%";
        view.timeLeftLine = timeLeft;
        return view;
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(out_.str());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::ostringstream out_;
    testing_support::FakeClock clock_;
    testing_support::RecordingDialogs dialogs_;
};

TEST_F(TerminalViewTest, PlainLinesNameEachSourceAndStageAndEveryTenPercent)
{
    cli::TerminalView view = Make(cli::TerminalView::Style::Plain);
    view.ShowBusy(true);
    view.SetStatus(0, "--");
    view.SetHotRow(0);
    for (int position : {500, 1200, 1900, 2100, 5000}) {
        clock_.Advance(1000);
        view.ShowProgress(0, RowProgress(0, position, position / 2, position < 2000 ? "" : "Time Left: 00:00:14"));
    }
    view.SetStatus(0, "Status OK");
    view.SetHotRow(1);
    view.SetStatus(1, "Status Fail");
    view.ShowProgress(2, Progress(300, "Creating DVD Image"));
    view.ShowProgress(2, Progress(900, "Creating DVD Image"));
    view.ShowProgress(2, Progress(9000, "Creating DVD Image"));
    view.ShowBusy(false);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[1/2] /v/a.avi: Converting Video",
                           "[1/2] /v/a.avi: 12%  Converting: 6%  Elapsed Time: 00:00:02  Time Left: --:--:--",
                           "[1/2] /v/a.avi: 21%  Converting: 10%  Elapsed Time: 00:00:04  Time Left: 00:00:14",
                           "[1/2] /v/a.avi: 50%  Converting: 25%  Elapsed Time: 00:00:05  Time Left: 00:00:14",
                           "[1/2] /v/a.avi: Status OK",
                           "[2/2] /v/b.avi: Converting Video",
                           "[2/2] /v/b.avi: Status Fail",
                           "Creating DVD Image: 3%  Elapsed Time: 00:00:05  Time Left: --:--:--",
                           "Creating DVD Image: 90%  Elapsed Time: 00:00:05  Time Left: --:--:--",
                       }));
    EXPECT_EQ(view.FailedRows(), 1);
    EXPECT_TRUE(view.JobStarted());

    out_.str("");
    cli::TerminalView quiet = Make(cli::TerminalView::Style::Quiet);
    quiet.SetHotRow(0);
    quiet.ShowProgress(0, RowProgress(0, 5000, 5000));
    quiet.SetStatus(0, "Status OK");
    quiet.ShowBusy(false);
    EXPECT_EQ(out_.str(), "") << "quiet prints nothing";
}

// Rows running at once each show their own share beside the job's, with
// the count of rows done and running and the job's time left.
TEST_F(TerminalViewTest, LiveLineShowsTheRowTheJobAndTheTimeLeft)
{
    cli::TerminalView view = Make(cli::TerminalView::Style::Live, 3);
    view.ShowBusy(true);
    view.SetHotRow(0);
    view.SetHotRow(1);
    clock_.Advance(30000);
    engine::ProgressView shown = RowProgress(1, 2500, 4200, "Time Left: 00:00:41");
    shown.runningRows = 2;
    shown.countLine = "0 of 3 done, 2 running";
    view.ShowProgress(0, shown);
    EXPECT_EQ(out_.str(), "\r\033[K[2/3] b.avi 25%  Converting: 42%  0 of 3 done, 2 running  Elapsed Time: 00:00:30  "
                          "Time Left: 00:00:41");
    view.EndLine();
    view.EndLine();
    EXPECT_EQ(out_.str().back(), '\n');
    EXPECT_NE(out_.str().substr(out_.str().size() - 2), "\n\n");
}

}  // namespace
