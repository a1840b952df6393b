#include "DiscRunFixture.h"

#include "engine/EngineRecord.h"

#include <unistd.h>

namespace testing_support {

DiscRunFixture::DiscRunFixture()
    : savedApplication_(app::Application()),
      channel_([this](std::int32_t stage, std::int32_t value) { progress_.emplace_back(stage, value); })
{
    app::Application().appName = "Diziv Disc Test";
    app::Application().appSharedName = "Diziv_Disc_Test_" + std::to_string(::getpid());
    app::Application().programDirectory = PROGRAM_DIR;
    EXPECT_EQ(block_.Open(app::Application().appSharedName, 0), 1);
    EXPECT_TRUE(channel_.Open(block_.Name()));
}

DiscRunFixture::~DiscRunFixture()
{
    app::Application() = savedApplication_;
}

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

std::set<std::int32_t> DiscRunFixture::Stages() const
{
    std::set<std::int32_t> stages;
    for (const auto& message : progress_)
        stages.insert(message.first);
    return stages;
}

}  // namespace testing_support
