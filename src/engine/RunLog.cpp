#include "RunLog.h"

#include <fstream>

namespace engine {

namespace {

// Enough of a log's end for its last line; a tool that writes a long
// report ends with its reason.
constexpr std::streamoff kTailBytes = 4096;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string ReasonFromLog(const std::string& logText, const std::string& toolName)
{
    std::size_t end = logText.size();
    while (end > 0 && IsBlank(logText[end - 1]))
        --end;
    if (end == 0)
        return "";
    const std::size_t newline = logText.rfind('\n', end - 1);
    std::size_t begin = newline == std::string::npos ? 0 : newline + 1;
    while (IsBlank(logText[begin]))
        ++begin;
    std::string line = logText.substr(begin, end - begin);
    const std::string prefix = toolName + ": ";
    if (!toolName.empty() && line.starts_with(prefix))
        line.erase(0, prefix.size());
    return line;
}

std::string ReasonFromLogFile(const std::string& logPath, const std::string& toolName)
{
    std::ifstream log(logPath, std::ios::binary | std::ios::ate);
    if (logPath.empty() || !log)
        return "";
    const std::streamoff size = log.tellg();
    const std::streamoff start = size > kTailBytes ? size - kTailBytes : 0;
    log.seekg(start);
    std::string tail(static_cast<std::size_t>(size - start), '\0');
    log.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    tail.resize(static_cast<std::size_t>(log.gcount()));
    return ReasonFromLog(tail, toolName);
}

}  // namespace engine
