#pragma once
// A main window's worth of engine plumbing for disc steps in tests: the
// record open, progress collected, a launcher, recorded dialogs and a job
// whose folders lie in a test folder.
#include "app/Application.h"
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/ProgressChannel.h"
#include "support/FakeClock.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class DiscRunFixture : public ::testing::Test {
protected:
    // The program directory is the build's, with the real tools.
    DiscRunFixture();
    ~DiscRunFixture() override;

    engine::EngineRecord& Record() { return *block_.Data(); }
    // What the last conversion leaves: success, no stop, the window's id.
    void ConversionSucceeded();
    disc::DiscJob Job(const std::string& shortName) const;
    // The tools, record and dialogs for a step; the pump hands on progress.
    disc::DiscRun Run();
    // The stages of the progress messages that arrived.
    std::set<std::int32_t> Stages() const;

    TestFolder folder_;
    app::ApplicationValues savedApplication_;
    RecordingDialogs dialogs_;
    FakeClock clock_;
    engine::EngineStatusBlock block_;
    engine::EngineLauncher launcher_{block_, dialogs_, clock_};
    std::vector<std::pair<std::int32_t, std::int32_t>> progress_;
    engine::ProgressChannel channel_;
    disc::DiscState state_;
};

}  // namespace testing_support
