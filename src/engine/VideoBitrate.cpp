#include "VideoBitrate.h"

#include "profiles/ChoiceEntries.h"
#include "profiles/ProfileMarkers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace engine {

namespace {

// The CRF profiles list sizes up to 3840x2160, but their rates are about what
// a 1080p picture needs; larger pictures never get more than the chosen rate.
constexpr FrameSize kLargestNominal{1920, 1080};
// The largest size of the generic profiles, for a profile that lists none.
constexpr FrameSize kUnlistedNominal{1280, 720};

// Below these rates even a small picture turns to blocks. H.264, HEVC, VP9
// and AV1 keep a 320x240 picture clean at about 250 kbit/s; the older codecs
// (MPEG-1/2, DivX/XviD, WMV, FLV, H.263) need about twice the bits.
constexpr std::int32_t kModernCodecFloor = 250;
constexpr std::int32_t kOlderCodecFloor = 500;

std::int64_t Pixels(FrameSize size)
{
    return std::int64_t{size.width} * size.height;
}

std::int32_t CodecFloor(const std::string& codec)
{
    std::string name;
    for (char c : codec)
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool modern = name == "H.264" || name == "H.265" || name == "HEVC" || name == "VP9" || name == "AV1";
    return modern ? kModernCodecFloor : kOlderCodecFloor;
}

}  // namespace

FrameSize OutputFrameSize(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice,
                          FrameSize sourceSize)
{
    const profiles::SizeEntry entry = profiles::SizeEntryAt(profile, choice.video_size);
    if (entry.kind == profiles::EntryKind::Original && !profiles::IsDisc(profile))
        return sourceSize;
    if (entry.kind == profiles::EntryKind::Custom)
        return {choice.custom_width, choice.custom_height};
    return {entry.width, entry.height};
}

FrameSize NominalFrameSize(const profiles::OutputProfile& profile)
{
    FrameSize largest;
    for (const profiles::SizeEntry& entry : profiles::SizeEntries(profile)) {
        const FrameSize size{entry.width, entry.height};
        if (entry.kind == profiles::EntryKind::Value && Pixels(size) > Pixels(largest))
            largest = size;
    }
    if (Pixels(largest) == 0)
        return kUnlistedNominal;
    return Pixels(largest) > Pixels(kLargestNominal) ? kLargestNominal : largest;
}

std::int32_t EffectiveVideoBitrate(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice,
                                   const SourceItem& source, FrameSize output)
{
    const std::int32_t chosen = profile.video_bitrate.At(choice.video_quality);
    const profiles::EntryKind kind = profiles::SizeEntryAt(profile, choice.video_size).kind;
    const bool sized = kind == profiles::EntryKind::Original || kind == profiles::EntryKind::Custom;
    if (!sized || profiles::IsDisc(profile) || chosen <= 0 || output.width <= 0 || output.height <= 0)
        return chosen;
    const double share = static_cast<double>(Pixels(output)) / static_cast<double>(Pixels(NominalFrameSize(profile)));
    const std::int64_t scaled = std::llround(chosen * share);
    const std::int64_t floor = CodecFloor(profile.video_codec.At(choice.video_codec));
    auto rate = static_cast<std::int32_t>(std::min<std::int64_t>(chosen, std::max(scaled, floor)));
    // A source with fewer bits has no more detail to keep, even below the floor.
    if (source.videoBitrate > 0)
        rate = std::min(rate, std::max(1, source.videoBitrate + source.videoBitrate / 2));
    return rate;
}

}  // namespace engine
