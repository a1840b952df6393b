#include "lang/LanguageNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

}  // namespace

TEST(LanguageNames, CodesAreThreeLowerCaseLettersInNameOrder)
{
    const auto table = lang::LanguageNameTable();
    ASSERT_GT(table.size(), 400u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view code = table[i].code;
        EXPECT_TRUE(code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            << code;
        if (i > 0) {
            EXPECT_LE(Lower(table[i - 1].name), Lower(table[i].name)) << "row " << i;
        }
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
