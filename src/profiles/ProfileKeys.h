#pragma once
// The keys a profile section of the profile data may hold, with what each
// holds and how much of it the program keeps (OutputProfile.h).
#include <cstddef>
#include <span>
#include <string_view>

namespace profiles {

enum class ValueKind {
    Text,        // kept whole up to limit characters
    TextList,    // {a,b,c}: at most limit entries, each non-empty
    NumberList,  // {1,2,3}: at most limit whole numbers
    Flag,        // yes or no
};

enum class Presence {
    Optional,
    Key,    // the key must be there; its value may be empty
    Value,  // the key must be there with a non-empty value (a list with an entry)
};

struct ProfileKey {
    std::string_view key;
    std::string_view what;  // in messages, e.g. "join template"
    ValueKind kind;
    std::size_t limit;
    Presence presence;
};

std::span<const ProfileKey> ProfileKeys();
// The key spelt exactly so; nullptr for any other name.
const ProfileKey* FindProfileKey(std::string_view key);

}  // namespace profiles
