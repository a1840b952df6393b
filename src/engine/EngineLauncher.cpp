#include "EngineLauncher.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "engine/CommandLine.h"

#include <filesystem>

namespace engine {

std::string EncoderPath()
{
    return app::ProgramDirectory() + (app::Application().product.subtitleEdition ? "avm" : "savm");
}

std::string DvdToolPath()
{
    return app::ProgramDirectory() + "dvdimage";
}

std::string VcdToolPath()
{
    return app::ProgramDirectory() + "vcdimage";
}

EngineLauncher::EngineLauncher(EngineStatusBlock& block, app::UserDialogs& dialogs, const platform::Clock& clock)
    : block_(block), dialogs_(dialogs), clock_(clock)
{
}

int EngineLauncher::StartEngine(const std::string& path, const std::string& argumentText)
{
    abortSeenMs_.reset();
    terminatedMs_.reset();
    std::string tempFolder = app::TempDirectory();
    logPath_ = tempFolder.empty() ? "" : tempFolder + std::filesystem::path(path).filename().string() + ".log";
    if (child_.Start(path, SplitCommandLine(argumentText), logPath_) != 0) {
        dialogs_.Message("Error! Failed to load " + path + " .", app::Application().appName);
        return 0;
    }
    return 1;
}

void EngineLauncher::WaitForEngine(int sliceMs, const std::function<void()>& pump)
{
    while (!child_.WaitForExit(sliceMs)) {
        EndToolIgnoringAbort();
        pump();
    }
    EngineRecord* record = block_.Data();
    if (terminatedMs_ && record)
        StoreField(record->result_code, kResultStopped);
}

void EngineLauncher::EndToolIgnoringAbort()
{
    EngineRecord* record = block_.Data();
    if (!record || LoadField(record->abort_request) != 1)
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

}  // namespace engine
