#pragma once
// English names for the three-letter ISO 639-2 codes that media files use to
// tag the language of their audio and subtitle tracks.
#include <span>
#include <string>

namespace lang {

struct LanguageNameEntry {
    char code[4];
    char name[32];
};

// The fixed table, ordered by name. A language with both a bibliographic and
// a terminology code ("ger", "deu") has an entry for each.
std::span<const LanguageNameEntry> LanguageNameTable();

// The name of the first entry whose code equals the first three characters
// of code; "Undetermined" when there is none (also for shorter codes).
std::string LanguageName(const std::string& code);

}  // namespace lang
