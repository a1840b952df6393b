#pragma once
// --overwrite and --skip-existing. The job never writes over a file: where
// the output name is taken it numbers the new name (_1, _2, ...). So a
// source is left out when its name is taken, or its numbered output is
// moved over the old one once it is complete.
#include "engine/JobSpec.h"

#include <string>

namespace cli {

// The name the output of item takes when it is free: output folder, base
// name, extension; for a job with one output, that output's name (from the
// first source, or the disc label).
std::string IntendedOutput(const engine::JobSpec& spec, const engine::SourceItem& item);

// Puts the complete output made in the place of intended, a file or a
// folder; the old one is gone only once made stands there. An error text, or "".
std::string ReplaceOutput(const std::string& made, const std::string& intended);

}  // namespace cli
