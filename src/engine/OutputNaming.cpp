#include "OutputNaming.h"

#include "app/Utilities.h"
#include "profiles/ProfileMarkers.h"

#include <cstdio>

namespace engine {

namespace {

std::string FileNameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The first of folder + "%03d" + extension, n = 1, 2, ..., that is free.
std::string NumberedName(const std::string& folder, const std::string& extension)
{
    for (int n = 1;; ++n) {
        std::string candidate = NumberedPath(folder, n, extension);
        if (!app::FileExists(candidate))
            return candidate;
    }
}

// folder + base + extension, or with "_1", "_2", ... before the extension.
std::string FreeName(const std::string& folder, const std::string& base, const std::string& extension)
{
    std::string candidate = folder + base + extension;
    for (int n = 1; app::FileExists(candidate); ++n)
        candidate = folder + base + "_" + std::to_string(n) + extension;
    return candidate;
}

}  // namespace

std::string NumberedPath(const std::string& folder, int n, const std::string& extension)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d", n);
    return folder + number + extension;
}

std::vector<std::string> NumberedFiles(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> files;
    for (int n = 1; !folder.empty(); ++n) {
        std::string file = NumberedPath(folder, n, extension);
        if (!app::FileExists(file))
            break;
        files.push_back(file);
    }
    return files;
}

std::string ExtensionOf(const std::string& path)
{
    std::string name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.substr(dot);
}

std::string BaseNameOf(const std::string& path)
{
    std::string name = FileNameOf(path);
    return name.substr(0, name.rfind('.'));
}

std::string OutputExtension(const profiles::OutputProfile& profile, const std::string& firstSourcePath)
{
    return profiles::IsOriginal(profile) ? ExtensionOf(firstSourcePath) : profile.file_extname;
}

std::string SourceOutputName(const profiles::OutputProfile& profile, const std::string& sourcePath,
                             const std::string& outputFolder, const std::string& workingFolder)
{
    if (profiles::IsVcdImage(profile))
        return NumberedName(workingFolder, ".mpg");
    if (profiles::IsDvdImage(profile))
        return NumberedName(workingFolder, ".vob");
    return FreeName(outputFolder, BaseNameOf(sourcePath), OutputExtension(profile, sourcePath));
}

std::string JoinPartName(const std::string& workingFolder, const std::string& extension)
{
    return NumberedName(workingFolder, extension);
}

std::string JoinOutputName(const std::string& firstSourcePath, const std::string& outputFolder,
                           const std::string& extension)
{
    return FreeName(outputFolder, BaseNameOf(firstSourcePath), extension);
}

}  // namespace engine
