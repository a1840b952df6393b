#include "ProfileScrambler.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace profiles {

void ProfileScrambler::Apply(char* data, std::size_t size)
{
    if (key_.empty())
        return;
    for (std::size_t i = 0; i < size; ++i) {
        if (position_ < key_.size()) {
            data[i] ^= key_[position_];
            ++position_;
        } else {
            data[i] ^= key_[0];
            position_ = 0;
        }
    }
}

const char* UnscrambleMessage(UnscrambleStatus status)
{
    switch (status) {
    case UnscrambleStatus::CannotOpenInput:
        return "cannot open in-file.\n";
    case UnscrambleStatus::CannotOpenOutput:
        return "cannot open or create out-file.\n";
    case UnscrambleStatus::Done:
        break;
    }
    return "";
}

UnscrambleStatus UnscrambleFile(const std::string& input, std::string_view key, const std::string& output)
{
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(input, error))
        in.open(input, std::ios::binary);
    if (!in.is_open())
        return UnscrambleStatus::CannotOpenInput;
    std::ofstream out;
    if (!output.empty())
        out.open(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return UnscrambleStatus::CannotOpenOutput;

    ProfileScrambler scrambler(key);
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        std::size_t count = static_cast<std::size_t>(in.gcount());
        scrambler.Apply(buffer, count);
        if (!out.write(buffer, static_cast<std::streamsize>(count)))
            break;
    }
    out.close();
    if (in.bad()) {
        std::remove(output.c_str());
        return UnscrambleStatus::CannotOpenInput;
    }
    if (!out) {
        std::remove(output.c_str());
        return UnscrambleStatus::CannotOpenOutput;
    }
    return UnscrambleStatus::Done;
}

}  // namespace profiles
