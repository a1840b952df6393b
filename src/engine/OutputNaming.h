#pragma once
// Names of the files a job writes. No name ever replaces an existing file:
// a clash gets the next free number.
#include "profiles/OutputProfile.h"

#include <string>
#include <vector>

namespace engine {

// The extension of a join's parts and result: the first source's own for
// profiles that keep the original format, else the profile's.
std::string OutputExtension(const profiles::OutputProfile& profile, const std::string& firstSourcePath);

// Output of one source: numbered files in the working folder for disc
// images, else the source's base name in the output folder.
std::string SourceOutputName(const profiles::OutputProfile& profile, const std::string& sourcePath,
                             const std::string& outputFolder, const std::string& workingFolder);

// The next free part file of a join: workingFolder + "%03d" + extension.
std::string JoinPartName(const std::string& workingFolder, const std::string& extension);

// The joined result: the first source's base name in the output folder.
std::string JoinOutputName(const std::string& firstSourcePath, const std::string& outputFolder,
                           const std::string& extension);

// folder + n as three digits + extension.
std::string NumberedPath(const std::string& folder, int n, const std::string& extension);

// The numbered files of a working folder: folder + "001" + extension,
// "002", ... up to the first number that does not exist.
std::vector<std::string> NumberedFiles(const std::string& folder, const std::string& extension);

// The extension from the last '.' of the file name on (dot included); "".
std::string ExtensionOf(const std::string& path);
// The file name between the last '/' and the last '.'.
std::string BaseNameOf(const std::string& path);

}  // namespace engine
