#pragma once
// The run's log is the tool's stderr (the launcher sends it to a per-run file).
#include <string>

namespace tools {

// Names the tool in front of every line ("avm: ...").
void SetLogName(const std::string& name);

// Writes one line to the log.
void LogLine(const std::string& line);

}  // namespace tools
