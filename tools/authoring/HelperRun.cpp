#include "HelperRun.h"

#include "OutputLines.h"
#include "common/ToolLog.h"
#include "platform/PipedProcess.h"

#include <cstring>

namespace authoring {

namespace {

constexpr int kPollMs = 50;
// How long the helper may take to end after SIGTERM before it is killed.
constexpr int kStopGraceMs = 2000;

class ProgressFilter {
public:
    explicit ProgressFilter(const HelperHooks& hooks) : hooks_(hooks) {}

    void Line(const std::string& line)
    {
        tools::LogLine(line);
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            lastLine_ = line;
        std::optional<HelperProgress> progress = hooks_.parseLine(line);
        if (!progress)
            return;
        if (reported_ && *progress == last_)
            return;
        reported_ = true;
        last_ = *progress;
        hooks_.sendProgress(*progress);
    }

    // The helper's last words, which name what went wrong when it fails.
    const std::string& LastLine() const { return lastLine_; }

private:
    const HelperHooks& hooks_;
    std::string lastLine_;
    bool reported_ = false;
    HelperProgress last_{};
};

std::string CommandText(const HelperCommand& command)
{
    std::string text = command.program;
    for (const std::string& argument : command.arguments)
        text += " '" + argument + "'";
    return text;
}

}  // namespace

HelperOutcome RunHelper(const HelperCommand& command, const HelperHooks& hooks)
{
    tools::LogLine("running: " + CommandText(command));
    if (hooks.abortRequested()) {
        tools::LogLine("stopped on request before starting");
        return HelperOutcome::Stopped;
    }
    platform::PipedProcess helper;
    int error = helper.Start(command.program, command.arguments, command.environment, command.workingFolder);
    if (error != 0) {
        tools::LogLine("cannot run " + command.program + ": " + std::strerror(error));
        return HelperOutcome::Failed;
    }

    ProgressFilter filter(hooks);
    OutputLines lines;
    std::string chunk;
    bool outputOpen = true;
    std::optional<int> exitCode;
    while (!exitCode) {
        if (hooks.abortRequested()) {
            helper.Stop(kStopGraceMs);
            tools::LogLine("stopped on request");
            return HelperOutcome::Stopped;
        }
        if (outputOpen) {
            chunk.clear();
            outputOpen = helper.ReadOutput(chunk, kPollMs);
            for (const std::string& line : lines.Feed(chunk))
                filter.Line(line);
            if (outputOpen)
                continue;
            std::string rest = lines.Rest();
            if (!rest.empty())
                filter.Line(rest);
        }
        exitCode = helper.WaitForExit(kPollMs);
    }
    if (*exitCode != 0) {
        const std::string lastWords = filter.LastLine().empty() ? "" : ": " + filter.LastLine();
        tools::LogLine(command.program + " ended with " +
                       (*exitCode < 0 ? "a signal" : "exit code " + std::to_string(*exitCode)) + lastWords);
        return HelperOutcome::Failed;
    }
    return HelperOutcome::Completed;
}

}  // namespace authoring
