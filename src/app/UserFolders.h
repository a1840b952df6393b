#pragma once
// Where the files that belong to one user live: the settings, the lock that
// marks the user's running copy and the socket on which that copy takes
// files handed over by a second start.
//
// Normally this is $XDG_CONFIG_HOME/<AppName>/ (default ~/.config/<AppName>/),
// created with mode 0700. A file named "portable" beside the executable keeps
// everything in the program directory instead, for a copy run from a stick.
#include <string>

namespace app {

// The user's folder, ending with '/'; "" when it cannot be created.
std::string UserDataDirectory();
// True when a "portable" marker lies in the program directory.
bool PortableMode();

// UserDataDirectory() + "savedata.dll"; "" without a user folder.
std::string SettingsFilePath();
// The lock file held by the user's running copy; "" without a user folder.
std::string InstanceLockPath();
// The socket of the running window that takes handed-over files; "" without
// a user folder or when the path is too long for a socket.
std::string HandOverSocketPath();

// On the first start with a per-user folder that holds no settings yet, a
// savedata.dll left in the program directory is copied over (mode 0600), so
// the choices made before settings moved are kept. Later starts copy nothing.
void AdoptProgramDirectorySettings();

}  // namespace app
