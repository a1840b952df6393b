#include "DiscRun.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "lang/IniTextFile.h"

namespace disc {

void MarkDiscStepFailed(DiscRun& run)
{
    engine::StoreField(run.record.result_code, engine::kResultFailed);
}

void ShowDiscMessage(DiscRun& run, const char* key)
{
    run.dialogs.Message(lang::Text("MainDialog", key), app::Application().appName);
}

bool RunSucceeded(const DiscRun& run)
{
    return engine::LoadField(run.record.abort_request) != 1 &&
           engine::LoadField(run.record.result_code) == engine::kResultSuccess;
}

}  // namespace disc
