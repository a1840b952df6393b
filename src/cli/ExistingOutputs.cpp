#include "ExistingOutputs.h"

#include "engine/OutputNaming.h"
#include "profiles/ProfileMarkers.h"

#include <unistd.h>

#include <filesystem>

namespace cli {

namespace fs = std::filesystem;

std::string IntendedOutput(const engine::JobSpec& spec, const engine::SourceItem& item)
{
    const std::string& folder = spec.settings.outputFolder;
    if (profiles::IsDiscImage(spec.profile))
        return engine::OutputName{folder, spec.settings.discLabel, ""}.Path();
    const std::string& source = spec.joinerMode && !spec.rows.empty() ? spec.rows.front().item.path : item.path;
    return engine::OutputName{folder, engine::BaseNameOf(source), engine::OutputExtension(spec.profile, source)}.Path();
}

std::string ReplaceOutput(const std::string& made, const std::string& intended)
{
    std::error_code error;
    if (!fs::is_directory(intended, error)) {
        fs::rename(made, intended, error);  // replaces a file in one step
        return error ? "cannot replace " + intended + " (" + error.message() + "); the new output is " + made : "";
    }
    // A folder cannot be renamed over a full one: the old one steps aside first.
    const std::string aside = intended + ".old-" + std::to_string(::getpid());
    fs::rename(intended, aside, error);
    if (!error) {
        fs::rename(made, intended, error);
        if (error) {
            std::error_code restored;
            fs::rename(aside, intended, restored);  // the old one goes back
        }
    }
    if (error)
        return "cannot replace " + intended + " (" + error.message() + "); the new output is " + made;
    fs::remove_all(aside, error);
    return "";
}

}  // namespace cli
