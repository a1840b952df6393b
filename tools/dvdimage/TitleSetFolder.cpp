#include "TitleSetFolder.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace dvdimage {

namespace {

namespace fs = std::filesystem;

fs::path VideoTs(const std::string& outputFolder)
{
    return fs::path(outputFolder) / "VIDEO_TS";
}

// Offsets in a title set's information file (VTSI_MAT).
constexpr std::size_t kVtsIdentifierLength = 12;
constexpr std::streamoff kVtsVideoAttributes = 0x200;

}  // namespace

std::optional<std::string> TitleSetVideoFormat(const std::string& outputFolder)
{
    std::ifstream ifo(VideoTs(outputFolder) / "VTS_01_0.IFO", std::ios::binary);
    char identifier[kVtsIdentifierLength];
    if (!ifo.read(identifier, sizeof identifier) || std::memcmp(identifier, "DVDVIDEO-VTS", sizeof identifier) != 0)
        return std::nullopt;
    char attributes = 0;
    if (!ifo.seekg(kVtsVideoAttributes) || !ifo.get(attributes))
        return std::nullopt;
    // Bits 5-4 of the first attribute byte: 0 NTSC, 1 PAL.
    switch ((static_cast<unsigned char>(attributes) >> 4) & 3) {
    case 0:
        return "NTSC";
    case 1:
        return "PAL";
    default:
        return std::nullopt;
    }
}

std::set<std::string> VideoTsFiles(const std::string& outputFolder)
{
    std::set<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(VideoTs(outputFolder), error))
        names.insert(entry.path().filename().string());
    return names;
}

void RemoveFilesNotIn(const std::string& outputFolder, const std::set<std::string>& before)
{
    std::error_code error;
    for (const std::string& name : VideoTsFiles(outputFolder)) {
        if (!before.contains(name))
            fs::remove(VideoTs(outputFolder) / name, error);
    }
}

}  // namespace dvdimage
