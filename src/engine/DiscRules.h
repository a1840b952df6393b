#pragma once
// Rules of disc image profiles that both front ends apply before a job:
// the capacity of a disc at a video quality, the disc label check and the
// length of the sources in whole minutes.
#include "app/Notice.h"
#include "profiles/ProfileKind.h"

#include <string>

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

// Success when the job may go on: the profile is no disc image profile, or
// the label suits it.
app::Outcome CheckDiscLabel(const profiles::OutputProfile* profile, const std::string& label);

// Whole minutes of a duration, as the capacity ruler counts them.
int WholeMinutes(double seconds);

}  // namespace engine
