// vcdimage: makes a VCD or SVCD BIN/CUE image from a VideoCD XML description
// with vcdxbuild.
#include "authoring/ToolMain.h"
#include "common/ToolError.h"
#include "common/ToolLog.h"
#include "protocol/EngineRecord.h"
#include "vcdimage/VcdImageCommand.h"
#include "vcdimage/VcdxbuildProgress.h"

#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A folder of our own beside the image, removed again whatever happens.
class StagingFolder {
public:
    explicit StagingFolder(const fs::path& besideImage)
        : path_(fs::absolute(besideImage).parent_path() / (".vcdimage-" + std::to_string(::getpid())))
    {
        std::error_code error;
        fs::remove_all(path_, error);
        if (!fs::create_directory(path_, error))
            throw tools::ToolError("cannot create the staging folder " + path_.string() + ": " + error.message());
    }
    ~StagingFolder()
    {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

void MoveIntoPlace(const fs::path& from, const std::string& to)
{
    std::error_code error;
    fs::rename(from, to, error);
    if (error)
        throw tools::ToolError("cannot move " + from.string() + " to " + to + ": " + error.message());
}

int MakeImage(const std::vector<std::string>& arguments, authoring::ToolContext& context)
{
    vcdimage::VcdImageRequest request = vcdimage::ParseVcdImageCommand(arguments);
    StagingFolder staging(request.image);
    authoring::HelperCommand command{"vcdxbuild", vcdimage::VcdxbuildArguments(request), {}, staging.Path().string()};
    context.hooks.parseLine = vcdimage::ParseVcdxbuildLine;
    if (!request.progress)
        context.hooks.sendProgress = [](const authoring::HelperProgress&) {};

    int result = authoring::ResultFor(authoring::RunHelper(command, context.hooks));
    if (result != engine::kResultSuccess)
        return result;
    // The image first: a cue sheet in place always has its image beside it.
    MoveIntoPlace(staging.Path() / fs::path(request.image).filename(), request.image);
    MoveIntoPlace(staging.Path() / fs::path(request.cueSheet).filename(), request.cueSheet);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return authoring::RunAuthoringTool("vcdimage", arguments,
                                  [&arguments](authoring::ToolContext& context) { return MakeImage(arguments, context); });
}
