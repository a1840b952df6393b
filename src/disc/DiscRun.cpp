#include "DiscRun.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "engine/EngineStatusBlock.h"
#include "lang/IniTextFile.h"

namespace disc {

bool RunDiscTool(DiscRun& run, const std::string& toolPath, const std::string& arguments, int sliceMs)
{
    engine::PrepareDiscRun(run.record);
    if (!run.launcher.StartEngine(toolPath, arguments))
        return false;
    run.launcher.WaitForEngine(sliceMs, run.pump);
    return true;
}

void MarkDiscStepFailed(DiscRun& run)
{
    engine::StoreField(run.record.result_code, engine::kResultFailed);
}

void ShowDiscMessage(DiscRun& run, const char* key)
{
    run.dialogs.Message(lang::Text("MainDialog", key), app::Application().appName);
}

}  // namespace disc
