#include "SubtitlePreview.h"

#include "CharsetDetection.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace engine {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kDialogue = "Dialogue:";
constexpr int kDialogueFieldsBeforeText = 9;

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lowercase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// text without every span from open to the next close: markup tags and
// style override blocks.
std::string WithoutSpans(std::string_view text, char open, char close)
{
    std::string kept;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = text.find(open, at);
        kept.append(text.substr(at, start - at));
        if (start == std::string_view::npos)
            break;
        const std::size_t end = text.find(close, start);
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return kept;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The text field of an SSA/ASS event line, the last of its fields.
std::string DialogueText(std::string_view line)
{
    for (int field = 0; field < kDialogueFieldsBeforeText; ++field) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            return "";
        line.remove_prefix(comma + 1);
    }
    std::string text = WithoutSpans(line, '{', '}');
    ReplaceAll(text, "\\N", "\n");
    ReplaceAll(text, "\\n", "\n");
    return text;
}

// The text a SubRip, MicroDVD or SAMI line shows; "" for cue numbers and timings.
std::string ShownText(std::string_view line)
{
    if (line.find("-->") != std::string_view::npos ||
        std::all_of(line.begin(), line.end(), [](unsigned char c) { return std::isdigit(c); }))
        return "";
    std::string text = WithoutSpans(WithoutSpans(line, '<', '>'), '{', '}');
    ReplaceAll(text, "&nbsp;", " ");
    std::replace(text.begin(), text.end(), '|', '\n');
    return text;
}

}  // namespace

std::vector<std::string> SubtitleTextLines(std::string_view text, std::size_t maxLines)
{
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());
    const bool events = text.starts_with(kDialogue) || text.find("\nDialogue:") != std::string_view::npos;
    // A SAMI file's head (title, styles) comes before its first cue.
    if (const std::size_t firstCue = Lowercase(text).find("<sync"); !events && firstCue != std::string::npos)
        text.remove_prefix(firstCue);

    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size() && lines.size() < maxLines;) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (events && !line.starts_with(kDialogue))
            continue;
        const std::string shown = events ? DialogueText(line) : ShownText(line);
        for (std::size_t from = 0; from < shown.size() && lines.size() < maxLines;) {
            const std::size_t to = std::min(shown.find('\n', from), shown.size());
            if (const std::string_view part = Trimmed(std::string_view(shown).substr(from, to - from)); !part.empty())
                lines.emplace_back(part);
            from = to + 1;
        }
    }
    return lines;
}

std::string SubtitlePreview(const std::string& path, const std::string& codePage, std::size_t maxLines)
{
    const std::optional<std::string> start = ReadSubtitleStart(path);
    if (!start)
        return "";
    std::string preview;
    for (const std::string& line : SubtitleTextLines(DecodeToUtf8(*start, codePage), maxLines))
        preview += (preview.empty() ? "" : "\n") + line;
    return preview;
}

}  // namespace engine
