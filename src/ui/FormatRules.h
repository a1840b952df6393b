#pragma once
// Arithmetic of the Output Format list and the disc controls, kept apart
// from the widgets so that it can be checked without a screen.
#include <string>
#include <vector>

namespace ui {

// Beyond this many profiles the list ends with a More/Hide row.
constexpr int kProfilesWithoutMoreRow = 6;

enum class ExtraFormatRow { None, More, Hide };

// shown[i] is the showprofile flag of catalogue slot i.
ExtraFormatRow ExtraRowOf(const std::vector<bool>& shown);
// The list row of a profile: its slot less the hidden slots up to it.
int RowOfProfile(const std::vector<bool>& shown, int profile);
// The slot of the shown profile in the given row; shown.size() (an empty
// slot) when the row names no profile.
int ProfileOfRow(const std::vector<bool>& shown, int row);

struct DiscCapacity {
    int maximum;
    int minorStep;
    int labelStep;
    int capacityMinutes;
};

// The ruler scale of a disc image profile at a video quality choice. The
// table knows qualities 0 to 3; others take the nearest of them.
DiscCapacity DiscCapacityFor(const std::string& shortName, int videoQuality);

enum class DiscLabelProblem { None, Empty, SpecialCharacter };
DiscLabelProblem CheckDiscLabelText(const std::string& label);

}  // namespace ui
