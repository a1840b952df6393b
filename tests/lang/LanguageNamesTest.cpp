#include "lang/LanguageNames.h"

#include <gtest/gtest.h>

#include <string>

// Codes a track can never carry would make their rows dead.
TEST(LanguageNames, EveryCodeIsThreeLowerCaseLetters)
{
    ASSERT_GT(lang::LanguageNameTable().size(), 400u);
    for (const lang::LanguageNameEntry& entry : lang::LanguageNameTable()) {
        const std::string code = entry.code;
        EXPECT_TRUE(code.size() == 3 && code.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos)
            << code;
    }
}

TEST(LanguageNames, CodesGiveTheirNames)
{
    const std::pair<std::string, const char*> cases[] = {
        // Bibliographic and terminology codes name the same language.
        {"fre", "French"}, {"fra", "French"},
        // Codes listed twice: the first entry by name wins.
        {"ine", "Indo-European (Other)"}, {"ssw", "Siswant"},
        // Only the first three characters count, and case does.
        {"engx", "English"}, {std::string("fre\0zz", 6), "French"}, {"ENG", "Undetermined"},
        {"en", "Undetermined"}, {"xyz", "Undetermined"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(lang::LanguageName(code), name) << '"' << code << '"';
}
