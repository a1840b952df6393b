#include "ProfileCheck.h"

#include "DeviceCategory.h"
#include "ProfileKeys.h"
#include "ProfileKind.h"
#include "ProfileLists.h"
#include "ini/PrivateProfile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <vector>

namespace profiles {

namespace {

// A list key and the key whose entries its entries go with.
struct ListPair {
    std::string_view list, partner;
};
constexpr ListPair kNumbersPerEntry[] = {
    {"video_bitrate", "video_quality"}, {"video_qscale", "video_quality"}, {"video_width", "video_size"},
    {"video_height", "video_size"},     {"audio_bitrate", "audio_quality"},
};
// Disc profiles: TV type entry k picks frame size and frame rate entry k.
constexpr ListPair kEntriesPerTvType[] = {{"video_size", "video_tvtype"}, {"video_frame", "video_tvtype"}};

// A template placeholder and the list whose chosen entry replaces it.
struct Placeholder {
    std::string_view token, list;
};
constexpr Placeholder kPlaceholders[] = {
    {"__video_codec__", "video_codec"},     {"__video_bitrate__", "video_bitrate"},
    {"__vqscale__", "video_qscale"},        {"__video_size__", "video_size"},
    {"__video_frame__", "video_frame"},     {"__video_aspect__", "video_aspect"},
    {"__audio_codec__", "audio_codec"},     {"__audio_bitrate__", "audio_bitrate"},
    {"__audio_sample__", "audio_sample"},
};

std::string Named(std::string_view key)
{
    return std::string(FindProfileKey(key)->what) + " (" + std::string(key) + ")";
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Whether word stands in text between blanks or at its ends.
bool HasWord(std::string_view text, std::string_view word)
{
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || text[at - 1] == ' ') && (end == text.size() || text[end] == ' '))
            return true;
    }
    return false;
}

bool IsWholeNumber(std::string_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The entries of "{a,b,c}"; none for "" and "{}"; nullopt when the value is
// not written so.
std::optional<std::vector<std::string_view>> ListEntries(std::string_view value)
{
    if (value.empty() || value == "{}")
        return std::vector<std::string_view>{};
    if (value.size() < 2 || value.front() != '{' || value.back() != '}')
        return std::nullopt;
    value = value.substr(1, value.size() - 2);
    if (value.find_first_of("{}") != std::string_view::npos)
        return std::nullopt;
    std::vector<std::string_view> entries;
    for (std::size_t start = 0;;) {
        const std::size_t comma = value.find(',', start);
        entries.push_back(value.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return entries;
        start = comma + 1;
    }
}

// What is wrong with one value; "" when it fits. Counts the entries of a list.
std::string ValueDamage(const ProfileKey& key, const std::string& value, std::size_t& entries)
{
    const std::string named = Named(key.key);
    switch (key.kind) {
    case ValueKind::Text:
        if (value.size() > key.limit)
            return "has its " + named + " longer than " + std::to_string(key.limit) + " characters";
        if (value.empty() && key.presence == Presence::Value)
            return "has no " + named;
        return "";
    case ValueKind::Flag:
        return value.empty() || value == "yes" || value == "no" ? "" : "has its " + named + " neither yes nor no";
    case ValueKind::TextList:
    case ValueKind::NumberList:
        break;
    }
    const std::optional<std::vector<std::string_view>> list = ListEntries(value);
    if (!list)
        return "has its " + named + " not written as {a,b,c}";
    entries = list->size();
    if (entries > key.limit)
        return "has more than " + std::to_string(key.limit) + " entries in its " + named;
    if (entries == 0 && key.presence == Presence::Value)
        return "has no entries in its " + named;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::string_view entry = (*list)[i];
        const std::string position = "entry " + std::to_string(i + 1) + " of its " + named;
        if (key.kind == ValueKind::NumberList && !IsWholeNumber(entry))
            return "has " + Quoted(entry) + " as " + position + ", which is no whole number";
        if (entry.empty())
            return "has an empty " + position;
        if (entry.size() > kSlotTextLength)
            return "has more than " + std::to_string(kSlotTextLength) + " characters in " + position;
    }
    return "";
}

}  // namespace

std::string FindProfileDamage(const ini::PrivateProfile& data, const std::string& section)
{
    std::map<std::string_view, std::string> values;
    std::map<std::string_view, std::size_t> entries;
    for (const ProfileKey& key : ProfileKeys()) {
        const std::string name(key.key);
        if (!data.HasKey(section, name)) {
            if (key.presence != Presence::Optional)
                return "has no " + Named(key.key);
            continue;
        }
        std::string& value = values[key.key];
        value = data.GetString(section, name, "", std::string::npos);
        if (std::string damage = ValueDamage(key, value, entries[key.key]); !damage.empty())
            return damage;
    }

    const std::string& shortName = values["profile_shortname"];
    const auto categories = DeviceCategories();
    if (std::none_of(categories.begin(), categories.end(),
                     [&](const DeviceCategory& category) { return InCategory(shortName, category); }))
        return "belongs to no known device category (short name " + Quoted(shortName) + ")";
    const ProfileKind kind = ParseProfileKind(shortName);
    const std::string& extension = values["file_extname"];
    if (extension.empty() && !kind.original)
        return "has no " + Named("file_extname");
    if (!extension.empty() && extension.front() != '.')
        return "has its " + Named("file_extname") + " without the leading dot";

    // The window and the argument builder go by the flag, the encoder by the template.
    const bool flaggedSoundOnly = values["flag_onlyaudio"] == "yes";
    if (flaggedSoundOnly && !HasWord(values["command1"], "-novideo"))
        return "has the " + Named("flag_onlyaudio") + " but no -novideo in its " + Named("command1");
    if (!flaggedSoundOnly && HasWord(values["command1"], "-novideo"))
        return "has -novideo in its " + Named("command1") + " but not the " + Named("flag_onlyaudio");

    auto tooFew = [&](const ListPair& pair) {
        return values.count(pair.list) > 0 && entries[pair.list] < entries[pair.partner];
    };
    for (const ListPair& pair : kNumbersPerEntry)
        if (tooFew(pair))
            return "has fewer entries in its " + Named(pair.list) + " than in its " + Named(pair.partner);
    for (const ListPair& pair : kEntriesPerTvType)
        if (kind.disc && tooFew(pair))
            return "has fewer entries in its " + Named(pair.list) + " than in its " + Named(pair.partner);

    // The video codec choice of an avi profile and the TV type choice of a
    // disc profile pick the second template for every entry after the first.
    const bool picksSecond =
        (kind.avi && entries["video_codec"] > 1) || (kind.disc && entries["video_tvtype"] > 1);
    if (picksSecond && values["command2"].empty())
        return "has no " + Named("command2");
    for (std::string_view command : {"command1", "command2"})
        for (const Placeholder& placeholder : kPlaceholders)
            if (values[command].find(placeholder.token) != std::string::npos && entries[placeholder.list] == 0)
                return "uses " + std::string(placeholder.token) + " in its " + Named(command) + " but has no " +
                       Named(placeholder.list);
    return "";
}

}  // namespace profiles
