// What a run leaves and reports: where outputs go with --overwrite and
// --skip-existing, the tally of the summary, and the commands --verbose shows.
#include "cli/ExistingOutputs.h"
#include "cli/RunSummary.h"
#include "cli/ToolLogEcho.h"
#include "profiles/ProfileKind.h"

#include "lang/IniTextFile.h"
#include "support/FakeClock.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

engine::JobSpec Spec(const std::string& shortName, const std::string& extension, bool join)
{
    engine::JobSpec spec;
    spec.profile.profile_shortname = shortName;
    spec.profile.kind = profiles::ParseProfileKind(shortName);
    spec.profile.file_extname = extension;
    spec.settings.outputFolder = "/out/";
    spec.settings.discLabel = "Holiday";
    spec.joinerMode = join;
    for (const char* path : {"/in/first.avi", "/in/second.mkv"}) {
        engine::JobRow row;
        row.item.path = path;
        spec.rows.push_back(row);
    }
    return spec;
}

TEST(ExistingOutputs, TheNameEachOutputIsMeantToHave)
{
    const struct {
        const char* shortName;
        const char* extension;
        bool join;
        bool oneOutput;
        const char* second;  // of the second source
    } cases[] = {
        {"generic-mp4", ".mp4", false, false, "/out/second.mp4"},
        {"generic-original", "", false, false, "/out/second.mkv"},
        {"generic-mp4", ".mp4", true, true, "/out/first.mp4"},
        {"generic-original", "", true, true, "/out/first.avi"},
        {"disc-dvdimg", ".vob", false, true, "/out/Holiday"},
        {"disc-vcdimg", ".mpg", true, true, "/out/Holiday"},
    };
    for (const auto& c : cases) {
        const engine::JobSpec spec = Spec(c.shortName, c.extension, c.join);
        EXPECT_EQ(engine::MakesOneOutput(spec), c.oneOutput) << c.shortName << " " << c.join;
        EXPECT_EQ(cli::IntendedOutput(spec, spec.rows[1].item), c.second) << c.shortName << " " << c.join;
    }

    engine::JobSpec longName = Spec("generic-mp4", ".mp4", false);
    longName.rows[1].item.path = "/in/" + std::string(300, 'n') + ".mkv";
    EXPECT_EQ(fs::path(cli::IntendedOutput(longName, longName.rows[1].item)).filename(), std::string(251, 'n') + ".mp4")
        << "the name the job gives it, cut to the folder's limit";
}

TEST(ExistingOutputs, ReplacingPutsTheNewFileOrFolderInThePlaceOfTheOld)
{
    testing_support::TestFolder folder;
    const std::string out = folder.Path() + "out/";
    folder.Write("out/clip.mp4", "old");
    folder.Write("out/clip_1.mp4", "new");
    EXPECT_EQ(cli::ReplaceOutput(out + "clip_1.mp4", out + "clip.mp4"), "");
    EXPECT_EQ(folder.Read("out/clip.mp4"), "new");
    EXPECT_FALSE(fs::exists(out + "clip_1.mp4"));

    folder.Write("out/Disc/VIDEO_TS/old.IFO", "old");
    folder.Write("out/Disc_1/VIDEO_TS/new.IFO", "new");
    EXPECT_EQ(cli::ReplaceOutput(out + "Disc_1", out + "Disc"), "");
    EXPECT_EQ(testing_support::FileNames(out), (std::vector<std::string>{"Disc", "clip.mp4"}));
    EXPECT_EQ(testing_support::FileNames(out + "Disc/VIDEO_TS/"), std::vector<std::string>{"new.IFO"});

    // A new output that is not there replaces nothing.
    EXPECT_NE(cli::ReplaceOutput(out + "gone_1", out + "Disc"), "");
    EXPECT_EQ(testing_support::FileNames(out), (std::vector<std::string>{"Disc", "clip.mp4"}));
    EXPECT_EQ(testing_support::FileNames(out + "Disc/VIDEO_TS/"), std::vector<std::string>{"new.IFO"});
    EXPECT_NE(cli::ReplaceOutput(out + "gone_1.mp4", out + "clip.mp4"), "");
    EXPECT_EQ(folder.Read("out/clip.mp4"), "new");
}

class RunSummaryTest : public ::testing::Test {
protected:
    RunSummaryTest()
    {
        for (const char* key : {"Status OK", "Status Fail", "Status Abortive"})
            lang::LanguageTable().SetValue("MainDialog", key, key, true);
    }
    ~RunSummaryTest() override { lang::LanguageTable() = lang::IniTextFile(); }

    std::string Tally(const std::vector<const char*>& statuses, bool oneOutput, bool made, bool stopped)
    {
        std::ostringstream out;
        cli::TerminalView view(out, cli::TerminalView::Style::Quiet, clock_);
        for (std::size_t row = 0; row < statuses.size(); ++row)
            view.AddSource({});
        for (std::size_t row = 0; row < statuses.size(); ++row)
            view.SetStatus(static_cast<int>(row), statuses[row]);
        const cli::RunTally tally = cli::TallyRows(view, oneOutput, made, stopped);
        return std::to_string(tally.converted) + "/" + std::to_string(tally.failed) + "/" +
               std::to_string(tally.skipped);
    }

    testing_support::FakeClock clock_;
};

TEST_F(RunSummaryTest, RowsCountAsConvertedFailedOrSkipped)
{
    const struct {
        std::vector<const char*> statuses;
        bool oneOutput, made, stopped;
        const char* tally;  // converted/failed/skipped
    } cases[] = {
        {{"Status OK", "Status Fail", "Status OK"}, false, true, false, "2/1/0"},
        {{"Status OK", "Status Abortive", "--"}, false, true, true, "1/0/2"},
        {{"--", "--"}, false, false, false, "0/2/0"},  // the job did not start
        {{"Status OK", "Status OK"}, true, true, false, "2/0/0"},
        {{"Status OK", "Status OK"}, true, false, false, "0/2/0"},  // the join failed
        {{"Status OK", "Status OK"}, true, false, true, "0/0/2"},   // the join was stopped
        {{"Status OK", "Status Fail", "--"}, true, false, false, "0/3/0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tally(c.statuses, c.oneOutput, c.made, c.stopped), c.tally) << c.tally;

    EXPECT_EQ(cli::SummaryText({"/out/a.mp4", "/out/b b.mp4"}, {2, 1, 3}, "/out/"),
              "/out/a.mp4\n/out/b b.mp4\n2 converted, 1 failed, 3 skipped; output in /out\n");
    EXPECT_EQ(cli::SummaryText({}, {}, "/"), "0 converted, 0 failed, 0 skipped; output in /\n");
}

TEST(ToolLogEcho, CommandsAreQuotedForTheShell)
{
    EXPECT_EQ(cli::ShellCommand("/p/avm", {"-sfm", "A_1.0-2", "-vf", "scale=320:240,harddup", "-o", "/o/a b.mp4"}),
              "/p/avm -sfm A_1.0-2 -vf scale=320:240,harddup -o '/o/a b.mp4'");
    EXPECT_EQ(cli::ShellCommand("/my tools/avm", {"", "it's", "$HOME", "a\"b", "*", "x;y", "tab\there"}),
              "'/my tools/avm' '' 'it'\\''s' '$HOME' 'a\"b' '*' 'x;y' 'tab\there'");
}

}  // namespace
