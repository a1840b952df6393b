#pragma once
// Rules of disc image profiles that both front ends apply before a job:
// the capacity of a disc at a video quality, the disc label check and the
// length of the sources in whole minutes.
#include "profiles/ProfileKind.h"

#include <string>

namespace app {
class UserDialogs;
}

namespace profiles {
struct OutputProfile;
}

namespace engine {

struct DiscCapacity {
    int maximum;  // of the capacity ruler's scale, in minutes
    int minorStep;
    int labelStep;
    int capacityMinutes;
};

// The capacity of a disc image profile at a video quality choice. The
// table knows qualities 0 to 3; others take the nearest of them.
DiscCapacity DiscCapacityFor(const profiles::ProfileKind& kind, int videoQuality);

enum class DiscLabelProblem { None, Empty, SpecialCharacter };
DiscLabelProblem CheckDiscLabelText(const std::string& label);

// 1 when the job may go on: the profile is no disc image profile, or the
// label suits it. 0 after telling the user what is wrong with the label.
int CheckDiscLabel(const profiles::OutputProfile* profile, const std::string& label, app::UserDialogs& dialogs);

// Whole minutes of a duration, as the capacity ruler counts them.
int WholeMinutes(double seconds);

}  // namespace engine
