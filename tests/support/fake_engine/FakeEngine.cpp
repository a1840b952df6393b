// A stand-in for the engine tools in tests. It opens the record named after
// -sfm like a real tool and acts out the steps of FAKE_ENGINE_SCRIPT, e.g.
// "progress=0,2500;wait-abort" or "sleep=100;result=0;exit=3":
//   result=N         write N into result_code
//   progress=S,V     post the progress message with stage S and value V
//   wait-abort       wait until abort_request is 1, then write 2
//   sleep=MS         sleep
//   crash            die from a signal
//   hang             ignore SIGTERM and sleep until killed
//   exit=N           end with exit code N
//   facts=W,H,D,V,A  write probe facts: width, height, duration and the video
//                    and audio bit rates (codecs "fakevideo"/"fakeaudio",
//                    25 fps, 44100 Hz, 2 channels)
//   tracks=A,S       write A audio tracks (ids 128.., "eng") and S subtitle
//                    tracks (ids 0.., "und")
//   only-if=TEXT     end here (exit 0) unless an argument contains TEXT
//   write-output     write a few bytes to the file named after -o
//   say=TEXT         write the log line "NAME: TEXT", NAME being the tool's
//                    file name, as the real tools do
//   say-last=TEXT    the same with a blank and the last argument after TEXT
//   no-audio         clear the audio codec, as for a file without sound
// With FAKE_ENGINE_ARGV set it first writes its arguments (without argv[0])
// to that file, each followed by a NUL byte.
#include "platform/NotifySocket.h"
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "protocol/NotifyMessage.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// A fake that the test forgot stays no longer than this.
constexpr unsigned kLifetimeLimitSeconds = 60;

void RecordArguments(int argc, char** argv)
{
    const char* file = std::getenv("FAKE_ENGINE_ARGV");
    if (!file)
        return;
    std::ofstream out(file, std::ios::binary);
    for (int i = 1; i < argc; ++i)
        out << argv[i] << '\0';
}

std::string RecordName(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "-sfm")
            return argv[i + 1];
    }
    return "";
}

void Crash()
{
    rlimit noCore = {0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::raise(SIGSEGV);
}

void SleepMs(long ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void WriteFacts(engine::EngineRecord& record, const std::string& value)
{
    int numbers[5] = {};
    std::istringstream in(value);
    std::string number;
    for (int& target : numbers)
        if (std::getline(in, number, ','))
            target = std::atoi(number.c_str());
    record.width = numbers[0];
    record.height = numbers[1];
    record.duration = static_cast<std::uint32_t>(numbers[2]);
    record.video_bitrate = numbers[3];
    record.audio_bitrate = numbers[4];
    std::snprintf(record.video_codec, sizeof record.video_codec, "fakevideo");
    std::snprintf(record.audio_codec, sizeof record.audio_codec, "fakeaudio");
    record.frame_rate = 25.0f;
    record.sample_rate = 44100;
    record.channels = 2;
}

void WriteTracks(engine::EngineRecord& record, int audio, int subtitles)
{
    int entry = 0;
    for (int i = 0; i < audio && entry < engine::kMaxTracks; ++i, ++entry)
        record.tracks[entry] = {engine::kTrackAudio, 128 + i, "eng", ""};
    for (int i = 0; i < subtitles && entry < engine::kMaxTracks; ++i, ++entry)
        record.tracks[entry] = {engine::kTrackSubtitle, i, "und", ""};
}

void WriteOutput(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "-o")
            std::ofstream(argv[i + 1], std::ios::binary) << "fake output";
    }
}

std::string ToolName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

bool ArgumentContains(int argc, char** argv, const std::string& text)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).find(text) != std::string::npos)
            return true;
    return false;
}

bool RunStep(const std::string& step, engine::EngineRecord& record, const std::string& socketPath,
             const std::string& toolName, const std::string& lastArgument)
{
    std::string name = step.substr(0, step.find('='));
    std::string value = step.size() > name.size() ? step.substr(name.size() + 1) : "";
    if (name == "result") {
        engine::StoreField(record.result_code, std::atoi(value.c_str()));
    } else if (name == "progress") {
        int stage = std::atoi(value.c_str());
        int amount = std::atoi(value.substr(value.find(',') + 1).c_str());
        platform::SendNotifyMessage(socketPath, {engine::kProgressMessage, stage, amount});
    } else if (name == "wait-abort") {
        while (engine::LoadField(record.abort_request) != 1)
            SleepMs(5);
        engine::StoreField(record.result_code, engine::kResultStopped);
    } else if (name == "sleep") {
        SleepMs(std::atol(value.c_str()));
    } else if (name == "crash") {
        Crash();
    } else if (name == "hang") {
        ::signal(SIGTERM, SIG_IGN);
        for (;;)
            ::pause();
    } else if (name == "facts") {
        WriteFacts(record, value);
    } else if (name == "tracks") {
        WriteTracks(record, std::atoi(value.c_str()), std::atoi(value.substr(value.find(',') + 1).c_str()));
    } else if (name == "say") {
        std::fprintf(stderr, "%s: %s\n", toolName.c_str(), value.c_str());
    } else if (name == "say-last") {
        std::fprintf(stderr, "%s: %s %s\n", toolName.c_str(), value.c_str(), lastArgument.c_str());
    } else if (name == "no-audio") {
        record.audio_codec[0] = '\0';
    } else if (name == "exit") {
        std::exit(std::atoi(value.c_str()));
    } else {
        std::fprintf(stderr, "fake_engine: unknown step '%s'\n", step.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    ::alarm(kLifetimeLimitSeconds);
    RecordArguments(argc, argv);
    std::string recordName = RecordName(argc, argv);
    platform::SharedMemory memory;
    if (!memory.Open(recordName, engine::kRecordSize)) {
        std::fprintf(stderr, "fake_engine: cannot open the record '%s'\n", recordName.c_str());
        return 1;
    }
    auto& record = *static_cast<engine::EngineRecord*>(memory.Data());
    std::string socketPath = platform::NotifySocketPath(recordName, engine::LoadField(record.notify_window));

    const char* script = std::getenv("FAKE_ENGINE_SCRIPT");
    std::istringstream steps(script ? script : "");
    std::string step;
    while (std::getline(steps, step, ';')) {
        if (step.rfind("only-if=", 0) == 0) {
            if (!ArgumentContains(argc, argv, step.substr(8)))
                return 0;
            continue;
        }
        if (step == "write-output") {
            WriteOutput(argc, argv);
            continue;
        }
        if (!step.empty() && !RunStep(step, record, socketPath, ToolName(argv[0]), argv[argc - 1]))
            return 1;
    }
    return 0;
}
