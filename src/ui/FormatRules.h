#pragma once
// Arithmetic of the Output Format list, kept apart from the widgets so that
// it can be checked without a screen.
#include <vector>

namespace ui {

// Beyond this many profiles the list ends with a More/Hide row.
constexpr int kProfilesWithoutMoreRow = 6;

enum class ExtraFormatRow { None, More, Hide };

// shown[i] is the showprofile flag of catalogue slot i; order holds every
// slot once, in the order the list shows the profiles
// (profiles::SlotsInFamilyOrder).
ExtraFormatRow ExtraRowOf(const std::vector<bool>& shown);
// The list row of a profile: the number of shown profiles listed before it
// (so a hidden profile gives the row of the next shown one); -1 for a slot
// the order does not hold.
int RowOfProfile(const std::vector<int>& order, const std::vector<bool>& shown, int profile);
// The slot of the shown profile in the given row; shown.size() (an empty
// slot) when the row names no profile.
int ProfileOfRow(const std::vector<int>& order, const std::vector<bool>& shown, int row);

}  // namespace ui
