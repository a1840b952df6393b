#pragma once
// What stops a tool besides abort_request: SIGTERM, SIGINT or SIGHUP, and
// SIGTERM from the kernel when the program that started the tool ends, so
// that no tool runs on orphaned. The tool then ends as on an abort request.
#include <cstdint>

namespace tools {

// Call first in main.
void CatchStopSignals();

// Call once the record names the run's program (its notify_window; 0 for
// none). A program that ended while the tool was starting, before the
// kernel was asked, is found here and counts as a stop.
void StopIfProgramEnded(std::int32_t programId);

// Whether a stop signal has arrived.
bool StopSignalled();

}  // namespace tools
