#include "EngineLauncher.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "engine/RunLog.h"
#include "platform/FileSystem.h"

#include <filesystem>

namespace engine {

std::string EncoderPath()
{
    return app::ToolDirectory() + (app::Application().product.subtitleEdition ? "avm" : "savm");
}

std::string DvdToolPath()
{
    return app::ToolDirectory() + "dvdimage";
}

std::string VcdToolPath()
{
    return app::ToolDirectory() + "vcdimage";
}

EngineLauncher::EngineLauncher(EngineStatusBlock& block, app::UserDialogs& dialogs, const platform::Clock& clock)
    : block_(block), dialogs_(dialogs), clock_(clock)
{
}

bool EngineLauncher::StartEngine(const std::string& path, const Arguments& arguments)
{
    abortSeenMs_.reset();
    terminatedMs_.reset();
    if (startObserver_)
        startObserver_(path, arguments);
    toolName_ = std::filesystem::path(path).filename().string();
    const std::string tempFolder = app::TempDirectory();
    if (tempFolder.empty()) {
        logPath_.clear();
    } else if (numberedLogs_) {
        logPath_ = tempFolder + "job-" + (logTag_.empty() ? "" : logTag_ + "-") + std::to_string(jobLogs_.size() + 1) +
                   "-" + toolName_ + ".log";
        jobLogs_.push_back(logPath_);
    } else {
        logPath_ = tempFolder + toolName_ + (logTag_.empty() ? "" : "-" + logTag_) + ".log";
    }
    if (child_.Start(path, arguments, logPath_) != 0) {
        dialogs_.Report({app::NoticeId::ToolNotLoaded, {path}});
        return false;
    }
    return true;
}

std::string EngineLauncher::LastRunReason() const
{
    return ReasonFromLogFile(logPath_, toolName_);
}

void EngineLauncher::BeginJobLogs()
{
    for (const std::string& log : jobLogs_)
        platform::RemoveFile(log);
    jobLogs_.clear();
    numberedLogs_ = true;
}

bool EngineLauncher::Reap()
{
    if (!child_.Running() || !child_.WaitForExit(0))
        return false;
    Collected();
    return true;
}

void EngineLauncher::Collected()
{
    EngineRecord* record = block_.Data();
    if (terminatedMs_ && record)
        StoreField(record->result_code, kResultStopped);
    terminatedMs_.reset();
    abortSeenMs_.reset();
}

void EngineLauncher::EnforceAbort()
{
    EngineRecord* record = block_.Data();
    if (!child_.Running() || !record || LoadField(record->abort_request) != 1)
        return;
    std::uint64_t now = clock_.NowMs();
    if (!abortSeenMs_) {
        abortSeenMs_ = now;
    } else if (!terminatedMs_ && now - *abortSeenMs_ >= kAbortGraceMs) {
        child_.Terminate();
        terminatedMs_ = now;
    } else if (terminatedMs_ && now - *terminatedMs_ >= kKillGraceMs) {
        child_.Kill();
    }
}

void EngineLauncher::Terminate()
{
    if (!child_.Running())
        return;
    child_.Terminate();
    terminatedMs_ = clock_.NowMs();
}

void EngineLauncher::Kill()
{
    if (!child_.Running())
        return;
    child_.Kill();
    if (!terminatedMs_)
        terminatedMs_ = clock_.NowMs();
}

void EngineLauncher::WaitForEngine(int sliceMs, const std::function<void()>& between)
{
    while (!child_.WaitForExit(sliceMs)) {
        EnforceAbort();
        if (between)
            between();
    }
    Collected();
}

}  // namespace engine
