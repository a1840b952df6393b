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
        view.ShowProgress(0, Progress(position, "Converting"));
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
                           "[1/2] /v/a.avi: Converting: 12%  Elapsed Time: 00:00:02  Time Left: 00:00:14 (job 00:00:31)",
                           "[1/2] /v/a.avi: Converting: 21%  Elapsed Time: 00:00:04  Time Left: 00:00:15 (job 00:00:34)",
                           "[1/2] /v/a.avi: Converting: 50%  Elapsed Time: 00:00:05  Time Left: 00:00:05 (job 00:00:15)",
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
    quiet.ShowProgress(0, Progress(5000, "Converting"));
    quiet.SetStatus(0, "Status OK");
    quiet.ShowBusy(false);
    EXPECT_EQ(out_.str(), "") << "quiet prints nothing";
}

// The source's estimate comes from its own pace; the job's from the share
// of all sources' trimmed lengths converted in the job's time so far.
TEST_F(TerminalViewTest, LiveLineEstimatesTheTimeLeftOfTheSourceAndTheJob)
{
    cli::TerminalView view = Make(cli::TerminalView::Style::Live, 3);
    view.ShowBusy(true);
    view.SetHotRow(0);
    clock_.Advance(20000);
    view.SetStatus(0, "Status OK");
    view.SetHotRow(1);
    view.ShowProgress(0, Progress(100, "Converting"));
    EXPECT_NE(out_.str().find("Time Left: --:--:-- (job 00:00:26)"), std::string::npos)
        << "no estimate for the source within its first second\n" << out_.str();
    clock_.Advance(10000);
    view.ShowProgress(0, Progress(2500, "Converting"));
    // 90 + 22.5 of 210.5 s in 30 s.
    EXPECT_NE(out_.str().find("\r\033[K[2/3] b.avi  Converting: 25%  Elapsed Time: 00:00:30  Time Left: 00:00:30 (job "
                              "00:00:26)"),
              std::string::npos)
        << out_.str();
    view.EndLine();
    view.EndLine();
    EXPECT_EQ(out_.str().back(), '\n');
    EXPECT_NE(out_.str().substr(out_.str().size() - 2), "\n\n");
}

}  // namespace
