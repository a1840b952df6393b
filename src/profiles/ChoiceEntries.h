#pragma once
// The entries of a profile's frame size, frame rate and aspect lists, typed:
// an entry keeps what the source has (Original, Auto), takes the size the
// user gives (Custom) or holds a value of its own. Each entry also keeps its
// text, which the lists show for a value.
#include "OutputProfile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace profiles {

enum class EntryKind { Original, Auto, Custom, Value };

// The numbers decide: a side of 0 keeps the source's size, a side of 1
// takes the custom size; other numbers are the size itself.
struct SizeEntry {
    EntryKind kind = EntryKind::Value;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string text;
};

// "Original" and "Auto" keep the source's rate; other texts are rates as
// atof reads them.
struct FrameEntry {
    EntryKind kind = EntryKind::Value;
    double rate = 0;  // 0 for Original and Auto
    std::string text;

    // Original, Auto and rates below 0.1 keep the source's rate.
    bool KeepsSourceRate() const { return rate < 0.1; }
};

enum class AspectRatio { None, FourThree, SixteenNine };

// "Original" and "Auto" keep the source's aspect; other texts set the
// aspect they hold, "4:3" before "16:9", or none.
struct AspectEntry {
    EntryKind kind = EntryKind::Value;
    AspectRatio ratio = AspectRatio::None;
    std::string text;
};

FrameEntry ParseFrameEntry(const std::string& text);
AspectEntry ParseAspectEntry(const std::string& text);

// One entry; an index outside the list reads as empty text and 0 numbers.
SizeEntry SizeEntryAt(const OutputProfile& profile, int index);
FrameEntry FrameEntryAt(const OutputProfile& profile, int index);
AspectEntry AspectEntryAt(const OutputProfile& profile, int index);

// The listed entries, in list order.
std::vector<SizeEntry> SizeEntries(const OutputProfile& profile);
std::vector<FrameEntry> FrameEntries(const OutputProfile& profile);
std::vector<AspectEntry> AspectEntries(const OutputProfile& profile);

}  // namespace profiles
