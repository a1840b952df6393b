#pragma once
// One opened input: a media file, or the file the program's decode script
// names, which is then opened through the tolerant route (generic probing,
// damage ignored). Either is opened contained (see ContainedInput.h).
#include "Libav.h"

#include <optional>
#include <string>
#include <vector>

namespace avm {

class InputMedia {
public:
    // recordName tells the run, whose own decode script alone is read as
    // one. Throws ToolError when the file cannot be opened or holds no streams.
    InputMedia(const std::string& path, const std::string& recordName);

    AVFormatContext* Context() const { return context_.get(); }
    // The media file really opened (the script's source for a script).
    const std::string& MediaPath() const { return mediaPath_; }
    bool Tolerant() const { return forcedRate_.has_value(); }
    // The rate a decode script imposes on the picture.
    std::optional<AVRational> ForcedFrameRate() const { return forcedRate_; }

    // Stream indexes of one type, in file order.
    std::vector<int> StreamsOf(AVMediaType type) const;
    // The main picture stream, or -1.
    int VideoStream() const;
    // The audio stream at `position` among the audio streams; -1 picks the
    // first one (or none when there is none). Throws when out of range.
    int AudioStream(int position) const;
    // Seconds of the file's first timestamp (0 when unknown).
    double StartSeconds() const;
    // Length in seconds (0 when unknown).
    double DurationSeconds() const;
    // Positions the demuxer at or before `seconds` into the media.
    void SeekTo(double seconds);
    // Throws when the media, read to its end at second `reached`, end
    // before CutOffPoint(expected).
    void CheckNotCutOff(double reached, double expected) const;

private:
    InputPtr context_;
    std::string mediaPath_;
    std::optional<AVRational> forcedRate_;
};

// The second media that should last `expected` seconds must reach not to
// count as cut off; container lengths can be estimates, so only a clear
// shortfall counts. Not above 0 when there is nothing to check.
double CutOffPoint(double expected);

// A decoder for one stream, opened with `threads` workers.
CodecContextPtr OpenDecoder(const AVStream* stream, int threads, bool tolerant);

}  // namespace avm
