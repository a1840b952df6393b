#pragma once
// One run of diziv-cli after the command line was read and the program's
// files were loaded: the sources probed, the job run, the exit status.
#include "CliOptions.h"

namespace app {
class ConverterApp;
}

namespace cli {

class TerminalDialogs;

// The exit status: 0 every source converted, 1 any failed, 2 a usage
// error, 128 + the signal number after Ctrl+C or SIGTERM.
int RunConversion(const CliOptions& options, app::ConverterApp& application, TerminalDialogs& dialogs);

}  // namespace cli
