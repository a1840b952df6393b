#pragma once
// What the disc steps take from the conversion job, and what they leave for
// the main window.
#include "engine/OutputNaming.h"

#include <cstdint>
#include <string>

namespace disc {

struct DiscJob {
    std::string profileShortName;
    std::string outputFolder;   // as shown in the output folder box, ends with '/'
    std::string discLabel;
    std::string workingFolder;  // holds the converted, numbered files; ends with '/'
    std::string recordName;     // the status record's name (AppSharedName)
};

// The DVD title-set options, from the profile and its choices.
struct DvdTitleSettings {
    int tvType = 0;               // the video_tvtype choice: 0 NTSC, else PAL
    std::string aspectEntry;      // video_aspect[choice], e.g. "16:9 (Wide)"
    int width = 0;                // video_width[video_size choice]
    int height = 0;               // video_height[video_size choice]
    std::string audioCodecEntry;  // audio_codec[choice]
    int dvdChapter = 0;           // the DVDChapter setting
};

struct DiscState {
    engine::OutputName finalName;  // the disc's folder once it is complete
    std::string discFolder;        // receives the DVD or the image meanwhile; no trailing '/'
    std::string madeFolder;        // where the complete disc went
    // Size of the VOB files in MiB; the DVD progress display divides by it.
    std::int64_t vobTotalMegabytes = 0;
};

}  // namespace disc
