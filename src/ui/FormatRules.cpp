#include "FormatRules.h"

#include <algorithm>
#include <array>

namespace ui {

namespace {

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

ExtraFormatRow ExtraRowOf(const std::vector<bool>& shown)
{
    if (static_cast<int>(shown.size()) <= kProfilesWithoutMoreRow)
        return ExtraFormatRow::None;
    for (bool flag : shown)
        if (!flag)
            return ExtraFormatRow::More;
    return ExtraFormatRow::Hide;
}

int RowOfProfile(const std::vector<bool>& shown, int profile)
{
    int row = profile;
    for (int slot = 0; slot <= profile && slot < static_cast<int>(shown.size()); ++slot)
        if (!shown[slot])
            --row;
    return row;
}

int ProfileOfRow(const std::vector<bool>& shown, int row)
{
    int count = 0;
    for (int slot = 0; slot < static_cast<int>(shown.size()); ++slot) {
        if (!shown[slot])
            continue;
        if (count == row)
            return slot;
        ++count;
    }
    return static_cast<int>(shown.size());
}

DiscCapacity DiscCapacityFor(const std::string& shortName, int videoQuality)
{
    using Table = std::array<DiscCapacity, 4>;
    static constexpr Table dvd = {{{225, 5, 30, 210}, {195, 5, 15, 180}, {165, 5, 15, 150}, {135, 5, 15, 120}}};
    static constexpr Table svcd = {{{55, 1, 5, 50}, {49, 1, 5, 45}, {45, 1, 5, 41}, {43, 1, 5, 38}}};
    static constexpr Table vcd = {{{130, 2, 20, 124}, {120, 1, 10, 104}, {96, 1, 10, 84}, {85, 1, 10, 74}}};
    const Table& table = Contains(shortName, "dvdimg") ? dvd : Contains(shortName, "svcdimg") ? svcd : vcd;
    return table[std::clamp(videoQuality, 0, 3)];
}

DiscLabelProblem CheckDiscLabelText(const std::string& label)
{
    if (label.empty())
        return DiscLabelProblem::Empty;
    if (label.find_first_of("\"*/:<>?\\|'&;#") != std::string::npos)
        return DiscLabelProblem::SpecialCharacter;
    return DiscLabelProblem::None;
}

}  // namespace ui
