#include "FormatRules.h"

namespace ui {

namespace {

bool IsShown(const std::vector<bool>& shown, int slot)
{
    return slot >= 0 && slot < static_cast<int>(shown.size()) && shown[static_cast<std::size_t>(slot)];
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

int RowOfProfile(const std::vector<int>& order, const std::vector<bool>& shown, int profile)
{
    int row = 0;
    for (int slot : order) {
        if (slot == profile)
            return row;
        if (IsShown(shown, slot))
            ++row;
    }
    return -1;
}

int ProfileOfRow(const std::vector<int>& order, const std::vector<bool>& shown, int row)
{
    int count = 0;
    for (int slot : order) {
        if (!IsShown(shown, slot))
            continue;
        if (count == row)
            return slot;
        ++count;
    }
    return static_cast<int>(shown.size());
}

}  // namespace ui
