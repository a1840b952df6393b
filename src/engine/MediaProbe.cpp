#include "MediaProbe.h"

#include "CommandLine.h"
#include "DecodeScript.h"
#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace engine {

namespace {

constexpr std::int64_t kSmallestVideoFile = 1024;
constexpr int kWaitSliceMs = 50;

std::string Field(const char* text, std::size_t size)
{
    std::size_t length = 0;
    while (length < size && text[length] != '\0')
        ++length;
    return std::string(text, length);
}

std::string MainText(const char* key)
{
    return lang::Text("MainDialog", key);
}

}  // namespace

Arguments ProbeArguments(const std::string& recordName, const std::string& input, const std::string& output)
{
    char frameRate[32];
    std::snprintf(frameRate, sizeof frameRate, "%f", static_cast<double>(static_cast<float>(24000.0 / 1001.0)));
    Arguments arguments = RecordNameArguments(recordName);
    arguments.insert(arguments.end(), {"-endpos", "3", input});
    AppendWords(arguments, "-oac mp3lame -ovc lavc -of mpeg -lameopts abr:br=192:mode=0"
                           " -lavcopts vcodec=mpeg1video:keyint=12 -mpegopts format=mpeg1 -ofps");
    arguments.insert(arguments.end(), {frameRate, "-o", output});
    return arguments;
}

std::int32_t EstimateVideoBitrate(std::int32_t reported, std::int32_t audioBitrate, std::uint64_t fileBytes,
                                  std::uint32_t durationSeconds)
{
    if (reported != 0 || audioBitrate == 0)
        return reported;
    if (durationSeconds == 0)
        return 0;
    double total = static_cast<double>(fileBytes) / durationSeconds / 128.0;
    auto video = static_cast<std::int32_t>(total - audioBitrate);
    return video < 10 ? 0 : video;
}

MediaProbe::MediaProbe(EngineStatusBlock& block, EngineLauncher& launcher, app::UserDialogs& dialogs,
                       std::function<void()> pump, std::int32_t notifyWindow)
    : block_(block), launcher_(launcher), dialogs_(dialogs), pump_(std::move(pump)), notifyWindow_(notifyWindow)
{
}

void MediaProbe::Tell(const std::string& text) const
{
    dialogs_.Message(text, app::Application().appName);
}

int MediaProbe::RunTestEncode(const std::string& input)
{
    if (!block_.IsOpen())
        return 0;
    const std::string output = app::TempDirectory() + "test.mpg";
    PrepareProbeRun(*block_.Data(), notifyWindow_);
    if (!launcher_.StartEngine(EncoderPath(), ProbeArguments(block_.Name(), input, output)))
        return 0;
    launcher_.WaitForEngine(kWaitSliceMs, pump_);
    if (app::FileExists(output))
        platform::RemoveFile(output);
    return LoadField(block_.Data()->result_code) == kResultSuccess ? 1 : 0;
}

int MediaProbe::TestEncode(const std::string& path)
{
    return RunTestEncode(path);
}

int MediaProbe::TestEncodeViaScript(const std::string& path)
{
    const std::string script = DecodeScriptPath();
    if (!WriteDecodeScript(path, script)) {
        Tell("Failed to write decoder setting file.");
        return 0;
    }
    int read = RunTestEncode(script);
    platform::RemoveFile(script);
    return read;
}

std::optional<SourceItem> MediaProbe::ProbeSource(const std::string& path, app::DecodeEngine decoder)
{
    std::int64_t size = app::FileSize(path);
    if (size >= 0 && size < kSmallestVideoFile) {
        Tell("    Fail in load the file:" + path + "\n\n    Unsupported  file!\n");
        return std::nullopt;
    }

    std::optional<bool> viaScript;
    if (decoder == app::DecodeEngine::Auto) {
        if (TestEncode(path))
            viaScript = false;
        else if (TestEncodeViaScript(path))
            viaScript = true;
    } else if (decoder == app::DecodeEngine::BuiltIn) {
        if (TestEncode(path))
            viaScript = false;
    } else if (TestEncodeViaScript(path)) {
        viaScript = true;
    }

    if (!viaScript) {
        if (decoder == app::DecodeEngine::Auto)
            Tell("    " + MainText("Load video failed") + path + "\n\n    " + MainText("Unsupported  video") + "\n");
        else
            Tell("    " + MainText("Load video failed") + path + "\n\n    " + MainText("Change decoder") + ".\n");
        return std::nullopt;
    }
    return ItemFromRecord(path, *viaScript);
}

SourceItem MediaProbe::ItemFromRecord(const std::string& path, bool viaScript) const
{
    const EngineRecord& record = *block_.Data();
    SourceItem item;
    item.path = path;
    item.duration = record.duration;
    item.trimStart = 0;
    item.trimEnd = static_cast<std::int32_t>(record.duration);
    item.videoCodec = Field(record.video_codec, sizeof record.video_codec);
    item.frameRate = record.frame_rate;
    item.videoBitrate = EstimateVideoBitrate(record.video_bitrate, record.audio_bitrate,
                                             platform::FileBytes(path).value_or(0), record.duration);
    item.width = record.width;
    item.height = record.height;
    item.audioCodec = Field(record.audio_codec, sizeof record.audio_codec);
    item.audioBitrate = record.audio_bitrate;
    item.sampleRate = record.sample_rate;
    item.channels = record.channels;
    item.subtitleTextSize = 4;
    int copied = 0;
    while (copied < kMaxTracks && record.tracks[copied].kind != kTrackEnd) {
        item.tracks[copied] = record.tracks[copied];
        ++copied;
    }
    item.audioTrack = copied > 0 ? 0 : -1;
    item.subtitleTrack = -1;
    item.decodeViaDirectShow = viaScript ? 1 : 0;
    return item;
}

}  // namespace engine
