#include "ProfileLists.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

namespace profiles {

namespace {

// The items of a list value, each cut to kSlotTextLength characters;
// false when the value has no "{".
bool SplitList(std::string_view value, std::vector<std::string>& items)
{
    std::size_t open = value.find('{');
    if (open == std::string_view::npos)
        return false;
    std::string item;
    for (std::size_t i = open + 1; i < value.size() && value[i] != '}'; ++i) {
        if (value[i] == ',') {
            items.push_back(item);
            item.clear();
        } else if (item.size() < kSlotTextLength) {
            item += value[i];
        }
    }
    items.push_back(item);
    return true;
}

// atoi without its undefined overflow: out-of-range values are clamped.
std::int32_t ToInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min(value * 10 + (text[i] - '0'), limit);
    value = negative ? -value : std::min(value, limit - 1);
    return static_cast<std::int32_t>(value);
}

}  // namespace

int ParseTextList(std::string_view value, std::span<std::string> slots)
{
    std::vector<std::string> items;
    if (!SplitList(value, items))
        return 0;
    for (std::size_t i = 0; i < items.size() && i + 1 < slots.size(); ++i)
        slots[i] = items[i];
    return 1;
}

int ParseNumberList(std::string_view value, std::span<std::int32_t> numbers)
{
    std::vector<std::string> items;
    if (!SplitList(value, items))
        return 0;
    for (std::size_t i = 0; i < items.size() && i < numbers.size(); ++i)
        numbers[i] = ToInteger(items[i]);
    return 1;
}

}  // namespace profiles
