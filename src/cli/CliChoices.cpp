#include "CliChoices.h"

#include "EntryMatch.h"
#include "app/FolderChecks.h"
#include "app/SettingsStore.h"
#include "engine/AdvancedChoices.h"
#include "engine/EncoderSpeed.h"
#include "engine/ParallelRuns.h"
#include "lang/IniTextFile.h"
#include "profiles/ChoiceEntries.h"
#include "profiles/ProfileMarkers.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace cli {

namespace {

template <std::size_t Slots>
EntryList Entries(const char* what, const profiles::TextList<Slots>& list, bool translated = false)
{
    EntryList result{what, {}, {}};
    for (int i = 0; i < list.Count(); ++i) {
        result.entries.push_back(list.At(i));
        if (translated)
            result.shown.push_back(lang::Text("MainDialog", list.At(i)));
    }
    return result;
}

// Original, Auto and Custom entries are shown by their translated word; values as they are.
template <typename Entry>
EntryList TypedEntries(const char* what, const std::vector<Entry>& typed)
{
    EntryList result{what, {}, {}};
    for (const Entry& entry : typed) {
        result.entries.push_back(entry.text);
        switch (entry.kind) {
        case profiles::EntryKind::Original:
            result.shown.push_back(lang::Text("MainDialog", "Original"));
            break;
        case profiles::EntryKind::Auto:
            result.shown.push_back(lang::Text("MainDialog", "Auto"));
            break;
        case profiles::EntryKind::Custom:
            result.shown.push_back(lang::Text("MainDialog", "Custom") + "...");
            break;
        case profiles::EntryKind::Value:
            result.shown.push_back(entry.text);
            break;
        }
    }
    return result;
}

// "WIDTHxHEIGHT" with both sides between 16 and 4096.
std::optional<std::pair<int, int>> CustomSize(const std::string& text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const std::optional<int> width = Number(text.substr(0, x)), height = Number(text.substr(x + 1));
    if (!width || !height || *width < 16 || *height < 16 || *width > 4096 || *height > 4096)
        return std::nullopt;
    return std::make_pair(*width, *height);
}

std::string ChooseSize(const profiles::OutputProfile& profile, profiles::ProfileChoice& choice, const std::string& value)
{
    if (profiles::IsDisc(profile))
        return "the TV type sets the frame size of \"" + profile.name + "\" (use --tv-type)";
    const std::vector<profiles::SizeEntry> sizes = profiles::SizeEntries(profile);
    const EntryList list = TypedEntries("frame size", sizes);
    if (std::optional<int> row = FindEntry(list, value)) {
        if (sizes[*row].kind == profiles::EntryKind::Custom && choice.custom_width == 0)
            return "give the custom frame size as WIDTHxHEIGHT, for example 400x300";
        choice.video_size = *row;
        return "";
    }
    const auto customRow = std::find_if(sizes.begin(), sizes.end(), [](const profiles::SizeEntry& entry) {
        return entry.kind == profiles::EntryKind::Custom;
    });
    const bool hasCustomRow = customRow != sizes.end();
    if (std::optional<std::pair<int, int>> size = CustomSize(value); size && hasCustomRow) {
        choice.video_size = static_cast<std::int32_t>(customRow - sizes.begin());
        choice.custom_width = size->first;
        choice.custom_height = size->second;
        return "";
    }
    return Choose(list, value, choice.video_size) + (hasCustomRow ? "\n  or a custom size as WIDTHxHEIGHT" : "");
}

std::string ChooseVolume(const profiles::OutputProfile& profile, const std::string& value, int& volume)
{
    if (profiles::KeepsOriginalVolume(profile))
        return "\"" + profile.name + "\" keeps the volume of the source";
    EntryList list{"volume", {}, {}};
    for (const char* row : engine::kVolumeRows)
        list.entries.push_back(row);
    list.shown = list.entries;
    list.shown[engine::kOriginalVolumeRow] = "100%";
    std::int32_t row = volume;
    std::string error = Choose(list, value.find('%') == std::string::npos && Number(value) ? value + "%" : value, row);
    volume = row;
    return error;
}

std::string ChooseChapters(const profiles::OutputProfile& profile, const std::string& value, int& dvdChapter)
{
    if (!profiles::IsDvdImage(profile))
        return "DVD chapters belong to DVD folder profiles";
    EntryList list{"chapter interval", {}, {"none", "10", "15", "20", "30"}};
    for (const char* row : engine::kDvdChapterRows)
        list.entries.push_back(row);
    std::int32_t row = dvdChapter;
    std::string error = Choose(list, value, row);
    dvdChapter = row;
    return error;
}

std::string ChooseSpeed(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice,
                        const std::string& value, int& speed)
{
    EntryList list{"speed", {engine::kSpeedWords.begin(), engine::kSpeedWords.end()}, {}};
    std::int32_t row = speed;
    if (std::string error = Choose(list, value, row); !error.empty())
        return error;
    if (row != engine::kBalancedSpeedRow && !engine::HasSpeedPresets(profile, choice))
        return "the video encoder of \"" + profile.name + "\" has no speed presets";
    speed = row;
    return "";
}

std::string ChooseCpuUsage(const std::string& value, int& cpuUsage)
{
    EntryList list{"CPU usage", {"100%", "85%", "70%"}, {}};
    std::int32_t row = cpuUsage;
    std::string error = Choose(list, Number(value) ? value + "%" : value, row);
    cpuUsage = row;
    return error;
}

std::string ChooseParallelRuns(const std::string& value, int& simultaneousConversions)
{
    if (strcasecmp(value.c_str(), "auto") == 0) {
        simultaneousConversions = engine::kAutomaticRuns;
        return "";
    }
    const std::optional<int> runs = Number(value);
    if (!runs || *runs < 1 || *runs > engine::kMaxParallelRuns)
        return "'" + value + "' is no number of simultaneous conversions: give 1 to " +
               std::to_string(engine::kMaxParallelRuns) + " or auto";
    simultaneousConversions = *runs;
    return "";
}

std::string ChooseOutputFolder(const std::string& value, std::string& outputFolder)
{
    std::error_code error;
    std::string folder = std::filesystem::absolute(value, error).lexically_normal().string();
    if (error || value.empty())
        return "'" + value + "' is no folder path";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (app::CheckPathSyntax(folder, app::PathCheckMode::CheckOnly) != app::kPathValid)
        return "'" + value + "' is no usable output folder: a folder name may not be empty, begin or end with a "
               "blank or dot, or hold any of \" * : < > ? \\ |";
    outputFolder = folder == "/" ? folder : folder + "/";
    return "";
}

// The choices that depend on the profile, in the order the window offers them.
std::string ApplyProfileChoices(const CliOptions& o, const profiles::OutputProfile& profile,
                                profiles::ProfileChoice& choice, app::SettingsStore& settings)
{
    const bool disc = profiles::IsDisc(profile);
    std::vector<std::string> errors;
    auto apply = [&errors](std::string error) {
        if (!error.empty())
            errors.push_back(error);
    };
    if (o.videoQuality)
        apply(Choose(Entries("video quality", profile.video_quality, true), *o.videoQuality, choice.video_quality));
    if (o.audioQuality)
        apply(Choose(Entries("audio quality", profile.audio_quality, true), *o.audioQuality, choice.audio_quality));
    if (o.size)
        apply(ChooseSize(profile, choice, *o.size));
    if (o.frameRate)
        apply(disc ? "disc profiles take a TV type (--tv-type), not a frame rate"
                   : Choose(TypedEntries("frame rate", profiles::FrameEntries(profile)), *o.frameRate,
                            choice.video_frame));
    if (o.tvType)
        apply(!disc ? "only disc profiles have a TV type"
                    : Choose(Entries("TV type", profile.video_tvtype), *o.tvType, choice.video_tvtype));
    if (o.aspect)
        apply(Choose(TypedEntries("aspect ratio", profiles::AspectEntries(profile)), *o.aspect, choice.video_aspect));
    if (o.letterbox)
        choice.video_letterbox = *o.letterbox ? 1 : 0;
    if (o.videoCodec)
        apply(Choose(Entries("video codec", profile.video_codec), *o.videoCodec, choice.video_codec));
    if (o.audioCodec)
        apply(Choose(Entries("audio codec", profile.audio_codec), *o.audioCodec, choice.audio_codec));
    if (o.sampleRate)
        apply(Choose(Entries("sample rate", profile.audio_sample), *o.sampleRate, choice.audio_sample));
    if (o.volume)
        apply(ChooseVolume(profile, *o.volume, settings.Volume));
    if (o.dvdChapters)
        apply(ChooseChapters(profile, *o.dvdChapters, settings.DVDChapter));
    if (o.speed)
        apply(ChooseSpeed(profile, choice, *o.speed, settings.Speed));
    if (o.discLabel && !profiles::IsDiscImage(profile))
        apply("a disc label belongs to disc image profiles");
    std::string text;
    for (const std::string& error : errors)
        text += (text.empty() ? "" : "\n") + error;
    return text;
}

}  // namespace

namespace {

// The profiles' names, their short names shown beside them.
EntryList ProfileNames(const profiles::ProfileCatalogue& catalogue)
{
    EntryList names{"profile", {}, {}};
    for (int slot = 0; slot < catalogue.Count(); ++slot) {
        names.entries.push_back(catalogue.Profile(slot)->name);
        names.shown.push_back(catalogue.Profile(slot)->profile_shortname);
    }
    return names;
}

std::string UnknownProfileText(const profiles::ProfileCatalogue& catalogue, const std::string& text)
{
    const EntryList names = ProfileNames(catalogue);
    const std::vector<int> candidates = text.empty() ? std::vector<int>{} : EntriesBeginningWith(names, text);
    if (candidates.size() < 2)
        return "'" + text + "' names no profile (see --list-profiles)";
    std::string error = "'" + text + "' begins the names of several profiles; choose one of:";
    for (int slot : candidates)
        error += "\n  " + std::to_string(slot) + "  " + names.entries[slot] + "  (" + names.shown[slot] + ")";
    return error;
}

}  // namespace

int FindProfile(const app::SettingsStore& settings, const std::string& text)
{
    return FindEntry(ProfileNames(settings.catalogue), text).value_or(-1);
}

std::string ApplyChoices(const CliOptions& options, app::SettingsStore& settings)
{
    if (options.profile) {
        const int slot = FindProfile(settings, *options.profile);
        if (slot < 0)
            return UnknownProfileText(settings.catalogue, *options.profile);
        settings.OutputFormat = slot;
    }
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    if (!profile || !choice)
        return "no output profile is chosen: give one with --profile (see --list-profiles)";
    if (options.outputFolder)
        if (std::string error = ChooseOutputFolder(*options.outputFolder, settings.OutputFolder); !error.empty())
            return error;
    if (options.discLabel)
        settings.DiscLabel = *options.discLabel;
    if (options.copyFitting)
        settings.CopyFitting = *options.copyFitting ? 1 : 0;
    if (options.cpuUsage)
        if (std::string error = ChooseCpuUsage(*options.cpuUsage, settings.CPUUsage); !error.empty())
            return error;
    if (options.jobs)
        if (std::string error = ChooseParallelRuns(*options.jobs, settings.SimultaneousConversions); !error.empty())
            return error;
    return ApplyProfileChoices(options, *profile, *choice, settings);
}

}  // namespace cli
