// The language of a first start follows the desktop's locale; a language
// the user chose wins; the guide follows the language where it has one.
#include "app/LanguageChoice.h"
#include "app/SettingsStore.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(LanguageChoice, LocalesPickTheShippedLanguage)
{
    const struct {
        const char* locale;
        const char* language;
    } cases[] = {
        {"de_DE.UTF-8", "German"},     {"de_AT", "German"},
        {"fr_FR.UTF-8", "French"},     {"fr_CA", "French"},
        {"es_ES.UTF-8", "Spanish"},    {"es_MX", "Spanish"},
        {"pt_BR.UTF-8", "Portuguese (Brazil)"}, {"pt_PT", "Portuguese (Brazil)"},
        {"ru_RU.UTF-8", "Russian"},    {"zh_CN.UTF-8", "Chinese (Simplified)"},
        {"zh_SG", "Chinese (Simplified)"}, {"zh_TW.UTF-8", "English"},
        {"ja_JP.UTF-8", "Japanese"},   {"ja", "Japanese"},
        {"en_US.UTF-8", "English"},    {"it_IT.UTF-8", "English"},
        {"C", "English"},              {"POSIX", "English"},
        {"", "English"},               {"del_XX", "English"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::LanguageOfLocale(c.locale), c.language) << c.locale;
    }
}

// LC_ALL before LC_MESSAGES before LANG; a saved language always wins.
TEST(LanguageChoice, FirstStartFollowsTheLocaleAndAChosenLanguageWins)
{
    testing_support::TestFolder folder;
    ::unsetenv("LC_ALL");
    ::setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    ::setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(app::SystemLanguageName(), "Japanese");
    ::unsetenv("LC_MESSAGES");
    EXPECT_EQ(app::SystemLanguageName(), "German");

    app::SettingsStore store;
    store.LoadSettings(folder.Path() + "none.ini");
    EXPECT_EQ(store.LanguageFileName, "German") << "no saved language yet";
    folder.Write("saved.ini", "[main]\nLanguageFileName=French\n");
    store.LoadSettings(folder.Path() + "saved.ini");
    EXPECT_EQ(store.LanguageFileName, "French");
}

TEST(LanguageChoice, TheGuideOfTheLanguageOrElseTheEnglishOne)
{
    testing_support::TestFolder folder;
    folder.Write("data/Help/Overview/Overview.htm", "en");
    folder.Write("data/Help/Russian/Overview.htm", "ru");
    const std::string data = folder.Path() + "data/";
    EXPECT_EQ(app::GuidePath(data, "Russian"), data + "Help/Russian/Overview.htm");
    EXPECT_EQ(app::GuidePath(data, "Klingon"), data + "Help/Overview/Overview.htm");
    EXPECT_EQ(app::GuidePath(data, "English"), data + "Help/Overview/Overview.htm");
}
