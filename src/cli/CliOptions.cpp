#include "CliOptions.h"

#include <getopt.h>

#include <cstdlib>

namespace cli {

namespace {

enum OptionCode {
    kNonOption = 1,
    kListProfiles = 256,
    kVideoQuality,
    kAudioQuality,
    kSize,
    kFrameRate,
    kTvType,
    kAspect,
    kLetterbox,
    kNoLetterbox,
    kVideoCodec,
    kAudioCodec,
    kSampleRate,
    kVolume,
    kDvdChapters,
    kCpuUsage,
    kSpeed,
    kJobs,
    kDiscLabel,
    kJoin,
    kNoJoin,
    kCopyFitting,
    kNoCopyFitting,
    kStart,
    kEnd,
    kSubtitle,
    kSubtitleCharset,
    kSubtitleSize,
    kAudioTrack,
    kSubtitleTrack,
    kSaveSettings,
    kWait,
    kOverwrite,
    kSkipExisting,
};

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"list-profiles", optional_argument, nullptr, kListProfiles},
    {"profile", required_argument, nullptr, 'p'},
    {"video-quality", required_argument, nullptr, kVideoQuality},
    {"audio-quality", required_argument, nullptr, kAudioQuality},
    {"size", required_argument, nullptr, kSize},
    {"frame-rate", required_argument, nullptr, kFrameRate},
    {"tv-type", required_argument, nullptr, kTvType},
    {"aspect", required_argument, nullptr, kAspect},
    {"letterbox", no_argument, nullptr, kLetterbox},
    {"no-letterbox", no_argument, nullptr, kNoLetterbox},
    {"video-codec", required_argument, nullptr, kVideoCodec},
    {"audio-codec", required_argument, nullptr, kAudioCodec},
    {"sample-rate", required_argument, nullptr, kSampleRate},
    {"volume", required_argument, nullptr, kVolume},
    {"dvd-chapters", required_argument, nullptr, kDvdChapters},
    {"cpu-usage", required_argument, nullptr, kCpuUsage},
    {"speed", required_argument, nullptr, kSpeed},
    {"jobs", required_argument, nullptr, kJobs},
    {"output-folder", required_argument, nullptr, 'o'},
    {"disc-label", required_argument, nullptr, kDiscLabel},
    {"join", no_argument, nullptr, kJoin},
    {"no-join", no_argument, nullptr, kNoJoin},
    {"copy-fitting", no_argument, nullptr, kCopyFitting},
    {"no-copy-fitting", no_argument, nullptr, kNoCopyFitting},
    {"start", required_argument, nullptr, kStart},
    {"end", required_argument, nullptr, kEnd},
    {"subtitle", required_argument, nullptr, kSubtitle},
    {"subtitle-charset", required_argument, nullptr, kSubtitleCharset},
    {"subtitle-size", required_argument, nullptr, kSubtitleSize},
    {"audio-track", required_argument, nullptr, kAudioTrack},
    {"subtitle-track", required_argument, nullptr, kSubtitleTrack},
    {"save-settings", no_argument, nullptr, kSaveSettings},
    {"quiet", no_argument, nullptr, 'q'},
    {"yes", no_argument, nullptr, 'y'},
    {"wait", no_argument, nullptr, kWait},
    {"verbose", no_argument, nullptr, 'v'},
    {"overwrite", no_argument, nullptr, kOverwrite},
    {"skip-existing", no_argument, nullptr, kSkipExisting},
    {nullptr, 0, nullptr, 0},
};

// '-' first: file arguments arrive in order, between the options;
// ':' next: a missing value is reported as ':' and nothing is printed.
constexpr char kShortOptions[] = "-:hVp:o:qvy";

std::optional<int> WholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

// "S" or "S.d", "S.dd", "S.ddd" as milliseconds.
std::optional<std::int64_t> SecondsField(const std::string& text)
{
    const std::size_t dot = text.find('.');
    const std::optional<int> seconds = WholeNumber(text.substr(0, dot));
    if (!seconds)
        return std::nullopt;
    std::int64_t milliseconds = std::int64_t{*seconds} * 1000;
    if (dot == std::string::npos)
        return milliseconds;
    std::string fraction = text.substr(dot + 1);
    if (fraction.empty() || fraction.size() > 3 || !WholeNumber(fraction))
        return std::nullopt;
    fraction.resize(3, '0');
    return milliseconds + std::atoi(fraction.c_str());
}

bool HasSourceOptions(const SourceRequest& request)
{
    return request.start || request.end || !request.subtitleFile.empty() || request.subtitleCharset ||
           request.subtitleSize || request.audioTrack || request.subtitleTrack;
}

// Reads one option into options (or into the pending source request);
// returns an error text or "".
std::string TakeOption(int code, const std::string& value, CliOptions& options, SourceRequest& pending)
{
    auto time = [&value](std::optional<std::int64_t>& field) -> std::string {
        field = ParseClockTime(value);
        return field ? "" : "'" + value + "' is not a time (seconds, MM:SS or HH:MM:SS, seconds with up to 3 decimals)";
    };
    auto track = [&value](std::optional<int>& field) -> std::string {
        field = WholeNumber(value);
        return field ? "" : "'" + value + "' is not a track number";
    };
    switch (code) {
    case 'h': options.action = CliOptions::Action::Help; break;
    case 'V': options.action = CliOptions::Action::Version; break;
    case kListProfiles:
        options.action = CliOptions::Action::ListProfiles;
        options.profileFilter = value;
        break;
    case 'p': options.profile = value; break;
    case kVideoQuality: options.videoQuality = value; break;
    case kAudioQuality: options.audioQuality = value; break;
    case kSize: options.size = value; break;
    case kFrameRate: options.frameRate = value; break;
    case kTvType: options.tvType = value; break;
    case kAspect: options.aspect = value; break;
    case kLetterbox: options.letterbox = true; break;
    case kNoLetterbox: options.letterbox = false; break;
    case kVideoCodec: options.videoCodec = value; break;
    case kAudioCodec: options.audioCodec = value; break;
    case kSampleRate: options.sampleRate = value; break;
    case kVolume: options.volume = value; break;
    case kDvdChapters: options.dvdChapters = value; break;
    case kCpuUsage: options.cpuUsage = value; break;
    case kSpeed: options.speed = value; break;
    case kJobs: options.jobs = value; break;
    case 'o': options.outputFolder = value; break;
    case kDiscLabel: options.discLabel = value; break;
    case kJoin: options.join = true; break;
    case kNoJoin: options.join = false; break;
    case kCopyFitting: options.copyFitting = true; break;
    case kNoCopyFitting: options.copyFitting = false; break;
    case kStart: return time(pending.start);
    case kEnd: return time(pending.end);
    case kSubtitle:
        if (value.empty())
            return "--subtitle needs a file name";
        pending.subtitleFile = value;
        break;
    case kSubtitleCharset: pending.subtitleCharset = value; break;
    case kSubtitleSize: pending.subtitleSize = value; break;
    case kAudioTrack: return track(pending.audioTrack);
    case kSubtitleTrack: return track(pending.subtitleTrack);
    case kSaveSettings: options.saveSettings = true; break;
    case 'q': options.quiet = true; break;
    case 'y': options.yes = true; break;
    case kWait: options.wait = true; break;
    case 'v': options.verbose = true; break;
    case kOverwrite:
    case kSkipExisting: {
        const auto existing = code == kOverwrite ? CliOptions::Existing::Overwrite : CliOptions::Existing::Skip;
        if (options.existing != CliOptions::Existing::Number && options.existing != existing)
            return "--overwrite and --skip-existing exclude each other";
        options.existing = existing;
        break;
    }
    default: break;
    }
    return "";
}

}  // namespace

std::optional<std::int64_t> ParseClockTime(const std::string& text)
{
    std::int64_t milliseconds = 0;
    std::size_t begin = 0;
    for (int part = 0; part < 3; ++part) {
        const std::size_t colon = text.find(':', begin);
        const std::string field = text.substr(begin, colon == std::string::npos ? colon : colon - begin);
        if (colon != std::string::npos) {
            // Hours or minutes: whole numbers.
            const std::optional<int> number = WholeNumber(field);
            if (!number || (part > 0 && (field.size() != 2 || *number > 59)))
                return std::nullopt;
            milliseconds = (milliseconds + *number * std::int64_t{1000}) * 60;
            begin = colon + 1;
            continue;
        }
        const std::optional<std::int64_t> seconds = SecondsField(field);
        const std::size_t wholeDigits = field.find('.') == std::string::npos ? field.size() : field.find('.');
        if (!seconds || (part > 0 && (wholeDigits != 2 || *seconds >= 60000)))
            return std::nullopt;
        return milliseconds + *seconds;
    }
    return std::nullopt;
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments)
{
    ParseResult result;
    std::vector<std::string> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back("diziv-cli");
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    SourceRequest pending;
    auto takeSource = [&](const std::string& path) {
        pending.path = path;
        result.options.sources.push_back(pending);
        pending = SourceRequest();
    };
    optind = 0;  // start afresh: glibc keeps its scanning state between calls
    opterr = 0;
    for (int code; (code = getopt_long(argc, argv.data(), kShortOptions, kLongOptions, nullptr)) != -1;) {
        const std::string value = optarg ? optarg : "";
        if (code == kNonOption) {
            takeSource(value);
        } else if (code == ':') {
            result.error = "option '" + storage[optind - 1] + "' needs a value";
        } else if (code == '?') {
            result.error = optopt ? std::string("unknown option '-") + static_cast<char>(optopt) + "'"
                                  : "unknown or ambiguous option '" + storage[optind - 1] + "'";
        } else {
            result.error = TakeOption(code, value, result.options, pending);
        }
        if (!result.error.empty())
            return result;
    }
    for (int i = optind; i < argc; ++i)
        takeSource(storage[i]);
    if (HasSourceOptions(pending))
        result.error = "--start, --end, --subtitle... and the track options belong before a file or folder";
    CliOptions& options = result.options;
    if (options.action == CliOptions::Action::ListProfiles && !options.sources.empty()) {
        // "--list-profiles TEXT": the word after it is the filter, not a file.
        if (options.sources.size() > 1 || !options.profileFilter.empty())
            result.error = "--list-profiles takes one text to look for";
        else
            options.profileFilter = options.sources.front().path;
        options.sources.clear();
    }
    return result;
}

std::string UsageErrorText(const std::string& error)
{
    return "diziv-cli: " + error + "\nTry 'diziv-cli --help' for more information.\n";
}

std::string VersionText()
{
    return "diziv-cli " DIZIV_VERSION "\n";
}

std::string HelpText()
{
    return R"(Usage: diziv-cli [OPTION]... [[SOURCE OPTION]... FILE|FOLDER]...
Convert video files (every accepted file of a FOLDER) with an output profile,
or join them, or author a DVD folder or a VCD/SVCD image, without a window.
Choices not given are those saved by the program (or --save-settings).

  -p, --profile=NAME|NUMBER  output profile, by its name or number
      --list-profiles[=TEXT] list the profiles by device family, with their
                             container, codecs and default frame size, and
                             exit; TEXT (also given as the next word) keeps
                             those whose name or short name holds it
  -o, --output-folder=DIR    where the results go
      --video-quality=Q      entry of the profile's video quality list
      --audio-quality=Q      entry of the profile's audio quality list
      --size=S               frame size entry, or WIDTHxHEIGHT (custom size)
      --frame-rate=R         frame rate entry (not for disc profiles)
      --tv-type=T            TV type of disc profiles (NTSC or PAL entry)
      --aspect=A             aspect ratio entry (Auto, 4:3, 16:9, ...)
      --letterbox            add bars to keep the aspect ratio
      --no-letterbox         stretch to the frame size
      --video-codec=C        video codec entry
      --audio-codec=C        audio codec entry
      --sample-rate=R        audio sample rate entry
      --volume=V             audio volume: 20% to 300%, or Original
      --dvd-chapters=M       chapter every 10, 15, 20 or 30 minutes, or none
      --cpu-usage=P          100, 85 or 70 (percent of the processors)
      --speed=S              faster, balanced or better: how the H.264, HEVC,
                             AV1 and VP9 encoders trade speed for quality;
                             balanced, what other encoders do, keeps the
                             profile's settings
      --jobs=N|auto          convert N sources (1 to 4) at once; auto picks
                             from the processors and the frame size
      --disc-label=LABEL     name of a DVD folder or VCD/SVCD image
      --join                 join the sources into one file
      --no-join              convert each source into its own file
      --copy-fitting         copy the picture or sound of a source that
                             already fits the profile and choices instead of
                             encoding it again (the default)
      --no-copy-fitting      always encode
      --save-settings        keep these choices as the program's settings
      --overwrite            replace an output file (or disc folder) of the
                             same name, once the new one is complete
      --skip-existing        leave out sources whose output name is taken
                             (without either, the new name gets _1, _2, ...)
  -q, --quiet                print no progress: only the output paths and the
                             summary
  -v, --verbose              print each tool's command and stream its log to
                             standard error
  -y, --yes                  answer Yes to questions (otherwise No)
      --wait                 when another copy of the program is running (the
                             window or diziv-cli), wait for it to end, then
                             convert; without --wait the run is refused
  -h, --help                 show this help and exit
  -V, --version              show the version and exit

Source options apply to the FILE or FOLDER that follows them:
      --start=TIME           convert from TIME (seconds, MM:SS or HH:MM:SS;
                             seconds may have decimals: 1.5, 01:02.250)
      --end=TIME             convert up to TIME
      --subtitle=FILE        burn in a subtitle file (srt, sub, ssa, ass, smi)
      --subtitle-charset=C   charset of the subtitles (a name such as Greek,
                             or a code page such as CP1253); auto, the
                             default, detects it from the subtitle file
      --subtitle-size=S      small, normal or big
      --audio-track=N        audio track N of the source (from 0)
      --subtitle-track=N     subtitle track N of the source (from 0)

Entries are named by their text or by their number in the list, from 0;
--list-profiles shows the profiles, and a wrong entry lists the right ones.
After the job the path of each output made is printed, then a summary:
"N converted, N failed, N skipped; output in DIR". Messages go to standard
error. Ctrl+C stops the running conversion and removes its unfinished
output; the sources it did not finish count as skipped.

Exit status: 0 when every source was converted, 1 when any failed (or
another copy is running), 2 for a usage error, 130 after Ctrl+C (also
while waiting).

Example:
  diziv-cli -p "Apple iPad" --video-quality 1 -o ~/Videos/iPad ~/Movies
)";
}

}  // namespace cli
