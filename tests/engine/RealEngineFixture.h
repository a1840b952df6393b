#pragma once
// The engine plumbing of a main window around the real tools of the build:
// the record open, the progress channel bound and collecting, a launcher on
// the real clock, the shipped profile catalogue, and conversions started the
// way the conversion job starts them.
#include "app/Application.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/ProgressChannel.h"
#include "engine/SourceItem.h"
#include "platform/Clock.h"
#include "profiles/ProfileCatalogue.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A 160x120, 25 fps test picture with a 440 Hz tone, made by ffmpeg.
void MakeTestClip(const std::string& path, int seconds);

class RealEngineFixture : public ::testing::Test {
protected:
    RealEngineFixture();
    ~RealEngineFixture() override;

    engine::EngineRecord& Record() { return *block_.Data(); }

    // The source as the program adds it: probed by the real encoder.
    engine::SourceItem Probed(const std::string& path);

    // The catalogue slot of the shipped profile shortName; fails the test when there is none.
    int SlotOf(const std::string& shortName) const;
    // Prepares the record for a conversion of source and starts the encoder
    // with the arguments expanded from the profile in slot, writing output.
    void StartConversion(int slot, const engine::SourceItem& source, const std::string& output);
    // Waits for the tool started last, handing on progress and calling onPump at every pump.
    void WaitForTool(const std::function<void()>& onPump = [] {});

    // What the tool started last wrote to its log.
    std::string ToolLog() const;
    // The stages of the progress messages that arrived.
    std::set<std::int32_t> Stages() const;

    TestFolder folder_;
    app::ApplicationValues savedApplication_;
    RecordingDialogs dialogs_;
    platform::SteadyClock clock_;
    engine::EngineStatusBlock block_;
    engine::EngineLauncher launcher_{block_, dialogs_, clock_};
    std::vector<std::pair<std::int32_t, std::int32_t>> progress_;
    engine::ProgressChannel channel_;
    profiles::ProfileCatalogue catalogue_;
};

}  // namespace testing_support
