#include "StreamCopyArguments.h"

#include <algorithm>
#include <array>

namespace engine {

namespace {

constexpr std::array kVideoEncoderOptions = {"-x264encopts", "-xvidencopts", "-x265encopts", "-svtav1encopts",
                                             "-vpxencopts", "-vf", "-ofps"};
constexpr std::array kAudioEncoderOptions = {"-lameopts", "-af", "-srate", "-channels"};
constexpr std::array kAudioLavcKeys = {"acodec", "abitrate"};

template <std::size_t N>
bool Among(const std::string& word, const std::array<const char*, N>& names)
{
    return std::any_of(names.begin(), names.end(), [&word](const char* name) { return word == name; });
}

bool IsAudioLavcKey(const std::string& item)
{
    return Among(item.substr(0, item.find('=')), kAudioLavcKeys);
}

// The -lavcopts items of the streams still encoded.
std::string KeptLavcItems(const std::string& value, const StreamCopy& copy)
{
    std::string kept;
    for (const std::string& item : SplitItems(value, ':')) {
        const bool copied = IsAudioLavcKey(item) ? copy.audio : copy.video;
        if (!item.empty() && !copied)
            kept += (kept.empty() ? "" : ":") + item;
    }
    return kept;
}

}  // namespace

void ApplyStreamCopy(Arguments& arguments, const StreamCopy& copy)
{
    if (!copy.video && !copy.audio)
        return;
    Arguments rewritten;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        const bool hasValue = at + 1 < arguments.size();
        if (!hasValue) {
            rewritten.push_back(word);
            continue;
        }
        const std::string& value = arguments[at + 1];
        const bool dropped =
            (copy.video && Among(word, kVideoEncoderOptions)) || (copy.audio && Among(word, kAudioEncoderOptions));
        if (dropped) {
            ++at;
            continue;
        }
        if ((word == "-ovc" && copy.video) || (word == "-oac" && copy.audio)) {
            rewritten.insert(rewritten.end(), {word, "copy"});
            ++at;
        } else if (word == "-lavcopts") {
            if (std::string kept = KeptLavcItems(value, copy); !kept.empty())
                rewritten.insert(rewritten.end(), {word, kept});
            ++at;
        } else {
            rewritten.push_back(word);
        }
    }
    arguments = std::move(rewritten);
}

}  // namespace engine
