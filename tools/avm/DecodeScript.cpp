#include "DecodeScript.h"

#include "AvmOptions.h"
#include "common/ToolError.h"

#include <fstream>

namespace avm {

namespace {

constexpr const char kOpening[] = "DirectShowSource(\"";
// A script is a line or two; media files are far larger.
constexpr std::streamsize kLongestScript = 8192;

std::string UndoubleBackslashes(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
            ++i;
    }
    return result;
}

}  // namespace

std::optional<DecodeScript> ParseDecodeScript(const std::string& text)
{
    if (text.rfind(kOpening, 0) != 0)
        return std::nullopt;
    std::string line = text.substr(0, text.find('\n'));
    // The path ends at the last quote of the line, so a quote inside it survives.
    auto closing = line.rfind('"');
    if (closing < sizeof kOpening - 1)
        throw tools::ToolError("decode script without a closing quote after the file name");
    DecodeScript script;
    script.sourcePath = UndoubleBackslashes(line.substr(sizeof kOpening - 1, closing - (sizeof kOpening - 1)));
    if (script.sourcePath.empty())
        throw tools::ToolError("decode script names no file");
    std::string rest = line.substr(closing + 1);
    auto fps = rest.find("fps=");
    if (fps != std::string::npos) {
        auto end = rest.find_first_of(",)", fps);
        script.frameRate = ParseFrameRate(rest.substr(fps + 4, end - fps - 4), "the decode script's fps");
    }
    return script;
}

std::optional<DecodeScript> ReadDecodeScript(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text(kLongestScript, '\0');
    file.read(text.data(), kLongestScript);
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.rfind(kOpening, 0) != 0)
        return std::nullopt;
    if (file.gcount() == kLongestScript && file.peek() != EOF)
        throw tools::ToolError("decode script " + path + " is too long");
    return ParseDecodeScript(text);
}

}  // namespace avm
