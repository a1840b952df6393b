#pragma once
// The encoder's command line for one source of a job: the profile's command
// template with its placeholders filled in, wrapped in the options that
// belong to the run (record name, input, trim, tracks, subtitles, output).
#include "app/JobSettings.h"
#include "engine/CommandLine.h"
#include "engine/FrameSize.h"
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileChoice.h"

#include <optional>
#include <string>

namespace engine {

struct EngineArgumentInputs {
    const SourceItem& source;
    const profiles::OutputProfile& profile;
    const profiles::ProfileChoice& choice;
    app::DecodeEngine decoder = app::DecodeEngine::Auto;
    app::VolumeRow volume;
    std::string recordName;
    std::string outputPath;
    std::string outputExtension;  // the job's output extension, for __output_format__
    std::optional<FrameSize> joinerFirstSource;  // joiner mode: size of the first ticked source
    app::EncodeSpeed speed = app::EncodeSpeed::Balanced;
};

// The command template the choice picks: command2 for an AVI profile's
// second video codec or a disc profile's second TV type, else command1.
const std::string& ChooseTemplate(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice);

// Whether the source is read through its decode script: always for the
// script decoder, never for the built-in one, and in Auto mode when the
// probe needed the script; never for a path the script cannot name.
bool UsesDecodeScript(app::DecodeEngine decoder, const SourceItem& source);

// The encoder's arguments. When UsesDecodeScript says so, the input is
// DecodeScriptPath(), which the caller writes first.
Arguments BuildEngineArguments(const EngineArgumentInputs& inputs);

// The chosen template with its placeholders filled in, without what
// surrounds it (record name, input, trim, tracks, subtitles, output).
Arguments FilledTemplate(const EngineArgumentInputs& inputs);

// Adds "-lavfopts format=<extension>" to a bare "-of lavf": the encoder
// writes under a partial name, so the muxer cannot come from the name's
// extension.
void PinOutputFormat(Arguments& arguments, const std::string& outputExtension);

// templateText with every __output_format__ replaced by the muxer options
// that suit outputExtension (".avi", ".m4v", ...; case and dots do not matter).
std::string OutputFormatOption(const std::string& templateText, const std::string& outputExtension);

}  // namespace engine
