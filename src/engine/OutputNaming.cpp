#include "OutputNaming.h"

#include "app/Utilities.h"
#include "platform/DurableFiles.h"
#include "profiles/ProfileMarkers.h"

#include <cstdio>

namespace engine {

namespace {

std::string FileNameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string CutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string OutputName::Path() const
{
    const std::string tail = (number > 0 ? "_" + std::to_string(number) : std::string()) + extension;
    const std::size_t limit = platform::NameLimit(folder);
    const std::size_t room = limit > tail.size() ? limit - tail.size() : 0;
    return folder + CutUtf8(base, room) + tail;
}

OutputName FirstFreeName(OutputName name)
{
    while (app::FileExists(name.Path()))
        ++name.number;
    return name;
}

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
                             const std::string& outputFolder, const std::string& workingFolder, int number)
{
    if (profiles::IsVcdImage(profile))
        return NumberedPath(workingFolder, number, ".mpg");
    if (profiles::IsDvdImage(profile))
        return NumberedPath(workingFolder, number, ".vob");
    return SourceFinalName(profile, sourcePath, outputFolder).Path();
}

OutputName SourceFinalName(const profiles::OutputProfile& profile, const std::string& sourcePath,
                           const std::string& outputFolder)
{
    return FirstFreeName({outputFolder, BaseNameOf(sourcePath), OutputExtension(profile, sourcePath)});
}

OutputName JoinOutputName(const std::string& firstSourcePath, const std::string& outputFolder,
                          const std::string& extension)
{
    return FirstFreeName({outputFolder, BaseNameOf(firstSourcePath), extension});
}

}  // namespace engine
