#pragma once
// The system's default language as a Windows language identifier
// (0x0419 Russian, 0x0411 Japanese, 0x0404 Chinese Taiwan, ...), derived
// from the locale variables LC_ALL, LC_MESSAGES and LANG in that order.
#include <string>

namespace platform {

// A locale name such as "ru_RU.UTF-8" or "zh_TW" → identifier; unknown
// or empty ("C", "POSIX") → 0x0409 (English, United States).
int LanguageIdOfLocale(const std::string& locale);

int SystemDefaultLangId();

// Whether locale begins with prefix up to a separator: "de" matches
// "de_AT.UTF-8" and "de", not "del".
bool LocaleMatches(const std::string& locale, const char* prefix);

// The first of LC_ALL, LC_MESSAGES and LANG that is set; "" when none is.
std::string SystemLocale();

}  // namespace platform
