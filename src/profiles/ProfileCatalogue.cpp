#include "ProfileCatalogue.h"

#include "ini/PrivateProfile.h"

#include <cstdio>

namespace profiles {

const OutputProfile* ProfileCatalogue::Profile(int slot) const
{
    return slot >= 0 && slot < Count() ? &profiles_[slot] : nullptr;
}

ProfileChoice* ProfileCatalogue::Choice(int slot)
{
    return slot >= 0 && slot < Count() ? &choices_[slot] : nullptr;
}

const ProfileChoice* ProfileCatalogue::Choice(int slot) const
{
    return slot >= 0 && slot < Count() ? &choices_[slot] : nullptr;
}

bool ProfileCatalogue::Add(OutputProfile profile)
{
    if (Count() >= kMaxProfiles)
        return false;
    profiles_.push_back(std::move(profile));
    choices_.emplace_back();
    return true;
}

void ProfileCatalogue::Clear()
{
    profiles_.clear();
    choices_.clear();
}

UnscrambleStatus LoadProfileCatalogue(ProfileCatalogue& catalogue, const std::string& dataFile,
                                      const std::string& readableCopy)
{
    catalogue.Clear();
    UnscrambleStatus status = UnscrambleFile(dataFile, kProfileKey, readableCopy);
    if (status != UnscrambleStatus::Done)
        return status;
    const ini::PrivateProfile data(readableCopy);
    std::remove(readableCopy.c_str());
    for (const std::string& section : data.SectionNames()) {
        if (section.empty())
            continue;
        if (!catalogue.Add(ReadOutputProfile(data, section)))
            break;
    }
    return UnscrambleStatus::Done;
}

}  // namespace profiles
