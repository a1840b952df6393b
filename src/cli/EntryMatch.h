#pragma once
// Finding the entry of a choice list that a command-line value names: by
// its text or its shown (translated) text ignoring case, by its row number
// from 0, or by a unique beginning of a text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct EntryList {
    std::string what;                  // "video quality", for the error text
    std::vector<std::string> entries;  // as the profile or table holds them
    std::vector<std::string> shown;    // as the window shows them; may be shorter
};

// An entry's own text wins over a row number, since frame rates and sample
// rates are numbers themselves.
std::optional<int> FindEntry(const EntryList& list, const std::string& value);

// The rows whose text or shown text begins with value, ignoring case.
std::vector<int> EntriesBeginningWith(const EntryList& list, const std::string& value);

// Sets field to the row named by value; otherwise leaves it and returns an
// error text that lists the entries.
std::string Choose(const EntryList& list, const std::string& value, std::int32_t& field);

// A row number or size: digits only.
std::optional<int> Number(const std::string& text);

}  // namespace cli
