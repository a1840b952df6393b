#include "Utilities.h"

#include "app/Application.h"
#include "app/InstalledLayout.h"
#include "platform/FileSystem.h"
#include "platform/PrivateTempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace app {

namespace {

constexpr std::uint64_t kMegabyte = 1048576;
constexpr std::size_t kMaxNameComponent = 200;

struct ClockParts {
    long long hours, minutes, seconds;
};

ClockParts SplitSeconds(double seconds)
{
    long long whole = seconds > 0 ? static_cast<long long>(seconds) : 0;
    return {whole / 3600, whole / 60 % 60, whole % 60};
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// program + relative, with "dir/../" folded away; ends with '/'.
std::string BesideProgram(const std::string& program, const char* relative)
{
    std::string folder = (std::filesystem::path(program) / relative).lexically_normal().string();
    return folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

}  // namespace

std::string ProgramDirectory()
{
    const std::string& configured = Application().programDirectory;
    return configured.empty() ? platform::ExecutableDirectory() : configured;
}

std::string DataDirectory()
{
    const std::string program = ProgramDirectory();
    if (platform::PathExists(program + "app.ini"))
        return program;
    const std::string installed = BesideProgram(program, kInstalledDataFolder);
    return platform::PathExists(installed + "app.ini") ? installed : program;
}

std::string ToolDirectory()
{
    const std::string program = ProgramDirectory();
    return DataDirectory() == program ? program : BesideProgram(program, kInstalledToolFolder);
}

std::string FileNameSafe(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '_');
    name.resize(std::min(name.size(), kMaxNameComponent));
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

std::string TempDirectory()
{
    return platform::PrivateTempFolder(Application().appSharedName);
}

std::string WindowsDirectory()
{
    return DataDirectory() + "system/";
}

std::string SystemDirectory()
{
    return TempDirectory();
}

int FileExists(const std::string& path)
{
    return platform::PathExists(path) ? 1 : 0;
}

int DirectoryExists(const std::string& path)
{
    return platform::IsDirectory(path) && ::access(path.c_str(), X_OK) == 0 ? 1 : 0;
}

int CreateDirectoryPath(const std::string& path)
{
    std::string work = path;
    if (work.empty() || work.back() != '/')
        work += '/';
    std::size_t start = work.find('/');
    std::string prefix = work.substr(0, start);
    while (start != std::string::npos && start + 1 < work.size()) {
        std::size_t end = work.find('/', start + 1);
        std::string piece = work.substr(start + 1, end - start - 1);
        if (prefix.empty() || prefix.back() != '/')
            prefix += '/';
        prefix += piece;
        if (!DirectoryExists(prefix) && !platform::MakeDirectory(prefix))
            return 0;
        start = end;
    }
    return 1;
}

std::int64_t FreeSpaceMB(const std::string& path)
{
    auto bytes = platform::FreeBytes(path);
    return bytes ? static_cast<std::int64_t>(*bytes / kMegabyte) : -1;
}

std::int64_t FileSize(const std::string& path)
{
    if (::access(path.c_str(), R_OK) != 0)
        return -1;
    auto bytes = platform::FileBytes(path);
    return bytes ? static_cast<std::int64_t>(*bytes) : -1;
}

std::string FileSizeText(const std::string& path)
{
    double megabytes = static_cast<double>(platform::FileBytes(path).value_or(0)) / kMegabyte;
    char text[64];
    if (megabytes < 1024)
        std::snprintf(text, sizeof text, "%.2f MB", megabytes);
    else
        std::snprintf(text, sizeof text, "%.2f GB", megabytes / 1024);
    return text;
}

std::string MakeWorkingFolder(const std::string& parent)
{
    std::string path = parent + kWorkingFolderStem + std::to_string(::getuid()) + "-" + std::to_string(::getpid()) +
                       "-XXXXXX";
    if (::mkdtemp(path.data()) == nullptr)
        return "";
    return path + '/';
}

bool IsWorkingFolder(const std::string& path)
{
    if (path.empty() || path[0] != '/' || !EndsWith(path, "/"))
        return false;
    const std::string folder = path.substr(0, path.size() - 1);
    if (WorkingFolderMaker(folder.substr(folder.rfind('/') + 1)) == 0)
        return false;
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

long WorkingFolderMaker(const std::string& name)
{
    const std::string owner = kWorkingFolderStem + std::to_string(::getuid()) + "-";
    if (name.size() <= owner.size() + kWorkingFolderSuffixLength + 1 || name.compare(0, owner.size(), owner) != 0)
        return 0;
    const std::size_t dash = name.size() - kWorkingFolderSuffixLength - 1;
    const std::string pid = name.substr(owner.size(), dash - owner.size());
    if (name[dash] != '-' || pid.empty() || pid.size() > 9 ||
        !std::all_of(pid.begin(), pid.end(), [](unsigned char c) { return std::isdigit(c) != 0; }) ||
        !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dash + 1), name.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; }))
        return 0;
    return std::stol(pid);
}

int DeleteFolder(const std::string& path)
{
    if (!IsWorkingFolder(path))
        return 0;
    return platform::RemoveTree(path.substr(0, path.size() - 1)) ? 1 : 0;
}

std::string SecondsToClock(double seconds)
{
    ClockParts parts = SplitSeconds(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", parts.hours, parts.minutes, parts.seconds);
    return text;
}

std::string SecondsToCompactClock(double seconds)
{
    ClockParts parts = SplitSeconds(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%02lld%02lld%02lld", parts.hours, parts.minutes, parts.seconds);
    return text;
}

int CompactClockToSeconds(const std::string& text)
{
    if (text.size() < 6)
        return 0;
    int hours = std::atoi(text.substr(0, 2).c_str());
    int minutes = std::atoi(text.substr(2, 2).c_str());
    int seconds = std::atoi(text.substr(text.size() - 2).c_str());
    return hours * 3600 + minutes * 60 + seconds;
}

std::string DirectoryOfPath(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string DoubleBackslashes(const std::string& text)
{
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '\\')
            result += '\\';
    }
    return result;
}

}  // namespace app
