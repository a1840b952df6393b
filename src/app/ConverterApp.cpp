#include "ConverterApp.h"

#include "Application.h"
#include "SettingsStore.h"
#include "Reporter.h"
#include "UserFolders.h"
#include "Utilities.h"
#include "ini/PrivateProfile.h"
#include "lang/IniTextFile.h"
#include "platform/FileSystem.h"
#include "platform/HandOver.h"
#include "profiles/ProfileCatalogue.h"

#include <algorithm>

namespace app {

namespace {

constexpr std::size_t kNameLength = 255;

}  // namespace

std::string LanguageFilePath(const std::string& dataDirectory, const std::string& languageName)
{
    return dataDirectory + "Languages/" + languageName + ".ini";
}

ConverterApp::ConverterApp(std::string programDirectory, Reporter& reporter, std::function<void()> runMainWindow)
    : programDirectory_(std::move(programDirectory)), reporter_(reporter), runMainWindow_(std::move(runMainWindow))
{
    if (!programDirectory_.empty() && programDirectory_.back() != '/')
        programDirectory_ += '/';
}

int ConverterApp::Run(const std::vector<std::string>& files)
{
    if (!LoadApplicationFiles())
        return 1;
    if (OtherCopyRuns()) {
        if (!files.empty() && platform::HandOverPaths(HandOverSocketPath(), files))
            return 0;
        reporter_.Report({NoticeId::OnlyOneInstance});
        return 1;
    }
    runMainWindow_();
    return 0;
}

bool ConverterApp::LoadApplicationFiles()
{
    Application().programDirectory = programDirectory_;
    Application().product = LoadProductIdentity(DataDirectory());
    ReadApplicationNames();
    if (!LoadCatalogueAndSettings())
        return false;
    TakeInstallerLanguage();
    LoadLanguage();
    return true;
}

void ConverterApp::ReadApplicationNames()
{
    std::string name =
        ini::GetPrivateProfileString("main", "AppName", "ErrorApp", DataDirectory() + "app.ini", kNameLength);
    std::string shared = name;
    std::replace(shared.begin(), shared.end(), ' ', '_');
    Application().appName = name;
    Application().appSharedName = FileNameSafe(shared);
}

// The profile catalogue comes first: the per-profile settings are keyed by
// the profile section names. Without whole profile data the program cannot
// work; the reporter says why, once, in the front end's own way.
bool ConverterApp::LoadCatalogueAndSettings()
{
    SettingsStore& settings = Settings();
    const std::string temp = TempDirectory();
    const std::string dataFile = DataDirectory() + "dsp_data.dll";
    const std::string problem =
        profiles::LoadProfileCatalogue(settings.catalogue, dataFile, temp.empty() ? "" : temp + "dsp_datas.bin");
    if (!problem.empty()) {
        reporter_.Report({NoticeId::ProfileDataUnreadable, {dataFile, problem}});
        return false;
    }
    AdoptProgramDirectorySettings();
    settings.LoadSettings(SettingsFilePath());
    return true;
}

// The installer leaves its language choice once; it replaces the setting.
void ConverterApp::TakeInstallerLanguage()
{
    const std::string handOver = programDirectory_ + "InnoLanguage.ini";
    if (!FileExists(handOver))
        return;
    Settings().LanguageFileName =
        ini::GetPrivateProfileString("DefaultLanguage", "Language", "English", handOver, kNameLength);
    platform::RemoveFile(handOver);
}

void ConverterApp::LoadLanguage()
{
    const std::string data = DataDirectory();
    std::string path = LanguageFilePath(data, Settings().LanguageFileName);
    if (!FileExists(path))
        path = LanguageFilePath(data, "English");
    lang::LanguageTable().LoadFile(path);
}

// Without a usable lock file the program still runs: refusing to start
// would be worse than a rare second copy.
bool ConverterApp::OtherCopyRuns()
{
    const std::string lockPath = InstanceLockPath();
    return !lockPath.empty() && instanceLock_.Acquire(lockPath) == platform::InstanceLock::Result::HeldElsewhere;
}

bool ConverterApp::AcquireSingleInstance()
{
    if (!OtherCopyRuns())
        return true;
    reporter_.Report({NoticeId::OnlyOneInstance});
    return false;
}

bool ConverterApp::WaitForSingleInstance(const std::function<bool()>& keepWaiting)
{
    const std::string lockPath = InstanceLockPath();
    return lockPath.empty() ||
           instanceLock_.AcquireWaiting(lockPath, keepWaiting) != platform::InstanceLock::Result::HeldElsewhere;
}

}  // namespace app
