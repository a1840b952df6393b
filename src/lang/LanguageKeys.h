#pragma once
// Every (section, key) the program looks up in a language file. A shipped
// language file must hold them all; add a key here when code starts to ask
// for it.
#include <span>

namespace lang {

struct LanguageKey {
    const char* section;
    const char* key;
};

std::span<const LanguageKey> RequiredLanguageKeys();

}  // namespace lang
