#include "RealEngineFixture.h"

#include "AvmRunner.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "engine/EngineArguments.h"
#include "engine/MediaProbe.h"
#include "engine/OutputNaming.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace testing_support {

void MakeTestClip(const std::string& path, int seconds)
{
    const std::string duration = ":duration=" + std::to_string(seconds);
    avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25" + duration, "-f", "lavfi", "-i",
                        "sine=frequency=440" + duration, "-c:v", "mpeg4", "-c:a", "mp2", path});
}

RealEngineFixture::RealEngineFixture()
    : savedApplication_(app::Application()),
      channel_([this](std::int32_t stage, std::int32_t value) { progress_.emplace_back(stage, value); })
{
    app::Application().appName = "Diziv Engine Test";
    app::Application().appSharedName = "Diziv_Engine_Test_" + std::to_string(::getpid());
    app::Application().programDirectory = PROGRAM_DIR;
    EXPECT_EQ(block_.Open(app::Application().appSharedName, 0), 1);
    EXPECT_TRUE(channel_.Open(block_.Name()));
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, app::ProgramDirectory() + "dsp_data.dll",
                                             folder_.Path() + "dsp_datas.bin"),
              "");
}

RealEngineFixture::~RealEngineFixture()
{
    app::Application() = savedApplication_;
}

engine::SourceItem RealEngineFixture::Probed(const std::string& path)
{
    engine::MediaProbe probe(block_, launcher_, dialogs_, channel_.WindowId());
    std::optional<engine::SourceItem> item =
        probe.ProbeSource(path, app::DecodeEngine::BuiltIn, [this] { channel_.DispatchPending(); });
    EXPECT_TRUE(item) << path << " did not probe";
    return item.value_or(engine::SourceItem{});
}

int RealEngineFixture::SlotOf(const std::string& shortName) const
{
    for (int slot = 0; slot < catalogue_.Count(); ++slot)
        if (catalogue_.Profile(slot)->profile_shortname == shortName)
            return slot;
    ADD_FAILURE() << "no shipped profile " << shortName;
    return -1;
}

void RealEngineFixture::StartConversion(int slot, const engine::SourceItem& source, const std::string& output)
{
    const profiles::OutputProfile* profile = catalogue_.Profile(slot);
    ASSERT_NE(profile, nullptr);
    engine::PrepareConversionRun(Record(), channel_.WindowId(), 0, source.trimEnd - source.trimStart);
    const engine::Arguments arguments = engine::BuildEngineArguments(
        {source, *profile, *catalogue_.Choice(slot), app::DecodeEngine::Auto, app::VolumeRow{}, block_.Name(), output,
         engine::ExtensionOf(output), std::nullopt});
    ASSERT_TRUE(launcher_.StartEngine(engine::EncoderPath(), arguments)) << engine::CommandText(arguments);
}

void RealEngineFixture::WaitForTool(const std::function<void()>& onPump)
{
    launcher_.WaitForEngine(20, [&] {
        channel_.DispatchPending();
        onPump();
    });
    channel_.DispatchPending();
}

std::string RealEngineFixture::ToolLog() const
{
    std::ifstream log(launcher_.LogPath());
    return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
}

std::set<std::int32_t> RealEngineFixture::Stages() const
{
    std::set<std::int32_t> stages;
    for (const auto& message : progress_)
        stages.insert(message.first);
    return stages;
}

}  // namespace testing_support
