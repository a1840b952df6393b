#include "FormatRules.h"

namespace ui {

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

}  // namespace ui
