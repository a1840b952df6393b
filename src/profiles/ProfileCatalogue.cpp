#include "ProfileCatalogue.h"

#include "ProfileCheck.h"
#include "ProfileTextCheck.h"
#include "ini/PrivateProfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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

namespace {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string NotUnscrambled(UnscrambleStatus status, const std::string& dataFile, const std::string& readableCopy)
{
    std::error_code error;
    if (status == UnscrambleStatus::CannotOpenOutput)
        return readableCopy.empty() ? "cannot be unpacked: there is no private temporary folder"
                                    : "cannot be unpacked into " + readableCopy;
    return std::filesystem::exists(dataFile, error) ? "cannot be read" : "is missing";
}

// What is wrong with the readable data as a whole, or "".
std::string FindDamage(const std::string& text, const ini::PrivateProfile& data)
{
    if (std::string damage = FindTextDamage(text); !damage.empty())
        return damage;
    const std::vector<std::string> sections = data.SectionNames();
    if (sections.empty())
        return "it holds no profile";
    if (sections.size() > static_cast<std::size_t>(ProfileCatalogue::kMaxProfiles))
        return "it holds more than " + std::to_string(ProfileCatalogue::kMaxProfiles) + " profiles";
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (std::string damage = FindProfileDamage(data, sections[i]); !damage.empty())
            return "profile " + std::to_string(i + 1) + " \"" + sections[i] + "\" " + damage;
    return "";
}

}  // namespace

std::string LoadProfileCatalogue(ProfileCatalogue& catalogue, const std::string& dataFile,
                                 const std::string& readableCopy)
{
    catalogue.Clear();
    const UnscrambleStatus status = UnscrambleFile(dataFile, kProfileKey, readableCopy);
    if (status != UnscrambleStatus::Done)
        return NotUnscrambled(status, dataFile, readableCopy);
    const std::string text = ReadWholeFile(readableCopy);
    const ini::PrivateProfile data(readableCopy);
    std::remove(readableCopy.c_str());
    if (std::string damage = FindDamage(text, data); !damage.empty())
        return "is damaged: " + damage;
    for (const std::string& section : data.SectionNames())
        catalogue.Add(ReadOutputProfile(data, section));
    return "";
}

}  // namespace profiles
