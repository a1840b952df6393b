#include "DvdImageCommand.h"

#include "common/CommandLine.h"
#include "common/ToolError.h"

#include <filesystem>
#include <optional>
#include <regex>

namespace dvdimage {

namespace {

std::string Trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsResolutionWord(const std::string& word)
{
    static const std::regex resolution("[0-9]+x([0-9]+|full|half)", std::regex::icase);
    return std::regex_match(word, resolution);
}

std::string Absolute(const std::string& path)
{
    return std::filesystem::absolute(path).lexically_normal().string();
}

}  // namespace

DvdImageRequest ParseDvdImageCommand(const std::vector<std::string>& arguments)
{
    static constexpr tools::OptionSpec kOptions[] = {{"sfm", true}, {"o", true}, {"v", true}, {"a", true},
                                                     {"c", true},   {"f", true}, {"T", false}};
    tools::CommandLine line = tools::ParseCommandLine(arguments, kOptions);
    if (!line.inputs.empty())
        throw tools::ToolError("unexpected argument '" + line.inputs.front() + "'");

    DvdImageRequest request;
    std::optional<std::string> pendingChapters;
    for (const tools::CommandOption& option : line.options) {
        if (option.name == "sfm")
            request.recordName = option.value;
        else if (option.name == "o")
            request.outputFolder = option.value;
        else if (option.name == "T")
            request.tableOfContents = true;
        else if (option.name == "v")
            request.video = option.value;
        else if (option.name == "a")
            request.audio = option.value;
        else if (option.name == "c")
            pendingChapters = option.value;
        else {
            request.files.push_back({pendingChapters.value_or(""), option.value});
            pendingChapters.reset();
        }
    }

    if (request.recordName.empty())
        throw tools::ToolError("no -sfm record name");
    if (request.outputFolder.empty())
        throw tools::ToolError("no -o output folder");
    if (pendingChapters)
        throw tools::ToolError("-c without a -f file after it");
    if (request.tableOfContents && !request.files.empty())
        throw tools::ToolError("-T takes no -f files");
    if (!request.tableOfContents && request.files.empty())
        throw tools::ToolError("no -f VOB file given");
    return request;
}

std::string DvdauthorVideoOptions(const std::string& video)
{
    std::string options;
    std::size_t start = 0;
    while (start <= video.size()) {
        std::size_t end = video.find('+', start);
        if (end == std::string::npos)
            end = video.size();
        std::string word = Trimmed(video.substr(start, end - start));
        if (!word.empty() && !IsResolutionWord(word))
            options += (options.empty() ? "" : "+") + word;
        start = end + 1;
    }
    return options;
}

std::vector<std::string> TitleSetArguments(const DvdImageRequest& request)
{
    std::vector<std::string> arguments = {"-o", Absolute(request.outputFolder), "-t"};
    std::string video = DvdauthorVideoOptions(request.video);
    if (!video.empty())
        arguments.insert(arguments.end(), {"-v", video});
    std::string audio = Trimmed(request.audio);
    if (!audio.empty())
        arguments.insert(arguments.end(), {"-a", audio});
    for (const TitleFile& file : request.files) {
        if (file.path.ends_with('|'))
            throw tools::ToolError("a VOB file name may not end in '|': " + file.path);
        if (!file.chapters.empty())
            arguments.insert(arguments.end(), {"-c", file.chapters});
        arguments.insert(arguments.end(), {"-f", Absolute(file.path)});
    }
    return arguments;
}

std::vector<std::string> TableOfContentsArguments(const DvdImageRequest& request)
{
    return {"-o", Absolute(request.outputFolder), "-T"};
}

}  // namespace dvdimage
