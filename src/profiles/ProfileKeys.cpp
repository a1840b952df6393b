#include "ProfileKeys.h"

#include "OutputProfile.h"

#include <algorithm>
#include <array>

namespace profiles {

namespace {

// Entries a list field holds: a text list keeps its last slot empty.
template <typename List>
struct ListCapacity;
template <std::size_t Slots>
struct ListCapacity<TextList<Slots>> {
    static constexpr std::size_t value = Slots - 1;
};
template <std::size_t Slots>
struct ListCapacity<NumberList<Slots>> {
    static constexpr std::size_t value = Slots;
};

template <typename List>
constexpr std::size_t kCapacity = ListCapacity<List>::value;

using P = OutputProfile;

constexpr std::array<ProfileKey, 21> kKeys{{
    {"profile_shortname", "short name", ValueKind::Text, P::kShortNameLength, Presence::Value},
    {"file_extname", "file extension", ValueKind::Text, P::kExtensionLength, Presence::Key},
    {"video_codec", "video codec list", ValueKind::TextList, kCapacity<decltype(P::video_codec)>, Presence::Optional},
    {"video_quality", "video quality list", ValueKind::TextList, kCapacity<decltype(P::video_quality)>,
     Presence::Value},
    {"video_bitrate", "video bitrate list", ValueKind::NumberList, kCapacity<decltype(P::video_bitrate)>,
     Presence::Value},
    {"video_qscale", "video quantizer list", ValueKind::NumberList, kCapacity<decltype(P::video_qscale)>,
     Presence::Optional},
    {"video_size", "frame size list", ValueKind::TextList, kCapacity<decltype(P::video_size)>, Presence::Value},
    {"video_width", "frame width list", ValueKind::NumberList, kCapacity<decltype(P::video_width)>, Presence::Value},
    {"video_height", "frame height list", ValueKind::NumberList, kCapacity<decltype(P::video_height)>,
     Presence::Value},
    {"video_frame", "frame rate list", ValueKind::TextList, kCapacity<decltype(P::video_frame)>, Presence::Value},
    {"video_aspect", "aspect ratio list", ValueKind::TextList, kCapacity<decltype(P::video_aspect)>, Presence::Value},
    {"video_tvtype", "TV type list", ValueKind::TextList, kCapacity<decltype(P::video_tvtype)>, Presence::Optional},
    {"audio_codec", "audio codec list", ValueKind::TextList, kCapacity<decltype(P::audio_codec)>, Presence::Optional},
    {"audio_quality", "audio quality list", ValueKind::TextList, kCapacity<decltype(P::audio_quality)>,
     Presence::Value},
    {"audio_bitrate", "audio bitrate list", ValueKind::NumberList, kCapacity<decltype(P::audio_bitrate)>,
     Presence::Value},
    {"audio_sample", "sample rate list", ValueKind::TextList, kCapacity<decltype(P::audio_sample)>,
     Presence::Optional},
    {"flag_onlyaudio", "audio-only flag", ValueKind::Flag, 0, Presence::Optional},
    {"flag_psp", "PSP flag", ValueKind::Flag, 0, Presence::Optional},
    {"command1", "video template", ValueKind::Text, P::kCommandLength, Presence::Value},
    {"command2", "second video template", ValueKind::Text, P::kCommandLength, Presence::Optional},
    {"joincmd", "join template", ValueKind::Text, P::kJoinCommandLength, Presence::Value},
}};

}  // namespace

std::span<const ProfileKey> ProfileKeys()
{
    return kKeys;
}

const ProfileKey* FindProfileKey(std::string_view key)
{
    const auto found = std::find_if(kKeys.begin(), kKeys.end(), [key](const ProfileKey& k) { return k.key == key; });
    return found == kKeys.end() ? nullptr : &*found;
}

}  // namespace profiles
