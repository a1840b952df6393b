#pragma once
// The language files of the source tree, and their texts as written, for
// the tests that hold every language to the English one.
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using LanguageTexts = std::map<std::pair<std::string, std::string>, std::string>;  // (section, key) -> text

// data/Languages/*.ini, sorted by name.
std::vector<std::filesystem::path> ShippedLanguageFiles();
// The texts of a language file: sections and key=value lines, comments skipped.
LanguageTexts ReadLanguageTexts(const std::filesystem::path& path);

}  // namespace testing_support
