#include "PartialOutput.h"

#include "app/Utilities.h"
#include "platform/DurableFiles.h"
#include "platform/RunNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>

namespace engine {

namespace {

constexpr char kPartialSuffix[] = ".part";

// "." + uid + "-" + pid + ".part" of a process.
std::string OwnerTail(long pid)
{
    return "." + std::to_string(::getuid()) + "-" + std::to_string(pid) + kPartialSuffix;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The writing process of a partial name of this user's: the pid between
// ".<uid>-" and ".part" at the name's end; 0 for any other name.
long WriterOf(const std::string& name)
{
    const std::string suffix = kPartialSuffix;
    const std::string owner = "." + std::to_string(::getuid()) + "-";
    if (name.size() < 2 + owner.size() + suffix.size() || name[0] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::size_t digitsEnd = name.size() - suffix.size();
    std::size_t digitsBegin = digitsEnd;
    while (digitsBegin > 1 && std::isdigit(static_cast<unsigned char>(name[digitsBegin - 1])))
        --digitsBegin;
    if (digitsBegin == digitsEnd || digitsEnd - digitsBegin > 9 || digitsBegin < 1 + owner.size() ||
        name.compare(digitsBegin - owner.size(), owner.size(), owner) != 0)
        return 0;
    return std::stol(name.substr(digitsBegin, digitsEnd - digitsBegin));
}

// Removes a working folder, or a partial file or folder, whose process is gone.
bool RemoveIfAbandoned(const std::string& path)
{
    const std::string name = FileNameOf(path);
    if (const long maker = app::WorkingFolderMaker(name); maker != 0)
        return platform::ProcessGone(maker) && app::DeleteFolder(path + "/") != 0;
    const long writer = WriterOf(name);
    struct stat info {};
    if (writer == 0 || ::lstat(path.c_str(), &info) != 0 || info.st_uid != ::getuid() ||
        !platform::ProcessGone(writer))
        return false;
    std::error_code ignored;
    return std::filesystem::remove_all(path, ignored) > 0;
}

}  // namespace

std::string PartialPathFor(const OutputName& finalName)
{
    const std::string tail = OwnerTail(::getpid());
    const std::size_t limit = platform::NameLimit(finalName.folder);
    const std::size_t room = limit > tail.size() + 1 ? limit - tail.size() - 1 : 0;
    return finalName.folder + "." + CutUtf8(FileNameOf(finalName.Path()), room) + tail;
}

std::optional<std::string> CommitPartial(const std::string& partialPath, OutputName finalName)
{
    if (!platform::SyncToDisk(partialPath))
        return std::nullopt;
    for (finalName = FirstFreeName(finalName);; ++finalName.number) {
        const std::string path = finalName.Path();
        const int error = platform::RenameWithoutReplacing(partialPath, path);
        if (error == 0) {
            platform::SyncFolderEntries(finalName.folder);
            return path;
        }
        if (error != EEXIST) {
            errno = error;
            return std::nullopt;
        }
    }
}

void RemoveAbandonedPartials(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        RemoveIfAbandoned(it->path().string());
}

bool RemoveAbandonedOutput(const std::string& path)
{
    const std::string folder = path.substr(0, path.size() - FileNameOf(path).size());
    if (folder.size() > 1) {
        const std::string parent = folder.substr(0, folder.size() - 1);
        if (app::WorkingFolderMaker(FileNameOf(parent)) != 0)
            return RemoveIfAbandoned(parent);
    }
    return RemoveIfAbandoned(path);
}

}  // namespace engine
