#include "MediaProbe.h"

#include "CommandLine.h"
#include "DecodeScript.h"
#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "app/Utilities.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstring>

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

}  // namespace

Arguments ProbeArguments(const std::string& recordName, const std::string& input)
{
    Arguments arguments = RecordNameArguments(recordName);
    arguments.insert(arguments.end(), {"-identify", input});
    return arguments;
}

std::int32_t EstimateVideoBitrate(std::int32_t reported, std::optional<std::int32_t> audioBitrate,
                                  std::uint64_t fileBytes, std::uint32_t durationSeconds)
{
    if (reported != 0 || audioBitrate == 0 || durationSeconds == 0)
        return reported;
    double total = static_cast<double>(fileBytes) / durationSeconds / 128.0;
    auto video = static_cast<std::int32_t>(total - audioBitrate.value_or(0));
    return video < 10 ? 0 : video;
}

MediaProbe::MediaProbe(EngineStatusBlock& block, EngineLauncher& launcher, app::Reporter& reporter,
                       std::int32_t notifyWindow)
    : block_(block), launcher_(launcher), reporter_(reporter), notifyWindow_(notifyWindow)
{
}

void MediaProbe::Start(const std::string& path, app::DecodeEngine decoder)
{
    path_ = path;
    decoder_ = decoder;
    result_.reset();
    step_ = Step::Done;
    firstReason_.clear();
    if (const int error = platform::ReadError(path); error == ENOENT || error == ENOTDIR) {
        reporter_.Report({app::NoticeId::SourceNotFound, {path}});
        return;
    } else if (error != 0) {
        reporter_.Report({app::NoticeId::SourceUnreadable, {path, std::strerror(error)}});
        return;
    }
    std::int64_t size = app::FileSize(path);
    if (size >= 0 && size < kSmallestVideoFile) {
        reporter_.Report({app::NoticeId::FileTooSmall, {path}});
        return;
    }
    if (decoder == app::DecodeEngine::Script && ScriptCanName(path))
        StartViaScript();
    else
        StartDirect();
}

void MediaProbe::StartDirect()
{
    step_ = Step::Direct;
    if (!StartRun(path_))
        AfterRun();
}

void MediaProbe::StartViaScript()
{
    step_ = Step::ViaScript;
    scriptPath_ = ProbeScriptPath(block_.Name());
    if (!WriteDecodeScript(path_, scriptPath_)) {
        reporter_.Report({app::NoticeId::DecoderSettingsNotWritten});
        Fail();
    } else if (!StartRun(scriptPath_)) {
        AfterRun();
    }
}

bool MediaProbe::StartRun(const std::string& input)
{
    if (!block_.IsOpen())
        return false;
    PrepareProbeRun(*block_.Data(), notifyWindow_);
    return launcher_.StartEngine(EncoderPath(), ProbeArguments(block_.Name(), input));
}

bool MediaProbe::RunSucceeded() const
{
    return block_.IsOpen() && LoadField(block_.Data()->result_code) == kResultSuccess;
}

void MediaProbe::OnToolEvent()
{
    if (Busy() && launcher_.Reap())
        AfterRun();
}

void MediaProbe::Abandon()
{
    if (step_ == Step::ViaScript)
        platform::RemoveFile(scriptPath_);
    step_ = Step::Done;
    result_.reset();
}

void MediaProbe::AfterRun()
{
    const bool read = RunSucceeded();
    if (!read && firstReason_.empty())
        firstReason_ = launcher_.LastRunReason();
    if (step_ == Step::ViaScript) {
        platform::RemoveFile(scriptPath_);
        if (read) {
            result_ = ItemFromRecord(true);
            step_ = Step::Done;
        } else {
            Fail();
        }
    } else if (read) {
        result_ = ItemFromRecord(false);
        step_ = Step::Done;
    } else if (decoder_ == app::DecodeEngine::Auto && ScriptCanName(path_)) {
        StartViaScript();
    } else {
        Fail();
    }
}

void MediaProbe::Fail()
{
    step_ = Step::Done;
    reporter_.Report({decoder_ == app::DecodeEngine::Auto ? app::NoticeId::VideoUnreadable
                                                          : app::NoticeId::VideoUnreadableByDecoder,
                      {path_, firstReason_}});
}

std::optional<SourceItem> MediaProbe::ProbeSource(const std::string& path, app::DecodeEngine decoder,
                                                  const std::function<void()>& between)
{
    Start(path, decoder);
    while (Busy()) {
        launcher_.WaitForEngine(kWaitSliceMs, between);
        AfterRun();
    }
    return TakeResult();
}

SourceItem MediaProbe::ItemFromRecord(bool viaScript) const
{
    const EngineRecord& record = *block_.Data();
    SourceItem item;
    item.path = path_;
    item.duration = record.duration;
    item.trimStart = 0;
    item.trimEnd = static_cast<std::int32_t>(record.duration);
    item.videoCodec = Field(record.video_codec, sizeof record.video_codec);
    item.videoProfile = Field(record.video_profile, sizeof record.video_profile);
    item.videoLevel = record.video_level;
    item.frameRate = record.frame_rate;
    item.videoBitrate = record.video_bitrate;
    if (!item.videoCodec.empty()) {
        const std::optional<std::int32_t> audio =
            record.audio_codec[0] != '\0' ? std::optional<std::int32_t>(record.audio_bitrate) : std::nullopt;
        item.videoBitrate = EstimateVideoBitrate(record.video_bitrate, audio, platform::FileBytes(path_).value_or(0),
                                                 record.duration);
    }
    item.width = record.width;
    item.height = record.height;
    item.audioCodec = Field(record.audio_codec, sizeof record.audio_codec);
    item.audioBitrate = record.audio_bitrate;
    item.sampleRate = record.sample_rate;
    item.channels = record.channels;
    item.soundOnly = item.videoCodec.empty() && item.width == 0 && item.height == 0;
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
