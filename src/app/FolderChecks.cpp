#include "FolderChecks.h"

#include "UserDialogs.h"
#include "Utilities.h"
#include "platform/FileSystem.h"

namespace app {

bool IsValidFolderName(const std::string& name)
{
    if (name.empty())
        return false;
    auto badEnd = [](char c) { return c == '\t' || c == ' ' || c == '.'; };
    if (badEnd(name.front()) || badEnd(name.back()))
        return false;
    return name.find_first_of("\"*/:<>?\\|") == std::string::npos;
}

int CheckPathSyntax(const std::string& path, PathCheckMode mode)
{
    if (path.empty() || path[0] != '/')
        return kPathInvalid;
    if (path == "/")
        return mode == PathCheckMode::Create && !DirectoryExists(path) ? kPathNotCreated : kPathValid;
    if (path.back() == '/')
        return kPathInvalid;

    std::string prefix;
    std::size_t start = 1;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(start, end - start);
        if (!IsValidFolderName(component))
            return kPathInvalid;
        prefix += "/" + component;
        if (mode == PathCheckMode::Create) {
            if (!DirectoryExists(prefix))
                platform::MakeDirectory(prefix);
            if (!DirectoryExists(prefix))
                return kPathNotCreated;
        }
        start = end + 1;
    }
    return kPathValid;
}

int ValidateFolder(const std::string& path, UserDialogs& dialogs)
{
    int result = CheckPathSyntax(path, PathCheckMode::CheckOnly);
    if (result != kPathValid) {
        dialogs.Report({NoticeId::FolderInvalid, {path}});
        return result;
    }
    if (DirectoryExists(path))
        return kPathValid;
    if (!dialogs.Question({NoticeId::FolderMissingCreateIt, {path}}))
        return kPathDeclined;
    result = CheckPathSyntax(path, PathCheckMode::Create);
    if (result == kPathInvalid)
        dialogs.Report({NoticeId::FolderInvalid, {path}});
    else if (result == kPathNotCreated)
        dialogs.Report({NoticeId::FolderNotCreated, {path}});
    return result;
}

}  // namespace app
