#pragma once
// Checks of folder paths typed into the folder chooser. Paths are absolute
// POSIX paths; "/" plays the part of a drive root.
#include <string>

namespace app {

class UserDialogs;

enum class PathCheckMode { CheckOnly, Create };

// Results of CheckPathSyntax and ValidateFolder.
constexpr int kPathValid = 0;
constexpr int kPathInvalid = 1;
constexpr int kPathNotCreated = 2;
constexpr int kPathDeclined = -1;

// A folder name usable on every disc and in every tool command line: not
// empty, no leading or trailing tab, blank or dot, none of " * / : < > ? \ |.
bool IsValidFolderName(const std::string& name);

// 0 valid (or created), 1 invalid, 2 a folder could not be created.
// In Create mode every missing level is created on the way.
int CheckPathSyntax(const std::string& path, PathCheckMode mode);

// Checks a folder the user typed, offers to create a missing one and says
// what is wrong. 0 success, 1 invalid, 2 cannot be created, -1 declined.
int ValidateFolder(const std::string& path, UserDialogs& dialogs);

}  // namespace app
