#include "SourceFiles.h"

#include <filesystem>
#include <system_error>

namespace app {

bool AcceptedByFilter(const std::string& openFileFilter, const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size())
        return false;
    return openFileFilter.find(path.substr(dot + 1)) != std::string::npos;
}

std::vector<std::string> FolderSourceFiles(const std::string& folder, const std::string& openFileFilter)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_regular_file(typeError))
            continue;
        const std::string path = entry->path().string();
        if (AcceptedByFilter(openFileFilter, path))
            files.push_back(path);
    }
    return files;
}

}  // namespace app
