// What a file holds or how it is named never takes avm beyond the files it
// is given; an avm whose program is already gone when it starts does not
// convert.
#include "AvmRunner.h"
#include "TestClips.h"
#include "engine/DecodeScript.h"
#include "engine/MediaProbe.h"
#include "platform/FileSystem.h"
#include "platform/PrivateTempFolder.h"
#include "support/ProcessScan.h"
#include "support/TestFolder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

using namespace avm_test;
namespace fs = std::filesystem;

namespace {

// A TCP listener on a free loopback port that counts who came and sends
// each away at once, so that a tool that comes fails fast instead of waiting.
class Listener {
public:
    Listener()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd_, 8) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            throw std::runtime_error("cannot listen on the loopback");
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~Listener()
    {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }

    std::string Url(const std::string& file) const { return "http://127.0.0.1:" + std::to_string(port_) + "/" + file; }
    bool Contacted() const { return contacts_ > 0; }

private:
    void Serve()
    {
        while (!stop_) {
            pollfd waiting{fd_, POLLIN, 0};
            if (::poll(&waiting, 1, 20) <= 0)
                continue;
            const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                ++contacts_;
                ::close(connection);
            }
        }
    }

    int fd_ = -1;
    int port_ = 0;
    std::atomic<int> contacts_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The process works in another folder while this lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : before_(fs::current_path()) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(before_); }

private:
    fs::path before_;
};

std::vector<std::string> ProbeLine(const std::string& input)
{
    std::vector<std::string> args = engine::ProbeArguments("Rec", input);
    args.erase(args.begin(), args.begin() + 2);
    return args;
}

std::vector<std::string> ConversionLine(const std::string& input, const std::string& output)
{
    return {input, "-ovc", "lavc", "-oac", "lavc", "-o", output};
}

// A file of about 1.6 KB that starts like the program's decode script.
std::string ScriptLookalike(const std::string& named)
{
    std::string text = engine::DecodeScriptText(named) + "\n";
    text.resize(1600, '#');
    return text;
}

}  // namespace

// Probe and conversion lines alike: a user's file that starts with a decode
// script line naming a URL or another file is refused as the bytes it holds.
TEST(AvmContainment, AUsersFileThatLooksLikeADecodeScriptIsOnlyItsBytes)
{
    testing_support::TestFolder folder;
    Listener listener;
    const std::string other = folder.Make("other.avi");
    fs::copy_file(Clips().h264Aac, other);
    for (const std::string& named : {listener.Url("clip.avi"), other}) {
        // The second name is the program's own script name, in the wrong place.
        for (const char* name : {"clip.avi", "temp_0000_abcde.qvz"}) {
            folder.Write(name, ScriptLookalike(named));
            for (bool probe : {true, false}) {
                SCOPED_TRACE(named + " in " + name + (probe ? ", probe" : ", conversion"));
                AvmRunner runner(folder.Path());
                probe ? runner.PrepareProbe() : runner.PrepareConversion(2);
                const std::string output = folder.Path() + "out.avi";
                RunResult run = runner.Run(probe ? ProbeLine(folder.Path() + name)
                                                 : ConversionLine(folder.Path() + name, output));
                EXPECT_EQ(run.resultCode, engine::kResultFailed) << run.log;
                EXPECT_STREQ(run.record.video_codec, "") << "the other file's facts";
                EXPECT_FALSE(fs::exists(output)) << "the other file's content became the output";
                EXPECT_FALSE(listener.Contacted());
            }
        }
    }
}

// The same script text the program writes is read as a script only as the
// program's own file in the private temp folder of the run's shared name.
TEST(AvmContainment, AScriptElsewhereOrOpenToOthersIsNoScript)
{
    testing_support::TestFolder folder;
    const std::string outside = folder.Path() + "script.txt";
    ASSERT_EQ(engine::WriteDecodeScript(Clips().mpeg4Mp3, outside), 1);
    const std::string otherRun = platform::PrivateTempFolder("Other_Run_" + std::to_string(::getpid()));
    struct Case {
        const char* where;
        std::function<std::string(const std::string& ownFolder)> place;  // returns the script path
    };
    const auto written = [](const std::string& path) {
        EXPECT_EQ(engine::WriteDecodeScript(Clips().mpeg4Mp3, path), 1);
        return path;
    };
    const Case cases[] = {
        {"beside the user's files", [&](const std::string&) { return written(folder.Path() + "temp_0000_abcde.qvz"); }},
        {"under another name", [&](const std::string& own) { return written(own + "clip.avi"); }},
        {"in another run's folder", [&](const std::string&) { return written(otherRun + "temp_0000_abcde.qvz"); }},
        {"writable by the group",
         [&](const std::string& own) {
             const std::string path = written(own + "temp_0000_abcde.qvz");
             ::chmod(path.c_str(), 0620);
             return path;
         }},
        {"a link to a file elsewhere",
         [&](const std::string& own) {
             fs::create_symlink(outside, own + "temp_0000_abcde.qvz");
             return own + "temp_0000_abcde.qvz";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        AvmRunner runner(folder.Path());
        runner.PrepareProbe();
        const std::string script = c.place(platform::PrivateTempFolder(runner.Name()));
        RunResult run = runner.Run(ProbeLine(script));
        EXPECT_EQ(run.resultCode, engine::kResultFailed) << run.log;
        EXPECT_STREQ(run.record.video_codec, "");
    }
    platform::RemoveTree(otherRun);
}

// Relative names as avm gets them from a working folder: a name that reads
// like a URL or a protocol list is the local file of that name.
TEST(AvmContainment, ANameThatReadsLikeAUrlIsTheLocalFileOfThatName)
{
    testing_support::TestFolder folder;
    Listener listener;
    CurrentFolder inFolder(folder.Path());
    for (const std::string& name : {listener.Url("clip.avi"), std::string("concat:one.avi|two.avi")}) {
        SCOPED_TRACE(name);
        fs::copy_file(Clips().h264Aac, folder.Make(name));
        AvmRunner runner(folder.Path());
        const std::string output = folder.Path() + "out.avi";
        RunResult run = runner.Run(ConversionLine(name, output));
        EXPECT_EQ(run.resultCode, engine::kResultSuccess) << run.log;
        EXPECT_EQ(Probe(output).First("video")["width"], "160");
        EXPECT_FALSE(listener.Contacted());
        fs::remove(output);
    }
}

// Playlists, lists and numbered image sequences name further files or
// streams; avm refuses them instead of following.
TEST(AvmContainment, ListsAndSequencesAreRefusedUnfollowed)
{
    testing_support::TestFolder folder;
    Listener listener;
    fs::copy_file(Clips().h264Aac, folder.Make("other.avi"));
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=5:duration=1", folder.Path() + "frame%03d.png"});
    folder.Write("list.avi", "ffconcat version 1.0\nfile other.avi\n");
    folder.Write("remote.m3u8",
                 "#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2.0,\n" + listener.Url("part.ts") + "\n#EXT-X-ENDLIST\n");
    folder.Write("local.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:2.0,\nother.avi\n#EXT-X-ENDLIST\n");
    for (const char* name : {"list.avi", "remote.m3u8", "local.m3u8", "frame%03d.png"}) {
        SCOPED_TRACE(name);
        AvmRunner runner(folder.Path());
        const std::string output = folder.Path() + "out.avi";
        RunResult run = runner.Run(ConversionLine(folder.Path() + name, output));
        EXPECT_EQ(run.resultCode, engine::kResultFailed) << run.log;
        EXPECT_NE(run.log.find("names further files"), std::string::npos) << run.log;
        EXPECT_FALSE(fs::exists(output));
        EXPECT_FALSE(listener.Contacted());
    }
}

// The program died while avm was starting, before the kernel could be
// asked to tell: avm finds its program gone and stops at once.
TEST(AvmContainment, AnAvmWhoseProgramIsGoneAlreadyStopsAtOnce)
{
    testing_support::TestFolder folder;
    const pid_t ended = testing_support::EndedProcessId();
    AvmRunner runner(folder.Path());
    runner.PrepareConversion(30);
    engine::StoreField(runner.Record().notify_window, ended);
    const std::string output = folder.Path() + "out.avi";
    RunResult run = runner.Run(ConversionLine(Clips().longClip, output));
    EXPECT_EQ(run.resultCode, engine::kResultStopped) << run.log;
    EXPECT_FALSE(fs::exists(output));
}
