#pragma once
// The list fields of an output profile: a fixed number of slots each.
// List values in the data file look like "{High,Normal,Low}".
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace profiles {

// Longest text a list slot holds.
inline constexpr std::size_t kSlotTextLength = 31;

template <std::size_t Slots>
struct TextList {
    std::array<std::string, Slots> slots;

    // Entries run from slot 0 up to the first empty slot.
    int Count() const
    {
        int count = 0;
        while (count < static_cast<int>(Slots) && !slots[count].empty())
            ++count;
        return count;
    }
    // The slot at index; "" for an index outside the slots.
    const std::string& At(int index) const
    {
        static const std::string empty;
        return index >= 0 && index < static_cast<int>(Slots) ? slots[index] : empty;
    }
};

template <std::size_t Slots>
struct NumberList {
    std::array<std::int32_t, Slots> numbers{};

    // The number at index; 0 for an index outside the slots.
    std::int32_t At(int index) const { return index >= 0 && index < static_cast<int>(Slots) ? numbers[index] : 0; }
};

// Splits a list value into slots: items after the first "{", separated by
// ",", ending at "}" or the end of the value; nothing is trimmed. Each item
// is cut to kSlotTextLength characters. The last slot always stays empty,
// so a list of N slots holds at most N - 1 entries. Returns 1 when the
// value held a list, 0 when it had no "{" (the slots are then untouched).
int ParseTextList(std::string_view value, std::span<std::string> slots);

// Like ParseTextList, converting each item (cut to kSlotTextLength
// characters) the way atoi does; a list fills at most every slot.
int ParseNumberList(std::string_view value, std::span<std::int32_t> numbers);

}  // namespace profiles
