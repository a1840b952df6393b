#include "engine/MediaProbe.h"

#include "app/Application.h"
#include "app/Utilities.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "lang/IniTextFile.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

using namespace engine;
using testing_support::FakeEngineScript;

namespace {

// The fake engine stands in for the encoder; sources are files of a given size.
class ProbeTest : public ::testing::Test {
protected:
    ProbeTest() : saved_(app::Application())
    {
        app::Application().appName = "Probe App";
        app::Application().appSharedName = "Probe_App_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "prog/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        block_.Open(app::Application().appSharedName, 0);
        lang::LanguageTable().SetValue("MainDialog", "Load video failed", "Cannot load ", true);
        lang::LanguageTable().SetValue("MainDialog", "Unsupported  video", "Not a video.", true);
        lang::LanguageTable().SetValue("MainDialog", "Change decoder", "Try the other decoder", true);
    }
    ~ProbeTest() override { app::Application() = saved_; }

    std::string Source(const char* name, std::size_t bytes)
    {
        folder_.Write(name, std::string(bytes, 'x'));
        return folder_.Path() + name;
    }

    testing_support::TestFolder folder_;
    app::ApplicationValues saved_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    EngineStatusBlock block_;
    EngineLauncher launcher_{block_, dialogs_, clock_};
    MediaProbe probe_{block_, launcher_, dialogs_, 1};
};

}  // namespace

TEST(ProbeArguments, VideoBitrateEstimate)
{
    const struct {
        std::int32_t reported;
        std::optional<std::int32_t> audio;  // nullopt: no audio stream
        std::uint64_t bytes;
        std::uint32_t seconds;
        std::int32_t expected;
        const char* why;
    } cases[] = {
        {0, 128, 2560000, 100, 72, "the average less the audio"},
        {0, 128, 1600000, 100, 0, "below the audio rate"},
        {0, 128, 2560000, 0, 0, "no duration"},
        {0, 128, 1753600, 100, 0, "9 kbit/s counts as none"},
        {0, std::nullopt, 2560000, 100, 200, "no audio stream: the whole average"},
        {0, std::nullopt, 2560000, 0, 0, "no audio stream and no duration"},
        {0, 0, 2560000, 100, 0, "the audio rate unknown too"},
        {300, 128, 2560000, 100, 300, "a reported rate stays"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EstimateVideoBitrate(c.reported, c.audio, c.bytes, c.seconds), c.expected) << c.why;
}

TEST_F(ProbeTest, FactsBecomeTheItem)
{
    FakeEngineScript script("facts=640,480,100,0,128;tracks=3,1;result=0");
    auto item = probe_.ProbeSource(Source("movie.mkv", 2560000), app::DecodeEngine::BuiltIn, {});
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->trimEnd, 100);
    EXPECT_EQ(item->videoBitrate, 72);
    EXPECT_EQ(item->tracks[3].kind, kTrackSubtitle);
    EXPECT_EQ(item->tracks[4].kind, kTrackEnd);
    EXPECT_EQ(item->audioTrack, 0);
    EXPECT_EQ(item->subtitleTrack, -1);
}

TEST_F(ProbeTest, AVideoWithoutSoundGetsTheFilesAverageRate)
{
    FakeEngineScript script("facts=640,480,100,0,0;no-audio;result=0");
    auto item = probe_.ProbeSource(Source("silent.mkv", 2560000), app::DecodeEngine::BuiltIn, {});
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->audioCodec, "");
    EXPECT_EQ(item->videoBitrate, 200);
}

TEST_F(ProbeTest, FailureMessagesDependOnTheMode)
{
    FakeEngineScript script("exit=0");  // never writes a result
    const std::string path = Source("bad.avi", 4096);
    EXPECT_FALSE(probe_.ProbeSource(path, app::DecodeEngine::Auto, {}).has_value());
    EXPECT_FALSE(probe_.ProbeSource(path, app::DecodeEngine::BuiltIn, {}).has_value());
    EXPECT_FALSE(probe_.ProbeSource(path, app::DecodeEngine::Script, {}).has_value());
    ASSERT_EQ(dialogs_.shown.size(), 3u);
    EXPECT_EQ(dialogs_.shown[0].text, "    Cannot load " + path + "\n\n    Not a video.\n");
    EXPECT_EQ(dialogs_.shown[1].text, "    Cannot load " + path + "\n\n    Try the other decoder.\n");
    EXPECT_EQ(dialogs_.shown[2].text, dialogs_.shown[1].text);
}

TEST_F(ProbeTest, ProbeAfterProbeShowsNoOldFacts)
{
    {
        FakeEngineScript script("facts=640,480,100,0,0;tracks=2,0;result=0");
        ASSERT_TRUE(probe_.ProbeSource(Source("a.avi", 4096), app::DecodeEngine::BuiltIn, {}).has_value());
    }
    FakeEngineScript script("result=0");
    auto item = probe_.ProbeSource(Source("b.avi", 4096), app::DecodeEngine::BuiltIn, {});
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->width, 0);
    EXPECT_EQ(item->tracks[0].kind, kTrackEnd);
}

// A source the encoder never sees says what is wrong with the file itself;
// one the encoder cannot read says what the encoder found.
TEST_F(ProbeTest, SourcesThatCannotBeReadSayWhy)
{
    for (auto [key, text] : {std::pair{"Source not found", "Not found:"}, {"Source unreadable", "Cannot read:"},
                             {"File too small", "Too small for a video:"}})
        lang::LanguageTable().SetValue("MainDialog", key, text, true);
    const std::string loop = folder_.Path() + "loop.avi";
    std::filesystem::create_symlink(loop, loop);
    const std::string locked = Source("locked.avi", 4096);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const std::string argumentsFile = folder_.Path() + "argv";
    FakeEngineScript script("say=cannot open it: Invalid data found;exit=0", argumentsFile);
    const struct {
        std::string path;
        std::string message;
        bool encoderRan;
    } cases[] = {
        {folder_.Path() + "gone.avi", "Not found: " + folder_.Path() + "gone.avi", false},
        {folder_.Path() + "locked.avi/inside.avi", "Not found: " + folder_.Path() + "locked.avi/inside.avi", false},
        {Source("tiny.avi", 1023), "Too small for a video: " + folder_.Path() + "tiny.avi", false},
        {loop, "Cannot read: " + loop + "\n\nToo many levels of symbolic links", false},
        {Source("noise.avi", 1024),
         "    Cannot load " + folder_.Path() + "noise.avi\n\n    Not a video.\n\n    cannot open it: Invalid data found",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        dialogs_.shown.clear();
        std::filesystem::remove(argumentsFile);
        EXPECT_FALSE(probe_.ProbeSource(c.path, app::DecodeEngine::Auto, {}).has_value());
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].text, c.message);
        EXPECT_EQ(std::filesystem::exists(argumentsFile), c.encoderRan);
    }
    if (::geteuid() != 0) {  // the superuser reads any file
        dialogs_.shown.clear();
        EXPECT_FALSE(probe_.ProbeSource(locked, app::DecodeEngine::Auto, {}).has_value());
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].text, "Cannot read: " + locked + "\n\nPermission denied");
    }
}
