#pragma once
// Turns the output choices of the command line into the settings the job
// reads: the current profile, its choice record and the values of section
// "main" they touch. Choices left out keep the loaded settings.
#include "CliOptions.h"

#include <string>

namespace app {
class SettingsStore;
}

namespace cli {

// A usage error text, or "" when every choice named an entry.
std::string ApplyChoices(const CliOptions& options, app::SettingsStore& settings);

// The catalogue slot named by text: its number, its name or its short
// name (ignoring case), or a unique beginning of a name; -1 for none.
int FindProfile(const app::SettingsStore& settings, const std::string& text);

}  // namespace cli
