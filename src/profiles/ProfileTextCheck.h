#pragma once
// The first check of readable profile data: that it is whole text in which
// every line is a profile name in brackets, a known key with its value, a
// comment (";") or blank. What passes reads the same through
// ini::PrivateProfile as it was written: no key is lost, merged into the
// wrong profile or shadowed by a second one.
#include <string>
#include <string_view>

namespace profiles {

// What is wrong, e.g. "line 12 has the unknown key \"vidao_size\"", or ""
// when nothing is.
std::string FindTextDamage(std::string_view text);

}  // namespace profiles
