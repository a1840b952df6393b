#include "CommandLine.h"

namespace engine {

std::vector<std::string> SplitCommandLine(const std::string& text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool started = false;
    bool quoted = false;
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            current.append(backslashes / 2, '\\');
            started = true;
            if (backslashes % 2 == 1) {
                current += '"';
            } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                quoted = false;
                ++i;
            } else {
                quoted = !quoted;
            }
            backslashes = 0;
            continue;
        }
        if (backslashes > 0) {
            current.append(backslashes, '\\');
            started = true;
            backslashes = 0;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (started)
                arguments.push_back(current);
            current.clear();
            started = false;
            continue;
        }
        current += c;
        started = true;
    }
    current.append(backslashes, '\\');
    if (started || backslashes > 0)
        arguments.push_back(current);
    return arguments;
}

std::string QuoteArgument(const std::string& text)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(2 * backslashes + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

std::string RecordNameOption(const std::string& recordName)
{
    bool bare = !recordName.empty() && recordName.find_first_of(" \t\"") == std::string::npos;
    return " -sfm " + (bare ? recordName : QuoteArgument(recordName));
}

}  // namespace engine
