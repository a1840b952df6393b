#pragma once
// The command line of diziv-cli, read the way GNU tools read theirs: long
// options (unambiguous prefixes too), "--name=value" or "--name value",
// short options, "--" before names that begin with a dash. Options of one
// source (trim, subtitle, tracks) apply to the file or folder named next.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// Exit statuses.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;  // a source or the job failed
constexpr int kExitUsage = 2;

// A file or folder argument with the options that came before it.
struct SourceRequest {
    std::string path;
    std::optional<std::int64_t> start, end;  // milliseconds
    std::string subtitleFile;
    std::optional<std::string> subtitleCharset;
    std::optional<std::string> subtitleSize;
    std::optional<int> audioTrack, subtitleTrack;
};

struct CliOptions {
    enum class Action { Convert, Help, Version, ListProfiles };
    Action action = Action::Convert;

    // Output choices as typed; CliChoices resolves them against the profile.
    std::optional<std::string> profile;
    std::optional<std::string> videoQuality, audioQuality, size, frameRate, tvType, aspect;
    std::optional<bool> letterbox;
    std::optional<std::string> videoCodec, audioCodec, sampleRate, volume, dvdChapters, cpuUsage, speed;
    std::optional<std::string> jobs;  // --jobs: 1..4 or auto
    std::optional<std::string> outputFolder, discLabel;
    std::optional<bool> join;
    std::optional<bool> copyFitting;

    // What a run does where a source's output name is already taken: keep
    // the old file and number the new one, replace it, or leave the source.
    enum class Existing { Number, Overwrite, Skip };
    Existing existing = Existing::Number;
    std::string profileFilter;  // of --list-profiles

    bool saveSettings = false;
    bool quiet = false;
    bool verbose = false;  // the tools' commands and logs on standard error
    bool yes = false;
    bool wait = false;  // for another running copy, instead of refusing
    std::vector<SourceRequest> sources;
};

struct ParseResult {
    CliOptions options;
    std::string error;  // a usage error when not empty
};

// arguments without the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// "SS", "MM:SS" or "HH:MM:SS", the seconds with up to three decimals
// ("1.5", "01:02.250"), as milliseconds.
std::optional<std::int64_t> ParseClockTime(const std::string& text);

// The message of a usage error, with the hint GNU tools give.
std::string UsageErrorText(const std::string& error);

std::string HelpText();
std::string VersionText();

}  // namespace cli
