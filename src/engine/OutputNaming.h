#pragma once
// Names of the files a job writes. No name ever replaces an existing file:
// a clash gets the next free number. A name too long for its folder's file
// system is shortened, keeping its extension and number.
#include "profiles/OutputProfile.h"

#include <string>
#include <vector>

namespace engine {

// A final name in the output folder: folder + base + extension, with
// "_<number>" before the extension from number 1 on. Path() cuts the base,
// at a character boundary, so that the name fits the folder's limit.
struct OutputName {
    std::string folder;  // ends with '/'
    std::string base;
    std::string extension;
    int number = 0;

    std::string Path() const;
};

// The name from `name.number` on whose path is free.
OutputName FirstFreeName(OutputName name);

// The first maxBytes bytes of UTF-8 text, less a character cut in two.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);

// The extension of a join's parts and result: the first source's own for
// profiles that keep the original format, else the profile's.
std::string OutputExtension(const profiles::OutputProfile& profile, const std::string& firstSourcePath);

// Output of one source: for disc images the file numbered after the
// source's place in the job (from 1) in the working folder, so that the
// disc takes them in list order whichever is converted first; else the
// source's base name in the output folder.
std::string SourceOutputName(const profiles::OutputProfile& profile, const std::string& sourcePath,
                             const std::string& outputFolder, const std::string& workingFolder, int number);

// The final name of a source's own output: its base name in the output folder.
OutputName SourceFinalName(const profiles::OutputProfile& profile, const std::string& sourcePath,
                           const std::string& outputFolder);

// The joined result: the first source's base name in the output folder.
OutputName JoinOutputName(const std::string& firstSourcePath, const std::string& outputFolder,
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
