#pragma once
// Tiny clips made once per test program with the ffmpeg program, in a
// folder of their own that is removed at exit.
#include <string>

namespace avm_test {

struct TestClips {
    std::string folder;
    std::string h264Aac;     // mp4, 160x120, 25 fps, 2 s, AAC stereo 44.1 kHz
    std::string mpeg4Mp3;    // avi, 160x120, 30000/1001 fps, 2 s, MP3 mono 22.05 kHz
    std::string multiTrack;  // mkv, 3 s: MPEG-4, MP3 "eng", AC-3 "ger" titled "Zweite", SubRip "fre"
    std::string mpeg2Mp2;    // mpg, 176x144, 25 fps, 2 s, MP2 48 kHz
    std::string longClip;    // avi, 320x240, 30 s, for stopping a run midway
    std::string subtitles;   // srt, one line over the first 3 s
};

const TestClips& Clips();

// One second of 10-bit HEVC in Matroska, 160x120 at 25 fps, marked BT.2020
// with the PQ transfer, with mastering display and content light levels in
// the stream, and a tone; its path in folder.
std::string MakeHdrClip(const std::string& folder);

}  // namespace avm_test
