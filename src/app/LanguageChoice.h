#pragma once
// Which shipped language a desktop's locale asks for, and where the user
// guide of a language is.
#include <string>

namespace app {

// The language file name ("German", "Portuguese (Brazil)", ...) for a
// locale such as "de_DE.UTF-8" or "pt_BR"; "English" for a locale no
// shipped language answers (and for "C" and "POSIX").
std::string LanguageOfLocale(const std::string& locale);

// The language of the desktop's locale (LC_ALL, then LC_MESSAGES, then
// LANG), for a first start that has no saved language yet.
std::string SystemLanguageName();

// dataDirectory + "Help/<language>/Overview.htm" where that guide exists,
// else the English one, "Help/Overview/Overview.htm".
std::string GuidePath(const std::string& dataDirectory, const std::string& languageName);

}  // namespace app
