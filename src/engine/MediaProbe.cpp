#include "MediaProbe.h"

#include "CommandLine.h"
#include "DecodeScript.h"
#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
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
                       std::int32_t notifyWindow)
    : block_(block), launcher_(launcher), dialogs_(dialogs), notifyWindow_(notifyWindow)
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
        dialogs_.Report({app::NoticeId::SourceNotFound, {path}});
        return;
    } else if (error != 0) {
        dialogs_.Report({app::NoticeId::SourceUnreadable, {path, std::strerror(error)}});
        return;
    }
    std::int64_t size = app::FileSize(path);
    if (size >= 0 && size < kSmallestVideoFile) {
        dialogs_.Report({app::NoticeId::FileTooSmall, {path}});
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
    if (!StartTestEncode(path_))
        AfterTestEncode();
}

void MediaProbe::StartViaScript()
{
    step_ = Step::ViaScript;
    scriptPath_ = DecodeScriptPath();
    if (!WriteDecodeScript(path_, scriptPath_)) {
        dialogs_.Report({app::NoticeId::DecoderSettingsNotWritten});
        Fail();
    } else if (!StartTestEncode(scriptPath_)) {
        AfterTestEncode();
    }
}

bool MediaProbe::StartTestEncode(const std::string& input)
{
    if (!block_.IsOpen())
        return false;
    PrepareProbeRun(*block_.Data(), notifyWindow_);
    return launcher_.StartEngine(EncoderPath(), ProbeArguments(block_.Name(), input, app::TempDirectory() + "test.mpg"));
}

bool MediaProbe::TestEncodeSucceeded()
{
    const std::string output = app::TempDirectory() + "test.mpg";
    if (app::FileExists(output))
        platform::RemoveFile(output);
    return block_.IsOpen() && LoadField(block_.Data()->result_code) == kResultSuccess;
}

void MediaProbe::OnToolEvent()
{
    if (Busy() && launcher_.Reap())
        AfterTestEncode();
}

void MediaProbe::AfterTestEncode()
{
    const bool read = TestEncodeSucceeded();
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
    dialogs_.Report({decoder_ == app::DecodeEngine::Auto ? app::NoticeId::VideoUnreadable
                                                         : app::NoticeId::VideoUnreadableByDecoder,
                     {path_, firstReason_}});
}

std::optional<SourceItem> MediaProbe::ProbeSource(const std::string& path, app::DecodeEngine decoder,
                                                  const std::function<void()>& between)
{
    Start(path, decoder);
    while (Busy()) {
        launcher_.WaitForEngine(kWaitSliceMs, between);
        AfterTestEncode();
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
    item.frameRate = record.frame_rate;
    item.videoBitrate = EstimateVideoBitrate(record.video_bitrate, record.audio_bitrate,
                                             platform::FileBytes(path_).value_or(0), record.duration);
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
