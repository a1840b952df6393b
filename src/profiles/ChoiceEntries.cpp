#include "ChoiceEntries.h"

#include <cstdlib>

namespace profiles {

namespace {

template <typename Entry>
std::vector<Entry> ListedEntries(int count, Entry (*entryAt)(const OutputProfile&, int), const OutputProfile& profile)
{
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(entryAt(profile, i));
    return entries;
}

}  // namespace

FrameEntry ParseFrameEntry(const std::string& text)
{
    if (text == "Original")
        return {EntryKind::Original, 0, text};
    if (text == "Auto")
        return {EntryKind::Auto, 0, text};
    return {EntryKind::Value, std::atof(text.c_str()), text};
}

AspectEntry ParseAspectEntry(const std::string& text)
{
    if (text == "Original")
        return {EntryKind::Original, AspectRatio::None, text};
    if (text == "Auto")
        return {EntryKind::Auto, AspectRatio::None, text};
    const AspectRatio ratio = text.find("4:3") != std::string::npos    ? AspectRatio::FourThree
                              : text.find("16:9") != std::string::npos ? AspectRatio::SixteenNine
                                                                       : AspectRatio::None;
    return {EntryKind::Value, ratio, text};
}

SizeEntry SizeEntryAt(const OutputProfile& profile, int index)
{
    SizeEntry entry{EntryKind::Value, profile.video_width.At(index), profile.video_height.At(index),
                    profile.video_size.At(index)};
    if (entry.width == 0 || entry.height == 0)
        entry.kind = EntryKind::Original;
    else if (entry.width == 1 || entry.height == 1)
        entry.kind = EntryKind::Custom;
    return entry;
}

FrameEntry FrameEntryAt(const OutputProfile& profile, int index)
{
    return ParseFrameEntry(profile.video_frame.At(index));
}

AspectEntry AspectEntryAt(const OutputProfile& profile, int index)
{
    return ParseAspectEntry(profile.video_aspect.At(index));
}

std::vector<SizeEntry> SizeEntries(const OutputProfile& profile)
{
    return ListedEntries(profile.video_size.Count(), &SizeEntryAt, profile);
}

std::vector<FrameEntry> FrameEntries(const OutputProfile& profile)
{
    return ListedEntries(profile.video_frame.Count(), &FrameEntryAt, profile);
}

std::vector<AspectEntry> AspectEntries(const OutputProfile& profile)
{
    return ListedEntries(profile.video_aspect.Count(), &AspectEntryAt, profile);
}

}  // namespace profiles
