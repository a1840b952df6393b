#include "SettingsStore.h"

#include "ini/PrivateProfile.h"
#include "platform/FileSystem.h"

namespace app {

namespace {

constexpr char kMain[] = "main";
constexpr std::size_t kFolderLength = 1023;
constexpr std::size_t kNameLength = 255;

}  // namespace

std::string DefaultOutputFolder()
{
    return platform::HomeDirectory() + "OutputFolder/";
}

std::string DefaultAddFilesFolder()
{
    return platform::HomeDirectory();
}

SettingsStore& Settings()
{
    static SettingsStore settings;
    return settings;
}

void SettingsStore::LoadSettings(const std::string& path)
{
    path_ = path;
    const ini::PrivateProfile file(path);
    OutputFolder = file.GetString(kMain, "OutputFolder", DefaultOutputFolder(), kFolderLength);
    AddFilesInitDir = file.GetString(kMain, "AddFilesInitDir", DefaultAddFilesFolder(), kFolderLength);
    DecodeEngine = file.GetInt(kMain, "DecodeEngine", 0);
    OutputFormat = file.GetInt(kMain, "OutputFormat", 0);
    CPUUsage = file.GetInt(kMain, "CPUUsage", 0);
    DiscLabel = file.GetString(kMain, "DiscLabel", "MyDisc", kNameLength);
    LanguageFileName = file.GetString(kMain, "LanguageFileName", "English", kNameLength);
    Volume = file.GetInt(kMain, "Volume", 8);
    DVDChapter = file.GetInt(kMain, "DVDChapter", 2);
    psp_id = file.GetInt(kMain, "psp_id", 1);
    pspavc_id = file.GetInt(kMain, "pspavc_id", 1);

    const profiles::ProfileChoice defaults;
    for (int slot = 0; slot < catalogue.Count(); ++slot) {
        const std::string& section = catalogue.Profile(slot)->name;
        profiles::ProfileChoice& choice = *catalogue.Choice(slot);
        for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
            choice.*key.field = file.GetInt(section, key.key, defaults.*key.field);
    }
}

int SettingsStore::SaveSettings() const
{
    ini::PrivateProfile file(path_);
    file.SetString(kMain, "OutputFolder", OutputFolder);
    file.SetString(kMain, "AddFilesInitDir", AddFilesInitDir);
    file.SetInt(kMain, "DecodeEngine", DecodeEngine);
    file.SetInt(kMain, "OutputFormat", OutputFormat);
    file.SetInt(kMain, "CPUUsage", CPUUsage);
    file.SetString(kMain, "DiscLabel", DiscLabel);
    file.SetString(kMain, "LanguageFileName", LanguageFileName);
    file.SetInt(kMain, "Volume", Volume);
    file.SetInt(kMain, "DVDChapter", DVDChapter);
    file.SetInt(kMain, "psp_id", psp_id);
    file.SetInt(kMain, "pspavc_id", pspavc_id);

    for (int slot = 0; slot < catalogue.Count(); ++slot) {
        const std::string& section = catalogue.Profile(slot)->name;
        const profiles::ProfileChoice& choice = *catalogue.Choice(slot);
        for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
            file.SetInt(section, key.key, choice.*key.field);
    }
    return !path_.empty() && file.Save() ? 1 : 0;
}

JobSettings SettingsStore::ForJob() const
{
    JobSettings job;
    job.decoder = DecodeEngineFrom(DecodeEngine);
    job.cpuUsage = CpuUsageFrom(CPUUsage);
    job.volume.row = Volume;
    job.dvdChapterRow = DVDChapter;
    job.outputFolder = OutputFolder;
    job.discLabel = DiscLabel;
    job.autoShutdown = autoShutdown != 0;
    return job;
}

DecodeEngine DecodeEngineFrom(int stored)
{
    return stored == 1 ? DecodeEngine::BuiltIn : stored == 2 ? DecodeEngine::Script : DecodeEngine::Auto;
}

CpuUsage CpuUsageFrom(int stored)
{
    return stored == 1 ? CpuUsage::Most : stored == 2 ? CpuUsage::Part : CpuUsage::Full;
}

}  // namespace app
