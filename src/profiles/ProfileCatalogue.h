#pragma once
// The output profiles of the profile data file, in file order, each with
// the user's choices for it. Built once at start-up; only the choices
// change afterwards.
#include "OutputProfile.h"
#include "ProfileChoice.h"
#include "ProfileScrambler.h"

#include <string>
#include <vector>

namespace profiles {

class ProfileCatalogue {
public:
    static constexpr int kMaxProfiles = 63;

    int Count() const { return static_cast<int>(profiles_.size()); }
    // nullptr for a slot that holds no profile (negative or past the last).
    const OutputProfile* Profile(int slot) const;
    ProfileChoice* Choice(int slot);
    const ProfileChoice* Choice(int slot) const;

    // Appends a profile with default choices; false when the catalogue is full.
    bool Add(OutputProfile profile);
    void Clear();

private:
    std::vector<OutputProfile> profiles_;
    std::vector<ProfileChoice> choices_;
};

// Unscrambles dataFile into readableCopy, reads every section of the copy
// as one profile (at most kMaxProfiles, in file order) and deletes the copy
// again. The catalogue is cleared first; on a failure it stays empty.
UnscrambleStatus LoadProfileCatalogue(ProfileCatalogue& catalogue, const std::string& dataFile,
                                      const std::string& readableCopy);

}  // namespace profiles
