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
        for (const char* key : {"Status OK", "Status Fail", "Status Abortive", "Converting Video", "Time Left"})
            lang::LanguageTable().SetValue("MainDialog", key, key, true);
    }
    ~TerminalViewTest() override { lang::LanguageTable() = lang::IniTextFile(); }

    cli::TerminalView Make(cli::TerminalView::Style style)
    {
        cli::TerminalView view(out_, style, clock_);
        for (const char* path : {"/v/a.avi", "/v/b.avi"}) {
            engine::SourceItem item;
            item.path = path;
            item.trimEnd = 90;
            view.AddSource(item);
        }
        return view;
    }
    static engine::ProgressView Progress(int position, const std::string& stage)
    {
        return {position, std::nullopt, stage + ": " + std::to_string(position / 100) + "%", "Elapsed:00:00:04"};
    }

    std::ostringstream out_;
    testing_support::FakeClock clock_;
    testing_support::RecordingDialogs dialogs_;
};

TEST_F(TerminalViewTest, PlainLinesNameEachSourceAndStageOnce)
{
    cli::TerminalView view = Make(cli::TerminalView::Style::Plain);
    view.ShowBusy(true);
    view.SetStatus(0, "--");
    view.SetHotRow(0);
    view.ShowProgress(0, Progress(5000, "Converting"));
    view.SetStatus(0, "Status OK");
    view.SetHotRow(1);
    view.SetStatus(1, "Status Fail");
    view.ShowProgress(2, Progress(1000, "Creating DVD Image"));
    view.ShowProgress(2, Progress(9000, "Creating DVD Image"));
    view.ShowBusy(false);
    EXPECT_EQ(out_.str(), "[1/2] /v/a.avi: Converting Video\n[1/2] /v/a.avi: Status OK\n"
                          "[2/2] /v/b.avi: Converting Video\n[2/2] /v/b.avi: Status Fail\n"
                          "Creating DVD Image: 10%\n");
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

TEST_F(TerminalViewTest, LiveLineEstimatesTheTimeLeftFromThePaceSoFar)
{
    cli::TerminalView view = Make(cli::TerminalView::Style::Live);
    view.SetHotRow(1);
    view.ShowProgress(0, Progress(100, "Converting"));
    EXPECT_NE(out_.str().find("Time Left: --:--:--"), std::string::npos) << "no estimate within the first second";
    clock_.Advance(10000);
    view.ShowProgress(0, Progress(2500, "Converting"));
    EXPECT_NE(out_.str().find("\r\033[K[2/2] b.avi  Converting: 25%  Elapsed:00:00:04  Time Left: 00:00:30"),
              std::string::npos)
        << out_.str();
    view.EndLine();
    view.EndLine();
    EXPECT_EQ(out_.str().back(), '\n');
    EXPECT_NE(out_.str().substr(out_.str().size() - 2), "\n\n");
}

}  // namespace
