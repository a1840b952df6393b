// dvdimage: authors a DVD-Video folder from VOB files with dvdauthor.
#include "authoring/ToolMain.h"
#include "common/ToolError.h"
#include "common/ToolLog.h"
#include "dvdimage/DvdImageCommand.h"
#include "dvdimage/DvdauthorProgress.h"
#include "dvdimage/TitleSetFolder.h"
#include "protocol/EngineRecord.h"

#include <filesystem>

namespace {

int AuthorDvd(const std::vector<std::string>& arguments, authoring::ToolContext& context)
{
    dvdimage::DvdImageRequest request = dvdimage::ParseDvdImageCommand(arguments);
    authoring::HelperCommand command{"dvdauthor", {}, {}, ""};
    if (request.tableOfContents) {
        std::optional<std::string> format = dvdimage::TitleSetVideoFormat(request.outputFolder);
        if (!format)
            throw tools::ToolError("no title set in " + request.outputFolder + "/VIDEO_TS");
        command.arguments = dvdimage::TableOfContentsArguments(request);
        // dvdauthor cannot write the table of contents without a TV system.
        command.environment = {"VIDEO_FORMAT=" + *format};
    } else {
        command.arguments = dvdimage::TitleSetArguments(request);
    }

    const std::set<std::string> before = dvdimage::VideoTsFiles(request.outputFolder);
    context.hooks.parseLine = dvdimage::ParseDvdauthorLine;
    int result = authoring::ResultFor(authoring::RunHelper(command, context.hooks));
    if (result == engine::kResultSuccess && request.tableOfContents &&
        !std::filesystem::exists(std::filesystem::path(request.outputFolder) / "VIDEO_TS" / "VIDEO_TS.IFO")) {
        tools::LogLine("dvdauthor wrote no VIDEO_TS.IFO");
        result = engine::kResultFailed;
    }
    if (result != engine::kResultSuccess)
        dvdimage::RemoveFilesNotIn(request.outputFolder, before);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return authoring::RunAuthoringTool("dvdimage", arguments,
                                  [&arguments](authoring::ToolContext& context) { return AuthorDvd(arguments, context); });
}
