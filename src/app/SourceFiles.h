#pragma once
// Which files a folder offers as sources: Add Folder, dropped files and the
// command line all take a file when the product's open-file filter text
// contains its extension.
#include <string>
#include <vector>

namespace app {

// The extension is the text after the last '.' of the file name; the filter
// must contain it, case-sensitively. A name without an extension never matches.
bool AcceptedByFilter(const std::string& openFileFilter, const std::string& path);

// The accepted files directly in folder (subfolders are not entered), in the
// order the file system lists them. Empty when the folder cannot be read.
std::vector<std::string> FolderSourceFiles(const std::string& folder, const std::string& openFileFilter);

}  // namespace app
