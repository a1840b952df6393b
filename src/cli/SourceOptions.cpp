#include "SourceOptions.h"

#include "EntryMatch.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "engine/CharsetDetection.h"
#include "engine/SourceFacts.h"
#include "engine/SubtitleCharsets.h"
#include "lang/IniTextFile.h"

#include <strings.h>

namespace cli {

namespace {

constexpr int kSmallTextSize = 3;
constexpr char kAutoCharset[] = "auto";

bool Refuse(app::UserDialogs& dialogs, const engine::SourceItem& item, const std::string& why)
{
    dialogs.Message(item.path + ": " + why, app::Application().appName);
    return false;
}

// HH:MM:SS, and ".mmm" when there are milliseconds.
std::string ClockText(std::int64_t milliseconds)
{
    std::string text = app::SecondsToClock(static_cast<double>(milliseconds / 1000));
    if (milliseconds % 1000 != 0)
        text += "." + std::to_string(1000 + milliseconds % 1000).substr(1);
    return text;
}

bool ApplyTrim(const SourceRequest& request, engine::SourceItem& item, app::UserDialogs& dialogs)
{
    const std::int64_t duration = std::int64_t{item.duration} * 1000;
    // A length the probe could not tell: the whole file, or the part asked for.
    if (duration == 0 && !request.start && !request.end)
        return true;
    if (duration == 0 && !request.end)
        return Refuse(dialogs, item, "its length could not be read, so the part to keep needs --end as well");
    const std::int64_t start = request.start.value_or(0);
    const std::int64_t end =
        duration == 0 ? request.end.value_or(0) : std::min(request.end.value_or(duration), duration);
    if (start >= end)
        return Refuse(dialogs, item,
                      "the part from " + ClockText(start) + " to " + ClockText(end) + " is empty; the video lasts " +
                          ClockText(duration));
    item.trimStart = static_cast<std::int32_t>(start / 1000);
    item.trimStartMs = static_cast<std::int32_t>(start % 1000);
    item.trimEnd = static_cast<std::int32_t>(end / 1000);
    item.trimEndMs = static_cast<std::int32_t>(end % 1000);
    return true;
}

// The charset row of the subtitles: the one the option names, else the one
// the subtitle file is written in, else the system's. Returns the language
// key that tells how the row was found; nullptr, after telling the user,
// when the option names no row.
const char* ChooseCharset(const SourceRequest& request, const engine::SourceItem& item, app::UserDialogs& dialogs,
                          std::int32_t& charset)
{
    charset = engine::DefaultCharset();
    if (request.subtitleCharset && strcasecmp(request.subtitleCharset->c_str(), kAutoCharset) != 0) {
        EntryList charsets{"subtitle charset", {}, {}};
        for (const engine::SubtitleCharset& row : engine::SubtitleCharsets()) {
            charsets.entries.push_back(row.listText);
            charsets.shown.push_back(row.codePage);
        }
        if (std::string error = Choose(charsets, *request.subtitleCharset, charset); !error.empty()) {
            Refuse(dialogs, item, error);
            return nullptr;
        }
        return "Charset Given";
    }
    if (item.subtitleFile.empty())
        return "Charset Default";
    const std::optional<int> detected = engine::DetectSubtitleCharset(item.subtitleFile);
    if (!detected)
        return "Charset Default";
    charset = *detected;
    return "Charset Detected";
}

// One line naming the charset a subtitle file is read with.
void TellCharset(const engine::SourceItem& item, const char* how, app::UserDialogs& dialogs)
{
    std::string line = lang::Text("SubtitleDialog", how);
    if (const std::size_t at = line.find("%1"); at != std::string::npos)
        line.replace(at, 2, engine::SubtitleCharsets()[item.subtitleCharset].listText);
    dialogs.Message(item.subtitleFile + ": " + line, app::Application().appName);
}

// The charset row and text size the subtitles are drawn with, and the font of that row.
bool ApplySubtitleLook(const SourceRequest& request, engine::SourceItem& item, app::UserDialogs& dialogs)
{
    std::int32_t charset = 0;
    const char* how = ChooseCharset(request, item, dialogs, charset);
    if (how == nullptr)
        return false;
    std::int32_t size = item.subtitleTextSize - kSmallTextSize;
    if (request.subtitleSize) {
        EntryList sizes{"subtitle size", {"small", "normal", "big"}, {}};
        for (const char* key : {"Small Text Size", "Normal Text Size", "Big Text Size"})
            sizes.shown.push_back(lang::Text("PropertiesDialog", key));
        if (std::string error = Choose(sizes, *request.subtitleSize, size); !error.empty())
            return Refuse(dialogs, item, error);
    }
    engine::ResolvedFont font;
    if (!engine::ResolveSubtitleFont(charset, dialogs, font))
        return false;
    item.subtitleCodePage = font.codePage;
    item.subtitleFont = font.fontFile;
    item.subtitleCharset = charset;
    item.subtitleTextSize = size + kSmallTextSize;
    if (!item.subtitleFile.empty())
        TellCharset(item, how, dialogs);
    return true;
}

bool ChooseTrack(const std::optional<int>& track, std::int32_t kind, const char* what, engine::SourceItem& item,
                 std::int32_t& field, app::UserDialogs& dialogs)
{
    if (!track)
        return true;
    const std::vector<std::string> lines = engine::TrackLines(item, kind);
    if (*track < static_cast<int>(lines.size())) {
        field = *track;
        return true;
    }
    std::string list;
    for (std::size_t i = 0; i < lines.size(); ++i)
        list += "\n  " + std::to_string(i) + "  " + lines[i];
    return Refuse(dialogs, item,
                  "it has no " + std::string(what) + " track " + std::to_string(*track) +
                      (lines.empty() ? "" : "; its " + std::string(what) + " tracks are:" + list));
}

}  // namespace

bool AsksForSubtitles(const SourceRequest& request)
{
    return !request.subtitleFile.empty() || request.subtitleTrack;
}

bool ApplySourceOptions(const SourceRequest& request, engine::SourceItem& item, app::UserDialogs& dialogs)
{
    if (!ApplyTrim(request, item, dialogs))
        return false;
    if (!ChooseTrack(request.audioTrack, engine::kTrackAudio, "audio", item, item.audioTrack, dialogs) ||
        !ChooseTrack(request.subtitleTrack, engine::kTrackSubtitle, "subtitle", item, item.subtitleTrack, dialogs))
        return false;
    if (!request.subtitleFile.empty()) {
        if (!app::FileExists(request.subtitleFile))
            return Refuse(dialogs, item, "cannot read the subtitle file " + request.subtitleFile);
        item.subtitleFile = request.subtitleFile;
    }
    if (AsksForSubtitles(request) || request.subtitleCharset || request.subtitleSize)
        return ApplySubtitleLook(request, item, dialogs);
    return true;
}

}  // namespace cli
