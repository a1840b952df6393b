#include "ProfileTextCheck.h"

#include "ProfileKeys.h"

#include <strings.h>

#include <algorithm>
#include <vector>

namespace profiles {

namespace {

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Well-formed UTF-8 without control characters other than the tab.
bool IsText(std::string_view line)
{
    for (std::size_t i = 0; i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte < 0x80) {
            if ((byte < 0x20 && byte != '\t') || byte == 0x7f)
                return false;
            ++i;
            continue;
        }
        const std::size_t length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc2 ? 2 : 0;
        if (length == 0 || byte > 0xf4 || i + length > line.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(line[i + k]) & 0xc0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(line[i + 1]);
        if ((byte == 0xe0 && second < 0xa0) || (byte == 0xed && second > 0x9f) || (byte == 0xf0 && second < 0x90) ||
            (byte == 0xf4 && second > 0x8f))
            return false;
        i += length;
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

}  // namespace

std::string FindTextDamage(std::string_view text)
{
    if (!text.empty() && text.back() != '\n')
        return "it ends in the middle of line " + std::to_string(std::count(text.begin(), text.end(), '\n') + 1);

    std::vector<std::string_view> names;
    std::vector<std::string_view> keys;  // of the current profile
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::string at = "line " + std::to_string(++number);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!IsText(line))
            return at + " holds bytes that are no text";
        line = Trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::string_view name = Trim(line.substr(1, line.size() - 1 - (line.back() == ']' ? 1 : 0)));
            if (line.back() != ']' || name.empty() || name.find_first_of("[]") != std::string_view::npos)
                return at + " is no profile name in brackets";
            if (std::any_of(names.begin(), names.end(), [name](std::string_view seen) { return SameName(seen, name); }))
                return at + " names the profile " + Quoted(name) + " a second time";
            names.push_back(name);
            keys.clear();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return at + " is neither a profile name, a key nor a comment";
        const std::string_view key = Trim(line.substr(0, equals));
        if (names.empty())
            return at + " comes before the first profile name";
        if (!FindProfileKey(key))
            return at + " has the unknown key " + Quoted(key);
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            return at + " repeats the key " + Quoted(key) + " of its profile";
        keys.push_back(key);
    }
    return "";
}

}  // namespace profiles
