#include "lang/LanguageNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

struct Row {
    const char* code;
    const char* name;
};

std::vector<Row> Rows(std::size_t first, std::size_t count)
{
    std::vector<Row> rows;
    for (const lang::LanguageNameEntry& entry : lang::LanguageNameTable().subspan(first, count))
        rows.push_back({entry.code, entry.name});
    return rows;
}

bool operator==(const Row& a, const Row& b)
{
    return std::string_view(a.code) == b.code && std::string_view(a.name) == b.name;
}

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.code << " " << row.name;
}

}  // namespace

TEST(LanguageNames, TableShape)
{
    const auto table = lang::LanguageNameTable();
    ASSERT_EQ(table.size(), 426u);

    int families = 0;
    for (const lang::LanguageNameEntry& entry : table) {
        const std::string_view code = entry.code;
        EXPECT_TRUE(code.size() == 3 && std::all_of(code.begin(), code.end(), [](char c) {
                        return c >= 'a' && c <= 'z';
                    }))
            << code;
        if (std::string_view(entry.name).ends_with(" (Other)"))
            ++families;
    }
    EXPECT_EQ(families, 30);
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LE(Lower(table[i - 1].name), Lower(table[i].name)) << "row " << i;

    const std::vector<Row> start = {{"abk", "Abkhazian"}, {"ace", "Achinese"}, {"ach", "Acoli"},
                                    {"ada", "Adangme"},   {"aar", "Afar"},     {"afh", "Afrihili"},
                                    {"afr", "Afrikaans"}, {"afa", "Afro-Asiatic (Other)"}};
    const std::vector<Row> end = {{"zha", "Zhuang"}, {"zul", "Zulu"}};
    EXPECT_EQ(Rows(0, start.size()), start);
    EXPECT_EQ(Rows(table.size() - end.size(), end.size()), end);
}

TEST(LanguageNames, KnownCodes)
{
    const Row cases[] = {
        {"eng", "English"},           {"und", "Undetermined"},
        {"mul", "Multiple languages"}, {"art", "Artificial (Other)"},
        {"bat", "Baltic (Other)"},    {"mis", "Miscellaneous (Other)"},
        // Codes listed twice: the first entry by name wins.
        {"ine", "Indo-European (Other)"}, {"mak", "Macedonian"}, {"ssw", "Siswant"},
    };
    for (const Row& c : cases)
        EXPECT_EQ(lang::LanguageName(c.code), c.name) << c.code;

    const auto table = lang::LanguageNameTable();
    for (const char* repeated : {"ine", "mak", "ssw"}) {
        EXPECT_EQ(std::count_if(table.begin(), table.end(),
                                [&](const auto& e) { return std::string_view(e.code) == repeated; }),
                  2)
            << repeated;
    }
}

TEST(LanguageNames, BibliographicAndTerminologyCodesAgree)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"alb", "sqi"}, {"chi", "zho"}, {"cze", "ces"}, {"fre", "fra"},
        {"ger", "deu"}, {"scc", "srp"}, {"scr", "hrv"}, {"wel", "cym"},
    };
    for (const auto& [bibliographic, terminology] : pairs) {
        EXPECT_NE(lang::LanguageName(bibliographic), "Undetermined") << bibliographic;
        EXPECT_EQ(lang::LanguageName(bibliographic), lang::LanguageName(terminology)) << bibliographic;
    }
    EXPECT_EQ(lang::LanguageName("fra"), "French");
    EXPECT_EQ(lang::LanguageName("cze"), "Czech");
}

TEST(LanguageNames, OnlyTheFirstThreeCharactersCount)
{
    EXPECT_EQ(lang::LanguageName("engx"), "English");
    EXPECT_EQ(lang::LanguageName(std::string("fre\0zz", 6)), "French");

    for (const std::string unknown : {"", "e", "en", "fr", "xyz", "ENG", "Eng", " en"})
        EXPECT_EQ(lang::LanguageName(unknown), "Undetermined") << '"' << unknown << '"';
}
