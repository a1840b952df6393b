#include "DiscRunFixture.h"

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
    return {launcher_, Record(), dialogs_, [this] { channel_.DispatchPending(); }};
}

}  // namespace testing_support
