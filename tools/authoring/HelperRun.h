#pragma once
// Runs the program that does a disc tool's real work (dvdauthor, vcdxbuild)
// as a child, turns its output lines into progress and ends it when the
// user asks to stop.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace authoring {

struct HelperCommand {
    std::string program;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;  // extra "NAME=value" entries
    std::string workingFolder;             // empty: the tool's own
};

struct HelperProgress {
    int stage;
    int value;

    bool operator==(const HelperProgress&) const = default;
};

struct HelperHooks {
    // The progress a line of the helper's output reports, if any.
    std::function<std::optional<HelperProgress>(const std::string& line)> parseLine;
    // Polled about every 50 ms while the helper runs.
    std::function<bool()> abortRequested;
    std::function<void(const HelperProgress&)> sendProgress;
};

enum class HelperOutcome {
    Completed,  // ended with exit code 0
    Failed,     // could not start, or ended otherwise
    Stopped,    // ended by us because abortRequested said so
};

// Every output line of the helper is copied to the tool's log. Progress is
// sent only when it changes. A stop requested before the start starts nothing.
HelperOutcome RunHelper(const HelperCommand& command, const HelperHooks& hooks);

}  // namespace authoring
