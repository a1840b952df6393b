#include "ChoiceRanges.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace profiles {

namespace {

// A choice that indexes a list of the profile.
struct ListChoice {
    std::string_view key;
    int (*count)(const OutputProfile& profile);
};

constexpr std::array<ListChoice, 9> kListChoices{{
    {"video_quality", [](const OutputProfile& p) { return p.video_quality.Count(); }},
    {"video_codec", [](const OutputProfile& p) { return p.video_codec.Count(); }},
    {"video_size", [](const OutputProfile& p) { return p.video_size.Count(); }},
    {"video_frame", [](const OutputProfile& p) { return p.video_frame.Count(); }},
    {"video_aspect", [](const OutputProfile& p) { return p.video_aspect.Count(); }},
    {"video_tvtype", [](const OutputProfile& p) { return p.video_tvtype.Count(); }},
    {"audio_quality", [](const OutputProfile& p) { return p.audio_quality.Count(); }},
    {"audio_codec", [](const OutputProfile& p) { return p.audio_codec.Count(); }},
    {"audio_sample", [](const OutputProfile& p) { return p.audio_sample.Count(); }},
}};

}  // namespace

bool IsChoiceInRange(const OutputProfile& profile, const ProfileChoiceKey& key, std::int32_t value)
{
    const std::string_view name = key.key;
    if (name == "custom_width" || name == "custom_height")
        return value == 0 || (value >= kCustomSideMin && value <= kCustomSideMax);
    const auto list = std::find_if(kListChoices.begin(), kListChoices.end(),
                                   [name](const ListChoice& choice) { return choice.key == name; });
    if (list != kListChoices.end())
        return value >= 0 && value < std::max(list->count(profile), 1);
    return value == 0 || value == 1;
}

}  // namespace profiles
