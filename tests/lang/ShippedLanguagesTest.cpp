#include "lang/IniTextFile.h"
#include "lang/LanguageKeys.h"
#include "support/ShippedLanguages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using testing_support::ReadLanguageTexts;
using testing_support::ShippedLanguageFiles;

// The printf and %1 placeholders of a text, in order.
std::vector<std::string> Placeholders(const std::string& text)
{
    static const std::regex placeholder(R"(%(\d+|%|[-+ #0]*\d*(\.\d+)?[sdifuxXc]))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

// Accelerator marks: '&' not part of "&&".
long Accelerators(std::string text)
{
    for (std::size_t at; (at = text.find("&&")) != std::string::npos;)
        text.erase(at, 2);
    return std::count(text.begin(), text.end(), '&');
}

}  // namespace

// Every shipped language file answers every key the program asks for.
TEST(ShippedLanguages, HoldEveryRequiredKey)
{
    for (const fs::path& path : ShippedLanguageFiles()) {
        lang::IniTextFile file;
        ASSERT_TRUE(file.LoadFile(path.string()));
        for (const lang::LanguageKey& key : lang::RequiredLanguageKeys())
            EXPECT_FALSE(file.GetValue(key.section, key.key).empty())
                << path.filename() << " lacks [" << key.section << "] " << key.key;
    }
    EXPECT_GE(ShippedLanguageFiles().size(), 8u);
}

// A translation holds the English keys and no others, keeps each text's
// placeholders in their order, and each accelerator mark.
TEST(ShippedLanguages, KeepTheEnglishKeysPlaceholdersAndAccelerators)
{
    const testing_support::LanguageTexts english = ReadLanguageTexts(std::string(SOURCE_DIR) + "data/Languages/English.ini");
    ASSERT_GT(english.size(), 200u);
    for (const fs::path& path : ShippedLanguageFiles()) {
        SCOPED_TRACE(path.filename().string());
        const testing_support::LanguageTexts texts = ReadLanguageTexts(path);
        for (const auto& [key, text] : english) {
            const auto translated = texts.find(key);
            if (translated == texts.end()) {
                ADD_FAILURE() << "lacks [" << key.first << "] " << key.second;
                continue;
            }
            EXPECT_EQ(Placeholders(translated->second), Placeholders(text))
                << "[" << key.first << "] " << key.second << "=" << translated->second;
            EXPECT_EQ(Accelerators(translated->second), Accelerators(text))
                << "[" << key.first << "] " << key.second << "=" << translated->second;
        }
        for (const auto& [key, text] : texts)
            EXPECT_TRUE(english.count(key)) << "has [" << key.first << "] " << key.second << ", which English lacks";
    }
}
