#pragma once
// The second check of readable profile data, one profile at a time: every
// value fits its field whole, the keys every profile needs are there, lists
// that go together have entries for each other, the first entry of every
// list a choice starts on exists, the templates the choices pick are there
// with the lists their placeholders take, and the short name belongs to a
// known device category.
#include <string>

namespace ini {
class PrivateProfile;
}

namespace profiles {

// What is wrong with the profile in section, as the end of a sentence that
// begins with the profile, e.g. "has no video template (command1)"; ""
// when nothing is. The data passed FindTextDamage (ProfileTextCheck.h).
std::string FindProfileDamage(const ini::PrivateProfile& data, const std::string& section);

}  // namespace profiles
