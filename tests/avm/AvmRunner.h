#pragma once
// Runs the real avm tool as the program would: a status record of its own,
// the progress socket bound, stderr to a log file. Also makes test clips
// with the ffmpeg program and asks ffprobe about results.
#include "engine/EngineStatusBlock.h"
#include "platform/NotifySocket.h"
#include "protocol/NotifyMessage.h"

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
    // A record named after the test process, prepared for a conversion run.
    explicit AvmRunner(const std::string& folder);
    ~AvmRunner();

    void PrepareConversion(int processSeconds);
    void PrepareProbe();
    const std::string& Name() const { return block_.Name(); }
    // The record, for runs started by other means than Run.
    engine::EngineRecord& Record() const { return *block_.Data(); }

    // Runs `tool` (avm or savm) with args after its record option.
    RunResult Run(const std::vector<std::string>& args, const std::string& tool = "avm");

private:
    std::string folder_;
    engine::EngineStatusBlock block_;
    platform::NotifyReceiver receiver_;
};

// A conversion's arguments: input, the options, then -o output; paths may hold blanks.
std::vector<std::string> ConversionArgs(const std::string& input, const std::string& options,
                                        const std::string& output);

// Runs a program with arguments, no shell; true when it exits with 0.
bool RunProgram(const std::vector<std::string>& args, std::string* output = nullptr);

// ffmpeg -y -v error <args>; fails the test when ffmpeg fails.
void MakeClip(const std::vector<std::string>& args);

// The md5 of each packet of the streams selector picks ("v", "a"), in file
// order, as ffprobe reads them.
std::vector<std::string> PacketHashes(const std::string& path, const char* selector);

// A ten-second MP4 in folder whose index (written in front) promises ten
// seconds but whose data end after less than half a second; its path.
std::string MakeCutOffClip(const std::string& folder);

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

// The value of " key=" in the settings text x264 and x265 write into their
// stream ("... options: ... subme=7 ..."); "" when there is none.
std::string EncoderSetting(const std::string& path, const std::string& key);

// Decoded frames of the video stream as raw grey pictures, one string each.
std::vector<std::string> GreyFrames(const std::string& path);

}  // namespace avm_test
