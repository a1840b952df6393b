// The speed choice reaching the encoders, and a run below 100 % CPU usage
// giving way to the rest of the machine.
#include "AvmRunner.h"
#include "TestClips.h"
#include "support/ProcessScan.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

using namespace avm_test;

namespace {

// The nice value of every thread of a process, from /proc/<pid>/task/*/stat.
std::vector<int> ThreadNiceValues(pid_t pid)
{
    std::vector<int> values;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "stat");
        const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        // The fields after "pid (name)" begin with the state, field 3; nice is field 19.
        std::istringstream fields(stat.substr(close + 2));
        std::string field;
        for (int number = 3; number <= 19 && fields >> field; ++number)
            if (number == 19)
                values.push_back(std::stoi(field));
    }
    return values;
}

// One second of a moving picture, made once per test program.
const std::string& SpeedClip()
{
    static const std::string clip = [] {
        const std::string path = Clips().folder + "speed.mkv";
        MakeClip({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=1", "-c:v", "ffv1", path});
        return path;
    }();
    return clip;
}

class AvmSpeed : public ::testing::Test {
protected:
    testing_support::TestFolder folder_;
    AvmRunner runner_{folder_.Path()};
};

// x264 and x265 name their settings in the stream: subme follows the
// preset (x264 veryfast 2, medium 7, slow 8; x265 veryfast 1, medium 2,
// slow 3). SVT-AV1 and VP9 write none; their values must be accepted.
TEST_F(AvmSpeed, FasterAndBetterPickTheEncodersPresets)
{
    const struct {
        std::string options, speed, subme;
    } cases[] = {
        {"-ovc x264 -x264encopts crf=30", "", "7"},
        {"-ovc x264 -x264encopts crf=30", "faster", "2"},
        {"-ovc x264 -x264encopts crf=30", "better", "8"},
        {"-ovc x264 -x264encopts crf=30", "balanced", "7"},
        {"-ovc x265 -x265encopts crf=30", "faster", "1"},
        {"-ovc x265 -x265encopts crf=30", "better", "3"},
        {"-ovc svtav1 -svtav1encopts crf=50:preset=8", "faster", ""},
        {"-ovc svtav1 -svtav1encopts crf=50:preset=8", "better", ""},
        {"-ovc vpx -vpxencopts crf=40:deadline=good:cpu-used=4", "faster", ""},
        {"-ovc vpx -vpxencopts crf=40:deadline=good:cpu-used=4", "better", ""},
        {"-ovc lavc -lavcopts vcodec=mpeg4", "better", ""},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options + " -speed " + c.speed);
        const std::string out = folder_.Path() + std::to_string(++number) + ".mkv";
        const std::string speed = c.speed.empty() ? "" : " -speed " + c.speed;
        RunResult result =
            runner_.Run(ConversionArgs(SpeedClip(), c.options + speed + " -nosound -of lavf -lavfopts format=mkv", out));
        ASSERT_EQ(result.resultCode, 0) << result.log;
        if (!c.subme.empty()) {
            EXPECT_EQ(EncoderSetting(out, "subme"), c.subme);
        }
    }
}

// Linux keeps the nice value per thread: every thread the libraries start
// must inherit the lower priority.
TEST_F(AvmSpeed, ARunBelowFullCpuUsageRunsEveryThreadAtALowerPriority)
{
    engine::StoreField(runner_.Record().cpu_usage, 2);
    std::vector<int> niceValues;
    std::thread watcher([this, &niceValues] {
        // Once the libraries have started threads of their own, the run is stopped.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (niceValues.size() < 2 && std::chrono::steady_clock::now() < deadline) {
            for (pid_t pid : testing_support::ProcessesHolding(runner_.Name()))
                niceValues = ThreadNiceValues(pid);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        engine::StoreField(runner_.Record().abort_request, 1);
    });
    RunResult result = runner_.Run(ConversionArgs(
        Clips().longClip, "-ovc x264 -x264encopts crf=30:preset=slow -nosound -of lavf -lavfopts format=mkv",
        folder_.Path() + "long.mkv"));
    watcher.join();
    EXPECT_EQ(result.resultCode, engine::kResultStopped) << result.log;
    ASSERT_GT(niceValues.size(), 1u) << "the encoder's threads were never seen";
    const int expected = std::max(15, ::getpriority(PRIO_PROCESS, 0));
    for (int value : niceValues)
        EXPECT_EQ(value, expected);
}

}  // namespace
