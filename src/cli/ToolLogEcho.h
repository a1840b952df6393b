#pragma once
// What --verbose shows on standard error: the command of each tool the job
// or the probe starts, as a shell would take it, and the tool's log as it
// grows.
#include "engine/CommandLine.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace engine {
class EngineLauncher;
}

namespace cli {

// path and arguments as one line for a POSIX shell: words with characters
// the shell treats specially are put in single quotes.
std::string ShellCommand(const std::string& path, const engine::Arguments& arguments);

class ToolLogEcho {
public:
    // beforeOutput runs before anything is written (to end a live progress line).
    ToolLogEcho(std::ostream& out, engine::EngineLauncher& launcher, std::function<void()> beforeOutput);
    ~ToolLogEcho();
    ToolLogEcho(const ToolLogEcho&) = delete;
    ToolLogEcho& operator=(const ToolLogEcho&) = delete;

    // Copies what the log of the tool started last gained since the last call.
    void Pump();

private:
    void OnStart(const std::string& path, const engine::Arguments& arguments);

    std::ostream& out_;
    engine::EngineLauncher& launcher_;
    std::function<void()> beforeOutput_;
    std::uint64_t offset_ = 0;  // bytes of the log copied so far
};

}  // namespace cli
