#pragma once
// Runs the real avm tool as the program would: a status record of its own,
// the progress socket bound, stderr to a log file. Also makes test clips
// with the ffmpeg program and asks ffprobe about results.
#include "platform/NotifySocket.h"
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "protocol/NotifyMessage.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace avm_test {

struct RunResult {
    int resultCode = -1;
    std::string log;
    std::vector<engine::NotifyMessage> progress;
    engine::EngineRecord record{};
};

class AvmRunner {
public:
    // A record named after the test process, prepared as for a conversion
    // run (job_flag 1) or a probe run.
    explicit AvmRunner(const std::string& folder);
    ~AvmRunner();

    void PrepareConversion(int processSeconds, int cpuUsage = 0);
    void PrepareProbe();
    engine::EngineRecord& Record() { return *static_cast<engine::EngineRecord*>(memory_.Data()); }
    const std::string& Name() const { return name_; }

    // Runs `tool` (avm or savm) with args; `whileRunning` is called every
    // 20 ms with the progress messages so far.
    RunResult Run(const std::vector<std::string>& args, const std::string& tool = "avm",
                  const std::function<void(const std::vector<engine::NotifyMessage>&)>& whileRunning = {});

private:
    std::string folder_;
    std::string name_;
    platform::SharedMemory memory_;
    platform::NotifyReceiver receiver_;
};

// The blank-separated words of line.
std::vector<std::string> Words(const std::string& line);

// Runs a program with arguments, no shell; true when it exits with 0.
bool RunProgram(const std::vector<std::string>& args, std::string* output = nullptr);

// ffmpeg -y -v error <args>; fails the test when ffmpeg fails.
void MakeClip(const std::vector<std::string>& args);

// One line of facts per stream and one for the container, as ffprobe tells.
struct ProbeFacts {
    std::map<std::string, std::string> format;
    std::vector<std::map<std::string, std::string>> streams;
    // The first stream of a type ("video", "audio", "subtitle"), or empty.
    std::map<std::string, std::string> First(const std::string& type) const;
};
ProbeFacts Probe(const std::string& path);

// One value per packet (ffprobe's packet=entry) of the streams selector
// picks ("v", "a"), in file order; packets without the value are left out.
std::vector<double> PacketValues(const std::string& path, const char* selector, const char* entry);

// Decoded frames of the video stream as raw grey pictures, one string each.
std::vector<std::string> GreyFrames(const std::string& path);

}  // namespace avm_test
