#include "platform/SystemLanguage.h"

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

constexpr int kEnglishUs = 0x0409;

struct LocaleId {
    const char* prefix;  // language, or language_TERRITORY
    int id;
};

// Longer prefixes come first so that a territory wins over its language.
constexpr LocaleId kLocaleIds[] = {
    {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_MO", 0x0C04}, {"zh_SG", 0x1004}, {"zh_CN", 0x0804},
    {"ar_SA", 0x0401}, {"ar_IQ", 0x0801}, {"ar_EG", 0x0C01}, {"ar_LY", 0x1001}, {"ar_DZ", 0x1401},
    {"ar_MA", 0x1801}, {"ar_TN", 0x1C01}, {"ar_OM", 0x2001}, {"ar_YE", 0x2401}, {"ar_SY", 0x2801},
    {"ar_JO", 0x2C01}, {"ar_LB", 0x3001}, {"ar_KW", 0x3401}, {"ar_AE", 0x3801}, {"ar_BH", 0x3C01},
    {"ar_QA", 0x4001}, {"en_GB", 0x0809}, {"pt_PT", 0x0816}, {"sr_RS@latin", 0x081A}, {"sr_ME", 0x081A},
    {"zh", 0x0804},    {"ar", 0x0401},    {"lv", 0x0426},    {"lt", 0x0427},    {"bg", 0x0402},
    {"cs", 0x0405},    {"hu", 0x040E},    {"pl", 0x0415},    {"ro", 0x0418},    {"sq", 0x041C},
    {"sr", 0x0C1A},    {"el", 0x0408},    {"he", 0x040D},    {"ja", 0x0411},    {"ko", 0x0412},
    {"ru", 0x0419},    {"th", 0x041E},    {"tr", 0x041F},    {"en", 0x0409},    {"de", 0x0407},
    {"fr", 0x040C},    {"es", 0x0C0A},    {"it", 0x0410},    {"pt", 0x0416},    {"nl", 0x0413},
    {"sv", 0x041D},    {"da", 0x0406},    {"fi", 0x040B},    {"nb", 0x0414},    {"no", 0x0414},
    {"uk", 0x0422},    {"hr", 0x041A},    {"sk", 0x041B},    {"sl", 0x0424},    {"et", 0x0425},
    {"vi", 0x042A},    {"id", 0x0421},    {"fa", 0x0429},    {"hi", 0x0439},    {"ca", 0x0403},
};

}  // namespace

bool LocaleMatches(const std::string& locale, const char* prefix)
{
    std::size_t length = std::strlen(prefix);
    if (locale.compare(0, length, prefix) != 0)
        return false;
    if (locale.size() == length)
        return true;
    // The prefix must end where the locale has a separator: "sr" matches
    // "sr_RS", "se" does not match "sel".
    char next = locale[length];
    return next == '_' || next == '.' || next == '@';
}

int LanguageIdOfLocale(const std::string& locale)
{
    for (const LocaleId& entry : kLocaleIds) {
        std::string prefix = entry.prefix;
        std::size_t at = prefix.find('@');
        if (at != std::string::npos) {
            // "sr_RS@latin": territory and modifier must both be present.
            if (locale.rfind(prefix.substr(0, at), 0) == 0 && locale.find(prefix.substr(at)) != std::string::npos)
                return entry.id;
            continue;
        }
        if (LocaleMatches(locale, entry.prefix))
            return entry.id;
    }
    return kEnglishUs;
}

std::string SystemLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return "";
}

int SystemDefaultLangId()
{
    const std::string locale = SystemLocale();
    return locale.empty() ? kEnglishUs : LanguageIdOfLocale(locale);
}

}  // namespace platform
