#include "ProfileListing.h"

#include "profiles/ChoiceEntries.h"
#include "profiles/DeviceCategory.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileMarkers.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace cli {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool Holds(const profiles::OutputProfile& profile, const std::string& filter)
{
    const std::string wanted = Lower(filter);
    return Lower(profile.name).find(wanted) != std::string::npos ||
           Lower(profile.profile_shortname).find(wanted) != std::string::npos;
}

// "a", "a or b", "a, b or c"; "as the source" for an empty list.
template <std::size_t Slots>
std::string Alternatives(const profiles::TextList<Slots>& list)
{
    if (list.Count() == 0)
        return "as the source";
    std::string text = list.At(0);
    for (int i = 1; i < list.Count(); ++i)
        text += (i + 1 == list.Count() ? " or " : ", ") + list.At(i);
    return text;
}

std::string Container(const profiles::OutputProfile& profile)
{
    if (profiles::IsDvdImage(profile))
        return "DVD folder (VIDEO_TS)";
    if (profiles::IsVcdImage(profile))
        return "BIN/CUE image";
    if (profiles::IsOriginal(profile) || profile.file_extname.size() < 2)
        return "as the source";
    return profile.file_extname.substr(1);
}

std::string DefaultSize(const profiles::OutputProfile& profile)
{
    const profiles::SizeEntry entry = profiles::SizeEntryAt(profile, 0);
    if (entry.text.empty() || entry.kind == profiles::EntryKind::Original)
        return "as the source";
    const std::string& size = entry.text;
    if (profiles::IsDisc(profile) && profile.video_tvtype.Count() > 0)
        return size + " (" + profile.video_tvtype.At(0) + ")";
    return size;
}

}  // namespace

std::string ProfileSummary(const profiles::OutputProfile& profile)
{
    if (profiles::IsSoundOnly(profile))
        return "container " + Container(profile) + "; no video; audio " + Alternatives(profile.audio_codec);
    return "container " + Container(profile) + "; video " + Alternatives(profile.video_codec) + "; audio " +
           Alternatives(profile.audio_codec) + "; size " + DefaultSize(profile);
}

std::string ProfileListing(const profiles::ProfileCatalogue& catalogue, int currentSlot, const std::string& filter)
{
    std::vector<bool> listed(static_cast<std::size_t>(catalogue.Count()), false);
    std::string text;
    auto group = [&](std::string_view title, auto belongs) {
        std::string lines;
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            const profiles::OutputProfile& profile = *catalogue.Profile(slot);
            if (listed[slot] || !belongs(profile))
                continue;
            listed[slot] = true;
            if (!Holds(profile, filter))
                continue;
            const std::string number = std::to_string(slot);
            lines += (slot == currentSlot ? "  * " : "    ") + std::string(number.size() < 2 ? " " : "") + number +
                     "  " + profile.name + "  (" + profile.profile_shortname + ")\n" + "          " +
                     ProfileSummary(profile) + "\n";
        }
        if (!lines.empty())
            text += std::string(title) + "\n" + lines;
    };
    for (const profiles::DeviceCategory& category : profiles::DeviceCategories())
        group(category.displayName,
              [&category](const profiles::OutputProfile& p) { return profiles::InCategory(p.profile_shortname, category); });
    group("Other", [](const profiles::OutputProfile&) { return true; });
    return text;
}

}  // namespace cli
