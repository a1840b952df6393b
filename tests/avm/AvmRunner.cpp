#include "AvmRunner.h"

#include "engine/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/PrivateTempFolder.h"
#include "support/SpawnProgram.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

namespace avm_test {

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

AvmRunner::AvmRunner(const std::string& folder) : folder_(folder)
{
    if (!block_.Open("avm_test_" + std::to_string(::getpid()), 0))
        throw std::runtime_error("cannot create the test record");
    PrepareConversion(0);
}

AvmRunner::~AvmRunner()
{
    platform::RemoveTree(platform::PrivateTempFolder(Name()));
}

void AvmRunner::PrepareConversion(int processSeconds)
{
    engine::PrepareConversionRun(*block_.Data(), ::getpid(), 0, processSeconds);
}

void AvmRunner::PrepareProbe()
{
    engine::PrepareProbeRun(*block_.Data(), ::getpid());
}

RunResult AvmRunner::Run(const std::vector<std::string>& args, const std::string& tool)
{
    RunResult result;
    engine::EngineRecord& record = *block_.Data();
    receiver_.Bind(platform::NotifySocketPath(Name(), record.notify_window));
    std::vector<std::string> argv = {std::string(PROGRAM_DIR) + tool, "-sfm", Name()};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string logPath = folder_ + "run.log";
    pid_t pid = testing_support::SpawnProgram(argv, logPath);
    EXPECT_GT(pid, 0) << "cannot start " << tool;
    if (pid <= 0)
        return result;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        while (auto message = receiver_.Receive())
            result.progress.push_back(*message);
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ADD_FAILURE() << tool << " hung";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    while (auto message = receiver_.Receive())
        result.progress.push_back(*message);
    receiver_.Close();
    EXPECT_TRUE(WIFEXITED(status)) << tool << " crashed";
    result.resultCode = engine::LoadField(record.result_code);
    result.log = ReadFile(logPath);
    result.record = record;
    return result;
}

std::vector<std::string> ConversionArgs(const std::string& input, const std::string& options,
                                        const std::string& output)
{
    std::vector<std::string> args = {input};
    engine::AppendWords(args, options);
    args.insert(args.end(), {"-o", output});
    return args;
}

bool RunProgram(const std::vector<std::string>& args, std::string* output)
{
    char pattern[] = "/tmp/avm-test-output-XXXXXX";
    int fd = ::mkstemp(pattern);
    if (fd < 0)
        return false;
    ::close(fd);
    pid_t pid = testing_support::SpawnProgram(args, pattern, "", true);
    int status = 0;
    bool ok = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (output)
        *output = ReadFile(pattern);
    ::unlink(pattern);
    return ok;
}

void MakeClip(const std::vector<std::string>& args)
{
    std::vector<std::string> command = {"ffmpeg", "-nostdin", "-y", "-v", "error"};
    command.insert(command.end(), args.begin(), args.end());
    std::string output;
    ASSERT_TRUE(RunProgram(command, &output)) << "ffmpeg failed: " << output;
}

std::string MakeCutOffClip(const std::string& folder)
{
    const std::string whole = folder + "whole.mp4";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=10", "-f", "lavfi", "-i",
              "sine=frequency=440:sample_rate=44100:duration=10", "-c:v", "mpeg4", "-c:a", "aac", "-movflags",
              "+faststart", whole});
    std::string packets;
    EXPECT_TRUE(RunProgram({"ffprobe", "-v", "error", "-select_streams", "v", "-show_entries", "packet=pts_time,pos",
                            "-of", "csv=p=0", whole},
                           &packets));
    std::uintmax_t cut = 0;
    std::istringstream lines(packets);
    for (std::string line; std::getline(lines, line) && cut == 0;) {
        const auto comma = line.find(',');
        if (comma != std::string::npos && std::stod(line.substr(0, comma)) >= 0.4) {
            cut = std::stoull(line.substr(comma + 1));
        }
    }
    EXPECT_GT(cut, 1024u);
    const std::string cutOff = folder + "cut off.mp4";
    std::filesystem::copy_file(whole, cutOff, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(cutOff, cut);
    return cutOff;
}

std::map<std::string, std::string> ProbeFacts::First(const std::string& type) const
{
    for (const auto& stream : streams)
        if (stream.count("codec_type") && stream.at("codec_type") == type)
            return stream;
    return {};
}

ProbeFacts Probe(const std::string& path)
{
    std::string output;
    ProbeFacts facts;
    if (!RunProgram({"ffprobe", "-v", "error", "-show_format", "-show_streams", "-of", "flat=s=_", path}, &output))
        return facts;
    // format_duration="2.000000" or streams_stream_0_codec_name="h264"
    const std::regex fact(R"re((?:format|streams_stream_(\d+))_(\w+)="?([^"]*)"?)re");
    std::istringstream lines(output);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (!std::regex_match(line, match, fact))
            continue;
        if (!match[1].matched) {
            facts.format[match[2]] = match[3];
            continue;
        }
        const std::size_t index = std::stoul(match[1]);
        if (facts.streams.size() <= index)
            facts.streams.resize(index + 1);
        facts.streams[index][match[2]] = match[3];
    }
    return facts;
}

std::vector<double> PacketValues(const std::string& path, const char* selector, const char* entry)
{
    std::string output;
    RunProgram({"ffprobe", "-v", "error", "-select_streams", selector, "-show_entries", std::string("packet=") + entry,
                "-of", "csv=p=0", path},
               &output);
    std::vector<double> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line != "N/A")
            values.push_back(std::stod(line));
    return values;
}

std::vector<std::string> GreyFrames(const std::string& path)
{
    auto video = Probe(path).First("video");
    std::string raw;
    std::vector<std::string> frames;
    if (video.empty() ||
        !RunProgram({"ffmpeg", "-nostdin", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "gray", "-"}, &raw))
        return frames;
    std::size_t size = std::stoul(video["width"]) * std::stoul(video["height"]);
    for (std::size_t at = 0; at + size <= raw.size(); at += size)
        frames.push_back(raw.substr(at, size));
    return frames;
}

std::vector<std::string> PacketHashes(const std::string& path, const char* selector)
{
    std::string text;
    EXPECT_TRUE(RunProgram({"ffprobe", "-v", "error", "-select_streams", selector, "-show_data_hash", "md5",
                            "-show_entries", "packet=data_hash", "-of", "csv=p=0", path},
                           &text));
    // Packets with side data add fields around the hash: only the hashes count.
    std::vector<std::string> hashes;
    const std::regex hash("MD5:[0-9a-f]+");
    for (auto found = std::sregex_iterator(text.begin(), text.end(), hash); found != std::sregex_iterator(); ++found) {
        hashes.push_back(found->str());
    }
    return hashes;
}

std::string EncoderSetting(const std::string& path, const std::string& key)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t options = bytes.find("options: ");
    const std::size_t at = options == std::string::npos ? options : bytes.find(" " + key + "=", options);
    if (at == std::string::npos)
        return "";
    const std::size_t begin = at + key.size() + 2;
    return bytes.substr(begin, bytes.find(' ', begin) - begin);
}

}  // namespace avm_test
