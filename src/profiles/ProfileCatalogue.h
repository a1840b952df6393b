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
    static constexpr int kMaxProfiles = 127;

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

// Unscrambles dataFile into readableCopy, checks the copy as a whole
// (ProfileTextCheck.h, ProfileCheck.h, at least one and at most
// kMaxProfiles profiles), reads every section as one profile in file order
// and deletes the copy again. Returns "" on success; otherwise what is
// wrong, as the end of a sentence that begins with the file's name ("is
// missing", "is damaged: profile 3 \"X\" has no join template (joincmd)"),
// and the catalogue stays empty.
std::string LoadProfileCatalogue(ProfileCatalogue& catalogue, const std::string& dataFile,
                                 const std::string& readableCopy);

}  // namespace profiles
