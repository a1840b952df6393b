#include "QueueFile.h"

#include "platform/DurableFiles.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>

namespace engine {

namespace {

constexpr char kHeader[] = "[Queue]";
constexpr char kRowSection[] = "[Row]";
constexpr char kEndSection[] = "[End]";
constexpr char kVersion[] = "1";

template <typename Number>
struct NumberField {
    const char* key;
    Number SourceItem::*field;
};

constexpr NumberField<std::int32_t> kIntFields[] = {
    {"TrimStart", &SourceItem::trimStart},
    {"TrimEnd", &SourceItem::trimEnd},
    {"TrimStartMs", &SourceItem::trimStartMs},
    {"TrimEndMs", &SourceItem::trimEndMs},
    {"VideoLevel", &SourceItem::videoLevel},
    {"VideoBitrate", &SourceItem::videoBitrate},
    {"Width", &SourceItem::width},
    {"Height", &SourceItem::height},
    {"AudioBitrate", &SourceItem::audioBitrate},
    {"SampleRate", &SourceItem::sampleRate},
    {"Channels", &SourceItem::channels},
    {"SubtitleCharset", &SourceItem::subtitleCharset},
    {"SubtitleTextSize", &SourceItem::subtitleTextSize},
    {"AudioTrack", &SourceItem::audioTrack},
    {"SubtitleTrack", &SourceItem::subtitleTrack},
    {"DecodeViaDirectShow", &SourceItem::decodeViaDirectShow},
};
constexpr NumberField<std::uint32_t> kUnsignedFields[] = {{"Duration", &SourceItem::duration}};
constexpr NumberField<double> kRealFields[] = {{"FrameRate", &SourceItem::frameRate}};
constexpr NumberField<bool> kFlagFields[] = {{"SoundOnly", &SourceItem::soundOnly}};

struct TextField {
    const char* key;
    std::string SourceItem::*field;
};
constexpr TextField kTextFields[] = {
    {"VideoCodec", &SourceItem::videoCodec},     {"VideoProfile", &SourceItem::videoProfile},
    {"AudioCodec", &SourceItem::audioCodec},     {"SubtitleFile", &SourceItem::subtitleFile},
    {"SubtitleCodePage", &SourceItem::subtitleCodePage}, {"SubtitleFont", &SourceItem::subtitleFont},
};

// '\\', CR, LF and TAB as two characters each: an escaped value is one line
// without tabs, so a tab can separate the parts of a track.
std::string Escape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        case '\t': escaped += "\\t"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> Unescape(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': plain += '\\'; break;
        case 'n': plain += '\n'; break;
        case 'r': plain += '\r'; break;
        case 't': plain += '\t'; break;
        default: return std::nullopt;
        }
    }
    return plain;
}

template <typename Number>
std::string NumberText(Number value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

template <typename Number>
std::optional<Number> ParseNumber(const std::string& text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> ParseFlag(const std::string& text)
{
    if (text == "0" || text == "1")
        return text == "1";
    return std::nullopt;
}

void Put(std::string& out, const char* key, const std::string& value)
{
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

std::string TrackText(const TrackEntry& track)
{
    return NumberText(track.kind) + '\t' + NumberText(track.track_id) + '\t' +
           Escape(std::string(track.language, strnlen(track.language, sizeof track.language))) + '\t' +
           Escape(std::string(track.title, strnlen(track.title, sizeof track.title)));
}

template <std::size_t Size>
bool CopyText(char (&target)[Size], const std::string& text)
{
    if (text.size() >= Size || text.find('\0') != std::string::npos)
        return false;
    std::memset(target, 0, Size);
    std::memcpy(target, text.data(), text.size());
    return true;
}

std::vector<std::string> SplitAtTabs(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (std::size_t tab; (tab = text.find('\t', begin)) != std::string::npos; begin = tab + 1)
        parts.push_back(text.substr(begin, tab - begin));
    parts.push_back(text.substr(begin));
    return parts;
}

std::optional<TrackEntry> ParseTrack(const std::string& text)
{
    const std::vector<std::string> parts = SplitAtTabs(text);
    if (parts.size() != 4)
        return std::nullopt;
    const std::optional<std::int32_t> kind = ParseNumber<std::int32_t>(parts[0]);
    const std::optional<std::int32_t> id = ParseNumber<std::int32_t>(parts[1]);
    const std::optional<std::string> language = Unescape(parts[2]);
    const std::optional<std::string> title = Unescape(parts[3]);
    TrackEntry track{};
    if (!kind || *kind == kTrackEnd || !id || !language || !title || !CopyText(track.language, *language) ||
        !CopyText(track.title, *title))
        return std::nullopt;
    track.kind = *kind;
    track.track_id = *id;
    return track;
}

void FormatRow(std::string& out, const QueueRow& row)
{
    const SourceItem& item = row.item;
    out += kRowSection;
    out += '\n';
    Put(out, "Path", Escape(item.path));
    Put(out, "Ticked", row.ticked ? "1" : "0");
    Put(out, "Status", Escape(row.status));
    Put(out, "Reason", Escape(row.reason));
    Put(out, "RunOutput", Escape(row.runOutput));
    for (const auto& [key, field] : kUnsignedFields)
        Put(out, key, NumberText(item.*field));
    for (const auto& [key, field] : kIntFields)
        Put(out, key, NumberText(item.*field));
    for (const auto& [key, field] : kRealFields)
        Put(out, key, NumberText(item.*field));
    for (const auto& [key, field] : kFlagFields)
        Put(out, key, item.*field ? "1" : "0");
    for (const auto& [key, field] : kTextFields)
        Put(out, key, Escape(item.*field));
    for (const TrackEntry& track : item.tracks)
        if (track.kind != kTrackEnd)
            Put(out, "Track", TrackText(track));
}

// Reads the lines of one file in order; each setter takes the unescaped
// value of its key and says whether it was right.
class QueueParser {
public:
    QueueRead Parse(const std::string& text)
    {
        std::istringstream lines(text);
        std::string line;
        if (!std::getline(lines, line) || line != kHeader)
            return Fail("it does not begin with " + std::string(kHeader));
        bool ended = false;
        while (std::getline(lines, line)) {
            ++lineNumber_;
            if (ended)
                return Fail("text after " + std::string(kEndSection));
            if (line.empty())
                continue;
            if (line == kRowSection) {
                state_.rows.emplace_back();
                row_ = &state_.rows.back();
                tracks_ = 0;
                continue;
            }
            if (line == kEndSection) {
                ended = true;
                continue;
            }
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos || !Take(line.substr(0, equals), line.substr(equals + 1)))
                return Fail("line " + std::to_string(lineNumber_ + 1) + " is not understood");
        }
        if (!ended)
            return Fail("it is cut short");
        if (version_ != kVersion)
            return Fail("it has no version " + std::string(kVersion));
        if (rowCount_ != state_.rows.size())
            return Fail("it lists " + std::to_string(state_.rows.size()) + " rows instead of " +
                        std::to_string(rowCount_));
        for (const QueueRow& row : state_.rows)
            if (row.item.path.empty())
                return Fail("a row names no file");
        return {std::move(state_), {}};
    }

private:
    static QueueRead Fail(std::string why) { return {std::nullopt, std::move(why)}; }

    bool Take(const std::string& key, const std::string& rawValue)
    {
        if (row_ && key == "Track")
            return TakeTrack(rawValue);
        const std::optional<std::string> value = Unescape(rawValue);
        if (!value)
            return false;
        return row_ ? TakeRowValue(key, *value) : TakeQueueValue(key, *value);
    }

    bool TakeQueueValue(const std::string& key, const std::string& value)
    {
        if (key == "Version") {
            version_ = value;
            return true;
        }
        if (key == "Rows") {
            const std::optional<std::size_t> count = ParseNumber<std::size_t>(value);
            rowCount_ = count.value_or(0);
            return count.has_value();
        }
        if (key == "JobRunning") {
            const std::optional<bool> flag = ParseFlag(value);
            state_.jobRunning = flag.value_or(false);
            return flag.has_value();
        }
        if (key == "JoinRunOutput") {
            state_.joinRunOutput = value;
            return true;
        }
        return false;
    }

    bool TakeRowValue(const std::string& key, const std::string& value)
    {
        SourceItem& item = row_->item;
        if (key == "Path") {
            item.path = value;
            return !value.empty();
        }
        if (key == "Ticked") {
            const std::optional<bool> flag = ParseFlag(value);
            row_->ticked = flag.value_or(false);
            return flag.has_value();
        }
        for (auto [name, field] : {std::pair{"Status", &QueueRow::status}, std::pair{"Reason", &QueueRow::reason},
                                   std::pair{"RunOutput", &QueueRow::runOutput}}) {
            if (key == name) {
                row_->*field = value;
                return true;
            }
        }
        return TakeNumber(kUnsignedFields, key, value, item) || TakeNumber(kIntFields, key, value, item) ||
               TakeNumber(kRealFields, key, value, item) || TakeFlag(key, value, item) ||
               TakeText(key, value, item);
    }

    template <typename Number, std::size_t Count>
    static bool TakeNumber(const NumberField<Number> (&fields)[Count], const std::string& key,
                           const std::string& value, SourceItem& item)
    {
        for (const auto& [name, field] : fields) {
            if (key != name)
                continue;
            const std::optional<Number> number = ParseNumber<Number>(value);
            if (number)
                item.*field = *number;
            return number.has_value();
        }
        return false;
    }

    static bool TakeFlag(const std::string& key, const std::string& value, SourceItem& item)
    {
        for (const auto& [name, field] : kFlagFields) {
            if (key != name)
                continue;
            const std::optional<bool> flag = ParseFlag(value);
            if (flag)
                item.*field = *flag;
            return flag.has_value();
        }
        return false;
    }

    static bool TakeText(const std::string& key, const std::string& value, SourceItem& item)
    {
        for (const auto& [name, field] : kTextFields) {
            if (key == name) {
                item.*field = value;
                return true;
            }
        }
        return false;
    }

    bool TakeTrack(const std::string& rawValue)
    {
        const std::optional<TrackEntry> track = ParseTrack(rawValue);
        if (!track || tracks_ == row_->item.tracks.size())
            return false;
        row_->item.tracks[tracks_++] = *track;
        return true;
    }

    QueueState state_;
    QueueRow* row_ = nullptr;
    std::size_t tracks_ = 0;
    std::size_t rowCount_ = 0;
    std::string version_;
    std::size_t lineNumber_ = 0;
};

}  // namespace

std::string FormatQueue(const QueueState& state)
{
    std::string out = std::string(kHeader) + '\n';
    Put(out, "Version", kVersion);
    Put(out, "Rows", NumberText(state.rows.size()));
    Put(out, "JobRunning", state.jobRunning ? "1" : "0");
    Put(out, "JoinRunOutput", Escape(state.joinRunOutput));
    for (const QueueRow& row : state.rows)
        FormatRow(out, row);
    out += kEndSection;
    out += '\n';
    return out;
}

QueueRead ParseQueue(const std::string& text)
{
    return QueueParser().Parse(text);
}

bool SaveQueue(const std::string& path, const QueueState& state)
{
    return platform::ReplaceFileContents(path, FormatQueue(state), 0600);
}

QueueLoad LoadQueue(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        if (error == ENOENT)
            return {std::nullopt, {}, true};
        return {std::nullopt, std::strerror(error), false};
    }
    std::ostringstream text;
    text << in.rdbuf();
    QueueRead read = ParseQueue(text.str());
    return {std::move(read.state), std::move(read.error), false};
}

}  // namespace engine
