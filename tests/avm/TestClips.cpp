#include "TestClips.h"

#include "AvmRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace avm_test {

namespace {

TestClips MakeClips()
{
    TestClips clips;
    char pattern[] = "/tmp/avm-clips-XXXXXX";
    clips.folder = std::string(::mkdtemp(pattern)) + "/";
    // The path lives in a static made before the exit handler is registered,
    // so it is still there when the handler runs (Clips() itself is not).
    static std::string removeAtExit;
    removeAtExit = clips.folder;
    std::atexit([] { std::filesystem::remove_all(removeAtExit); });
    const std::string& f = clips.folder;
    clips.subtitles = f + "lines.srt";
    std::ofstream(clips.subtitles) << "1\n00:00:00,000 --> 00:00:03,000\nWWWWWWWW\n";

    auto picture = [](const char* size, const char* rate, const char* seconds) {
        return std::string("testsrc=size=") + size + ":rate=" + rate + ":duration=" + seconds;
    };
    auto tone = [](const char* rate, const char* seconds) {
        return std::string("sine=frequency=440:sample_rate=") + rate + ":duration=" + seconds;
    };
    clips.h264Aac = f + "h264 aac.mp4";
    MakeClip({"-f", "lavfi", "-i", picture("160x120", "25", "2"), "-f", "lavfi", "-i", tone("44100", "2"), "-ac", "2",
              "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", clips.h264Aac});
    clips.mpeg4Mp3 = f + "mpeg4-mp3.avi";
    MakeClip({"-f", "lavfi", "-i", picture("160x120", "30000/1001", "2"), "-f", "lavfi", "-i", tone("22050", "2"),
              "-c:v", "mpeg4", "-c:a", "libmp3lame", clips.mpeg4Mp3});
    clips.multiTrack = f + "multi.mkv";
    MakeClip({"-f", "lavfi", "-i", picture("160x120", "25", "3"), "-f", "lavfi", "-i", tone("44100", "3"), "-f",
              "lavfi", "-i", tone("48000", "3"), "-i", clips.subtitles, "-map", "0", "-map", "1", "-map", "2", "-map",
              "3", "-c:v", "mpeg4", "-c:a:0", "libmp3lame", "-c:a:1", "ac3", "-c:s", "srt", "-metadata:s:a:0",
              "language=eng", "-metadata:s:a:1", "language=ger", "-metadata:s:a:1", "title=Zweite",
              "-metadata:s:s:0", "language=fre", clips.multiTrack});
    clips.mpeg2Mp2 = f + "mpeg2.mpg";
    MakeClip({"-f", "lavfi", "-i", picture("176x144", "25", "2"), "-f", "lavfi", "-i", tone("48000", "2"), "-c:v",
              "mpeg2video", "-c:a", "mp2", clips.mpeg2Mp2});
    clips.longClip = f + "long.avi";
    MakeClip({"-f", "lavfi", "-i", picture("320x240", "25", "30"), "-f", "lavfi", "-i", tone("44100", "30"), "-c:v",
              "mpeg4", "-q:v", "8", "-c:a", "libmp3lame", clips.longClip});
    return clips;
}

}  // namespace

const TestClips& Clips()
{
    static const TestClips clips = MakeClips();
    return clips;
}

std::string MakeHdrClip(const std::string& folder)
{
    const std::string path = folder + "hdr.mkv";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1", "-f", "lavfi", "-i",
              "sine=frequency=440:sample_rate=48000:duration=1", "-pix_fmt", "yuv420p10le", "-c:v", "libx265",
              "-preset", "ultrafast", "-x265-params",
              "log-level=error:colorprim=bt2020:transfer=smpte2084:colormatrix=bt2020nc:master-display="
              "G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1):max-cll=1000,400",
              "-color_primaries", "bt2020", "-color_trc", "smpte2084", "-colorspace", "bt2020nc", "-c:a", "aac", path});
    return path;
}

}  // namespace avm_test
