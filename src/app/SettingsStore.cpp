#include "SettingsStore.h"

#include "LanguageChoice.h"
#include "ini/PrivateProfile.h"
#include "platform/FileSystem.h"
#include "profiles/ChoiceRanges.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace app {

namespace {

constexpr char kMain[] = "main";
constexpr std::size_t kFolderLength = 1023;
constexpr std::size_t kNameLength = 255;
// Longest part of a rejected value the log shows.
constexpr std::size_t kLoggedValueLength = 40;

// The lengths of the lists the main settings index: the decoders and CPU
// shares of JobSettings.h and the rows of engine/AdvancedChoices.h.
constexpr int kDecodeEngines = 3;
constexpr int kCpuUsages = 3;
constexpr int kVolumeRows = 17;
constexpr int kDvdChapterRows = 5;
constexpr int kSpeedRows = 3;

struct Range {
    int lowest, highest;
};
constexpr Range kAnyNumber{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};

// A value as the settings file holds it: digits with an optional minus.
struct ParsedNumber {
    bool whole = false;    // written as a whole number
    bool fits = false;     // and within int
    int number = 0;
};

ParsedNumber ParseNumber(const std::string& text)
{
    ParsedNumber parsed;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed.number);
    parsed.whole = !text.empty() && end == text.data() + text.size() && error != std::errc::invalid_argument;
    parsed.fits = parsed.whole && error == std::errc();
    return parsed;
}

// Reads values and replaces each one that cannot be right by its default,
// saying so in one line on standard error. A missing key quietly gives the
// default.
class SettingsReader {
public:
    explicit SettingsReader(const ini::PrivateProfile& file)
        : file_(file), fileName_(std::filesystem::path(file.Path()).filename().string())
    {
    }

    int Number(const std::string& section, const char* key, int fallback, Range range,
               const std::string& profileName = "") const
    {
        if (!file_.HasKey(section, key))
            return fallback;
        const std::string text = file_.GetString(section, key, "", std::string::npos);
        const ParsedNumber parsed = ParseNumber(text);
        if (!parsed.whole)
            Reject(key, text, "is not a whole number", profileName);
        else if (!parsed.fits || parsed.number < range.lowest || parsed.number > range.highest)
            Reject(key, text, "out of range", profileName);
        else
            return parsed.number;
        return fallback;
    }

    int Choice(const profiles::OutputProfile& profile, const profiles::ProfileChoiceKey& key, int fallback) const
    {
        const int number = Number(profile.name, key.key, fallback, kAnyNumber, profile.name);
        if (profiles::IsChoiceInRange(profile, key, number))
            return number;
        Reject(key.key, std::to_string(number), "out of range", profile.name);
        return fallback;
    }

    // An absolute folder: a relative one would depend on where the program started.
    std::string Folder(const char* section, const char* key, const std::string& fallback) const
    {
        const std::string folder = file_.GetString(section, key, fallback, kFolderLength);
        if (!folder.empty() && folder.front() == '/')
            return folder;
        Reject(key, folder, "is not an absolute folder");
        return fallback;
    }

    // A file name in the Languages folder, without ".ini".
    std::string LanguageName(const char* section, const char* key, const std::string& fallback) const
    {
        const std::string name = file_.GetString(section, key, fallback, kNameLength);
        if (!name.empty() && name.find('/') == std::string::npos)
            return name;
        Reject(key, name, "is not a language name");
        return fallback;
    }

private:
    void Reject(const char* key, const std::string& value, const char* why, const std::string& profileName = "") const
    {
        const std::string shown =
            value.size() > kLoggedValueLength ? value.substr(0, kLoggedValueLength) + "..." : value;
        std::string line = "diziv: " + fileName_ + ": " + key + "=" + shown + " " + why;
        if (!profileName.empty())
            line += " for \"" + profileName + "\"";
        std::fprintf(stderr, "%s, using the default\n", line.c_str());
    }

    const ini::PrivateProfile& file_;
    std::string fileName_;
};

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
    const SettingsReader read(file);
    OutputFolder = read.Folder(kMain, "OutputFolder", DefaultOutputFolder());
    AddFilesInitDir = read.Folder(kMain, "AddFilesInitDir", DefaultAddFilesFolder());
    DecodeEngine = read.Number(kMain, "DecodeEngine", 0, {0, kDecodeEngines - 1});
    OutputFormat = read.Number(kMain, "OutputFormat", 0, {-1, catalogue.Count() - 1});
    CPUUsage = read.Number(kMain, "CPUUsage", 0, {0, kCpuUsages - 1});
    DiscLabel = file.GetString(kMain, "DiscLabel", "MyDisc", kNameLength);
    // A first start, with no language saved yet, takes the desktop's.
    LanguageFileName = read.LanguageName(kMain, "LanguageFileName", SystemLanguageName());
    Volume = read.Number(kMain, "Volume", 8, {0, kVolumeRows - 1});
    DVDChapter = read.Number(kMain, "DVDChapter", 2, {0, kDvdChapterRows - 1});
    Speed = read.Number(kMain, "Speed", 1, {0, kSpeedRows - 1});
    psp_id = read.Number(kMain, "psp_id", 1, kAnyNumber);
    pspavc_id = read.Number(kMain, "pspavc_id", 1, kAnyNumber);
    CopyFitting = read.Number(kMain, "CopyFitting", 1, {0, 1});
    SimultaneousConversions = read.Number(kMain, "SimultaneousConversions", 0, {0, 4});
    KeepSourceList = read.Number(kMain, "KeepSourceList", 1, {0, 1});

    const profiles::ProfileChoice defaults;
    for (int slot = 0; slot < catalogue.Count(); ++slot) {
        const profiles::OutputProfile& profile = *catalogue.Profile(slot);
        profiles::ProfileChoice& choice = *catalogue.Choice(slot);
        for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
            choice.*key.field = read.Choice(profile, key, defaults.*key.field);
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
    file.SetInt(kMain, "Speed", Speed);
    file.SetInt(kMain, "psp_id", psp_id);
    file.SetInt(kMain, "pspavc_id", pspavc_id);
    file.SetInt(kMain, "CopyFitting", CopyFitting);
    file.SetInt(kMain, "SimultaneousConversions", SimultaneousConversions);
    file.SetInt(kMain, "KeepSourceList", KeepSourceList);

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
    job.speed = EncodeSpeedFrom(Speed);
    job.outputFolder = OutputFolder;
    job.discLabel = DiscLabel;
    job.copyFitting = CopyFitting != 0;
    job.parallelRuns = SimultaneousConversions;
    job.whenDone = WhenDoneFrom(whenDone);
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

EncodeSpeed EncodeSpeedFrom(int stored)
{
    return stored == 0 ? EncodeSpeed::Faster : stored == 2 ? EncodeSpeed::Better : EncodeSpeed::Balanced;
}

WhenDone WhenDoneFrom(int stored)
{
    return stored >= 1 && stored <= 3 ? static_cast<WhenDone>(stored) : WhenDone::Nothing;
}

}  // namespace app
