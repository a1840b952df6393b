#include "app/Application.h"
#include "engine/JoinFormats.h"
#include "engine/OutputNaming.h"
#include "engine/ParallelRuns.h"
#include "engine/ProgressReport.h"
#include "lang/IniTextFile.h"
#include "support/FakeClock.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace engine;
using testing_support::TestFolder;

namespace {

profiles::OutputProfile Profile(const char* shortName, const char* extension)
{
    profiles::OutputProfile profile;
    profile.profile_shortname = shortName;
    profile.kind = profiles::ParseProfileKind(shortName);
    profile.file_extname = extension;
    return profile;
}

}  // namespace

TEST(OutputNaming, DotsOriginalsAndJoins)
{
    TestFolder folder;
    const std::string out = folder.Path() + "out/";
    const std::string work = out + "__tempFolder__/";
    folder.Write("out/__tempFolder__/001.vob", "");
    folder.Write("out/clip.mp4", "");
    folder.Write("out/clip_1.mp4", "");

    const auto mp4 = Profile("generic-mp4", ".mp4");
    EXPECT_EQ(SourceOutputName(mp4, "/v/my.holiday.avi", out, work, 1), out + "my.holiday.mp4");
    EXPECT_EQ(SourceOutputName(Profile("generic-original", ""), "/v/clip.MKV", out, work, 1), out + "clip.MKV")
        << "original keeps the source's extension";

    EXPECT_EQ(OutputExtension(Profile("generic-original", ""), "/v/a.b/clip.Mov"), ".Mov");
    EXPECT_EQ(OutputExtension(Profile("generic-original", ""), "/v/a.b/clip"), "");
    EXPECT_EQ(SourceOutputName(Profile("disc-vcdimg", ".mpg"), "/v/clip.avi", out, work, 12), work + "012.mpg")
        << "disc parts are numbered by their place in the job";
    EXPECT_EQ(JoinOutputName("/v/clip.avi", out, ".mp4").Path(), out + "clip_2.mp4");
}

TEST(JoinFormats, UnconvertedJoinsNeedOneFormat)
{
    SourceItem a;
    a.width = 320;
    a.height = 240;
    a.sampleRate = 44100;
    a.videoCodec = "mpeg4";
    a.audioCodec = "mp3";
    SourceItem b = a;
    b.videoCodec = "MPEG4";
    SourceItem c = a;
    c.sampleRate = 48000;

    const auto original = Profile("generic-original", "");
    EXPECT_TRUE(CheckJoinFormats(original, {&a, &b, &a}).Succeeded()) << "codec names ignore case";
    EXPECT_TRUE(CheckJoinFormats(Profile("generic-mp4", ".mp4"), {&a, &c}).Succeeded()) << "converted joins";
    EXPECT_EQ(CheckJoinFormats(original, {&a, &b, &c}).Failure(), app::Notice(app::NoticeId::JoinNeedsOneFormat));
}

TEST(OutputNaming, NumberedFilesStopAtTheFirstGap)
{
    TestFolder folder;
    folder.Write("w/001.avi", "");
    folder.Write("w/002.avi", "");
    folder.Write("w/004.avi", "");
    EXPECT_EQ(NumberedFiles(folder.Path() + "w/", ".avi"),
              (std::vector<std::string>{folder.Path() + "w/001.avi", folder.Path() + "w/002.avi"}));
    EXPECT_TRUE(NumberedFiles(folder.Path() + "w/", ".mp4").empty());
    EXPECT_TRUE(NumberedFiles("", ".avi").empty());
}

// Encodes and joins are followed through the window's own progress test;
// these are the disc stages, which never write into a row.
TEST(ProgressReport, DiscStages)
{
    lang::LanguageTable().SetValue("MainDialog", "Creating DVD Image", "Authoring DVD", true);
    testing_support::FakeClock clock;
    ProgressReport report(clock);
    report.Start();

    clock.Advance(250);
    auto view = report.OnEngineProgress(2, 37, {});
    ASSERT_TRUE(view);
    EXPECT_EQ(view->position, 3700);
    EXPECT_FALSE(view->rowText);
    EXPECT_EQ(view->stageLine, "Authoring DVD: 37.00%");

    clock.Advance(300);
    ProgressReport::JobPhase checking;
    view = report.OnEngineProgress(1, 50, checking);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->position, 0) << "no VOB total, no division";
    clock.Advance(300);
    checking.dvdTotalMB = 200;
    EXPECT_EQ(report.OnEngineProgress(1, 50, checking)->position, 2500);
    clock.Advance(300);
    EXPECT_EQ(report.OnEngineProgress(9, 77, {})->stageLine, ": 0.77%");
}

// Automatic runs as many conversions as the processors keep busy for the
// largest frame; a chosen number holds, but never beyond the rows.
TEST(ParallelRuns, AutomaticFollowsProcessorsAndFrameSize)
{
    const auto rows = [](std::vector<int> heights) {
        std::vector<JobRow> list;
        for (int height : heights) {
            JobRow row;
            row.item.height = height;
            list.push_back(row);
        }
        return list;
    };
    const struct {
        int setting;
        std::vector<int> heights;
        int processors;
        int runs;
    } cases[] = {
        {kAutomaticRuns, {360, 360, 360}, 2, 2},     {kAutomaticRuns, {360, 1080}, 2, 1},
        {kAutomaticRuns, {1080, 1080, 1080}, 8, 2},  {kAutomaticRuns, std::vector<int>(9, 240), 16, 4},
        {kAutomaticRuns, {2160, 2160}, 4, 1},        {kAutomaticRuns, {720, 720, 720}, 6, 3},
        {3, {360, 360}, 1, 2},                       {1, {360, 360, 360}, 16, 1},
        {9, {360, 360, 360}, 2, 2},                  {kAutomaticRuns, {}, 4, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParallelRuns(c.setting, rows(c.heights), c.processors), c.runs)
            << c.setting << " with " << c.heights.size() << " rows on " << c.processors << " processors";
    }
}
