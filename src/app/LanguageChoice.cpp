#include "LanguageChoice.h"

#include "Utilities.h"
#include "platform/SystemLanguage.h"

namespace app {

namespace {

struct LocaleLanguage {
    const char* prefix;  // language, or language_TERRITORY
    const char* name;    // the language file's name
};

// Territories first, so that they win over their language. Chinese of
// Taiwan and Hong Kong is written in traditional characters, which no
// shipped language has.
constexpr LocaleLanguage kLocaleLanguages[] = {
    {"zh_CN", "Chinese (Simplified)"}, {"zh_SG", "Chinese (Simplified)"},
    {"zh_TW", "English"},              {"zh_HK", "English"},
    {"zh_MO", "English"},              {"zh", "Chinese (Simplified)"},
    {"pt_BR", "Portuguese (Brazil)"},  {"pt", "Portuguese (Brazil)"},
    {"de", "German"},                  {"fr", "French"},
    {"es", "Spanish"},                 {"ru", "Russian"},
    {"ja", "Japanese"},
};

}  // namespace

std::string LanguageOfLocale(const std::string& locale)
{
    for (const LocaleLanguage& entry : kLocaleLanguages)
        if (platform::LocaleMatches(locale, entry.prefix))
            return entry.name;
    return "English";
}

std::string SystemLanguageName()
{
    return LanguageOfLocale(platform::SystemLocale());
}

std::string GuidePath(const std::string& dataDirectory, const std::string& languageName)
{
    const std::string own = dataDirectory + "Help/" + languageName + "/Overview.htm";
    return FileExists(own) ? own : dataDirectory + "Help/Overview/Overview.htm";
}

}  // namespace app
