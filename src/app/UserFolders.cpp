#include "UserFolders.h"

#include "Application.h"
#include "Utilities.h"
#include "platform/FileSystem.h"
#include "platform/NotifySocket.h"

#include <cstdlib>

namespace app {

namespace {

constexpr char kSettingsFileName[] = "savedata.dll";

// $XDG_CONFIG_HOME when it is an absolute path (relative ones are ignored,
// as the base-directory rules say), else ~/.config/.
std::string ConfigHome()
{
    if (const char* configured = std::getenv("XDG_CONFIG_HOME"); configured && configured[0] == '/') {
        std::string folder = configured;
        return folder.back() == '/' ? folder : folder + "/";
    }
    return platform::HomeDirectory() + ".config/";
}

}  // namespace

bool PortableMode()
{
    return platform::PathExists(ProgramDirectory() + "portable");
}

std::string UserDataDirectory()
{
    if (PortableMode())
        return ProgramDirectory();
    const std::string folder = ConfigHome() + FileNameSafe(Application().appName) + "/";
    return platform::MakePrivateDirectory(folder) ? folder : "";
}

std::string SettingsFilePath()
{
    const std::string folder = UserDataDirectory();
    return folder.empty() ? "" : folder + kSettingsFileName;
}

std::string InstanceLockPath()
{
    const std::string folder = UserDataDirectory();
    return folder.empty() ? "" : folder + FileNameSafe(Application().appName) + ".lock";
}

std::string HandOverSocketPath()
{
    const std::string folder = UserDataDirectory();
    const std::string path = folder.empty() ? "" : folder + Application().appSharedName + ".sock";
    return platform::FitsSocketAddress(path) ? path : "";
}

void AdoptProgramDirectorySettings()
{
    if (PortableMode())
        return;
    const std::string target = SettingsFilePath();
    const std::string source = ProgramDirectory() + kSettingsFileName;
    if (!target.empty() && !platform::PathExists(target) && platform::PathExists(source))
        platform::CopyToNewFile(source, target, 0600);
}

}  // namespace app
