#include "DiscFolder.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "profiles/ProfileKind.h"

#include <filesystem>

namespace disc {

namespace {

void ShowFailure(app::UserDialogs& dialogs, const char* key)
{
    dialogs.Message(lang::Text("MainDialog", key), app::Application().appName);
}

}  // namespace

int PrepareDiscFolder(const DiscJob& job, DiscState& state, app::UserDialogs& dialogs)
{
    const profiles::ProfileKind kind = profiles::ParseProfileKind(job.profileShortName);
    if (!kind.discImage)
        return 1;
    const std::string base = job.outputFolder + job.discLabel;
    state.discFolder = base;
    for (int n = 1; app::DirectoryExists(state.discFolder); ++n)
        state.discFolder = base + "_" + std::to_string(n);

    if (kind.dvdImage) {
        if (!app::CreateDirectoryPath(state.discFolder + "/VIDEO_TS") ||
            !app::CreateDirectoryPath(state.discFolder + "/AUDIO_TS")) {
            ShowFailure(dialogs, "DVD image failed");
            return 0;
        }
    } else if (!app::CreateDirectoryPath(state.discFolder)) {
        ShowFailure(dialogs, "VCD image failed");
        return 0;
    }
    return 1;
}

void RemoveFailedDiscFolder(const std::string& discFolder)
{
    std::error_code error;
    std::filesystem::remove_all(discFolder, error);
}

}  // namespace disc
