#pragma once
// The profile data file is stored scrambled: every byte is XORed with a key
// byte. The same routine scrambles and unscrambles.
#include <cstddef>
#include <string>
#include <string_view>

namespace profiles {

// The key of the shipped profile data file, used as raw bytes.
inline constexpr std::string_view kProfileKey = "k%u!r^z";

// Key positions run 0, 1, ..., L-1 and then 0 once more before starting
// over, so the pattern repeats every L + 1 bytes (8 for a 7-byte key).
class ProfileScrambler {
public:
    explicit ProfileScrambler(std::string_view key) : key_(key) {}

    // Scrambles the next bytes of the stream in place; the key position
    // carries over from one call to the next.
    void Apply(char* data, std::size_t size);

private:
    std::string key_;
    std::size_t position_ = 0;
};

enum class UnscrambleStatus { Done, CannotOpenInput, CannotOpenOutput };

// The fixed English text of a failure, for standard output ("" for Done).
const char* UnscrambleMessage(UnscrambleStatus status);

// Runs ProfileScrambler over the bytes of input into output (created or
// truncated). A write that fails part-way removes the output again and
// counts as CannotOpenOutput.
UnscrambleStatus UnscrambleFile(const std::string& input, std::string_view key, const std::string& output);

}  // namespace profiles
