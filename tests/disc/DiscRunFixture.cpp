#include "DiscRunFixture.h"

#include "disc/DvdAuthoring.h"
#include "disc/VcdImaging.h"
#include "protocol/EngineRecord.h"

namespace testing_support {

void DiscRunFixture::ConversionSucceeded()
{
    engine::PrepareConversionRun(Record(), channel_.WindowId(), 0, 2);
    engine::StoreField(Record().result_code, engine::kResultSuccess);
}

disc::DiscJob DiscRunFixture::Job(const std::string& shortName) const
{
    disc::DiscJob job;
    job.profileShortName = shortName;
    job.outputFolder = folder_.Path() + "Out/";
    job.discLabel = "MyDisc";
    job.workingFolder = folder_.Path() + "work/__tempFolder__/";
    job.recordName = block_.Name();
    return job;
}

disc::DiscRun DiscRunFixture::Run()
{
    return {Record(), dialogs_};
}

void DiscRunFixture::RunSteps(engine::ToolSequence& steps, const std::function<void()>& onPump)
{
    while (std::optional<engine::ToolCommand> command = steps.Next()) {
        engine::PrepareDiscRun(Record());
        if (launcher_.StartEngine(command->path, command->arguments))
            WaitForTool(onPump);
    }
}

disc::DiscState DiscRunFixture::RunDvd(const disc::DiscJob& job, const disc::DvdTitleSettings& settings,
                                       const std::function<void()>& onPump)
{
    disc::DvdAuthoring steps(job, settings, Run());
    RunSteps(steps, onPump);
    return steps.State();
}

disc::DiscState DiscRunFixture::RunVcd(const disc::DiscJob& job)
{
    disc::VcdImaging steps(job, Run());
    RunSteps(steps);
    return steps.State();
}

}  // namespace testing_support
