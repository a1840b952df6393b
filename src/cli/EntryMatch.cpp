#include "EntryMatch.h"

#include <strings.h>

#include <cstdlib>

namespace cli {

namespace {

bool SameText(const std::string& a, const std::string& b)
{
    return ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.size() >= start.size() && ::strncasecmp(text.c_str(), start.c_str(), start.size()) == 0;
}

std::string ListText(const EntryList& list)
{
    std::string text;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::string& shown = i < list.shown.size() ? list.shown[i] : list.entries[i];
        text += "\n  " + std::to_string(i) + "  " + shown;
    }
    return text.empty() ? "\n  (none)" : text;
}

}  // namespace

std::optional<int> Number(const std::string& text)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

std::vector<int> EntriesBeginningWith(const EntryList& list, const std::string& value)
{
    std::vector<int> rows;
    for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
        const bool shownMatches = i < static_cast<int>(list.shown.size()) && StartsWith(list.shown[i], value);
        if (StartsWith(list.entries[i], value) || shownMatches)
            rows.push_back(i);
    }
    return rows;
}

std::optional<int> FindEntry(const EntryList& list, const std::string& value)
{
    const int count = static_cast<int>(list.entries.size());
    if (value.empty())
        return std::nullopt;
    for (int i = 0; i < count; ++i)
        if (SameText(list.entries[i], value) || (i < static_cast<int>(list.shown.size()) && SameText(list.shown[i], value)))
            return i;
    if (std::optional<int> row = Number(value); row && *row < count)
        return row;
    const std::vector<int> rows = EntriesBeginningWith(list, value);
    if (rows.size() != 1)
        return std::nullopt;
    return rows.front();
}

std::string Choose(const EntryList& list, const std::string& value, std::int32_t& field)
{
    if (std::optional<int> row = FindEntry(list, value)) {
        field = *row;
        return "";
    }
    return "'" + value + "' names no " + list.what + "; choose one of:" + ListText(list);
}

}  // namespace cli
