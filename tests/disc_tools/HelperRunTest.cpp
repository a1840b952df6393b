#include "authoring/HelperRun.h"
#include "dvdimage/DvdauthorProgress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

using authoring::HelperOutcome;
using authoring::HelperProgress;

namespace {

struct Recorded {
    std::vector<HelperProgress> progress;
    bool stopAfterFirstProgress = false;
};

authoring::HelperHooks Hooks(Recorded& recorded)
{
    return {dvdimage::ParseDvdauthorLine,
            [&recorded] { return recorded.stopAfterFirstProgress && !recorded.progress.empty(); },
            [&recorded](const HelperProgress& progress) { recorded.progress.push_back(progress); }};
}

authoring::HelperCommand Shell(const std::string& script)
{
    return {"sh", {"-c", script}, {"EXTRA=from the tool"}, ""};
}

}  // namespace

TEST(HelperRun, OutcomeFollowsTheExitAndRepeatedProgressIsSentOnce)
{
    Recorded recorded;
    EXPECT_EQ(authoring::RunHelper(Shell("printf 'STAT: VOBU 1 at 1MB, 1 PGCs\\rSTAT: VOBU 2 at 1MB, 1 PGCs\\r"
                                         "STAT: fixed 2 VOBUs'; [ \"$EXTRA\" = 'from the tool' ]"),
                                   Hooks(recorded)),
              HelperOutcome::Completed);
    ASSERT_EQ(recorded.progress.size(), 2u) << "1 MB twice, then the end without a line feed";
    EXPECT_EQ(recorded.progress[0].stage, 1);
    EXPECT_EQ(recorded.progress[1].value, 100);

    testing::internal::CaptureStderr();
    EXPECT_EQ(authoring::RunHelper(Shell("echo 'ERR: cannot open a.vob' >&2; echo; exit 3"), Hooks(recorded)),
              HelperOutcome::Failed);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(log.ends_with("sh ended with exit code 3: ERR: cannot open a.vob\n"))
        << "the log ends with the helper's last words, which say why\n" << log;
    EXPECT_EQ(authoring::RunHelper(Shell("kill -9 $$"), Hooks(recorded)), HelperOutcome::Failed);
    EXPECT_EQ(authoring::RunHelper({"diziv-no-such-program", {}, {}, ""}, Hooks(recorded)), HelperOutcome::Failed);
}

TEST(HelperRun, AStopRequestEndsTheHelperAndWhatItStarted)
{
    Recorded recorded;
    recorded.stopAfterFirstProgress = true;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(authoring::RunHelper(Shell("echo 'STAT: VOBU 1 at 1MB, 1 PGCs'; sleep 30 & wait"), Hooks(recorded)),
              HelperOutcome::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(recorded.progress.size(), 1u);
}
