#include "VcdImageCommand.h"

#include "common/CommandLine.h"
#include "common/ToolError.h"

#include <filesystem>

namespace vcdimage {

namespace {

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

}  // namespace

VcdImageRequest ParseVcdImageCommand(const std::vector<std::string>& arguments)
{
    static constexpr tools::OptionSpec kOptions[] = {{"sfm", true}, {"x", true}, {"c", true}, {"b", true}, {"p", false}};
    tools::CommandLine line = tools::ParseCommandLine(arguments, kOptions);
    if (!line.inputs.empty())
        throw tools::ToolError("unexpected argument '" + line.inputs.front() + "'");

    VcdImageRequest request;
    for (const tools::CommandOption& option : line.options) {
        if (option.name == "sfm")
            request.recordName = option.value;
        else if (option.name == "x")
            request.description = option.value;
        else if (option.name == "c")
            request.cueSheet = option.value;
        else if (option.name == "b")
            request.image = option.value;
        else
            request.progress = true;
    }

    if (request.recordName.empty())
        throw tools::ToolError("no -sfm record name");
    if (request.description.empty())
        throw tools::ToolError("no -x description file");
    if (FileName(request.cueSheet).empty())
        throw tools::ToolError("no -c cue sheet file");
    if (FileName(request.image).empty())
        throw tools::ToolError("no -b image file");
    return request;
}

std::vector<std::string> VcdxbuildArguments(const VcdImageRequest& request)
{
    std::vector<std::string> arguments = {"--cue-file=" + FileName(request.cueSheet),
                                          "--bin-file=" + FileName(request.image)};
    if (request.progress)
        arguments.push_back("--progress");
    arguments.push_back("--");
    arguments.push_back(std::filesystem::absolute(request.description).string());
    return arguments;
}

}  // namespace vcdimage
