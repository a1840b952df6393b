#pragma once
// The engine plumbing for disc steps in tests, with a job whose folders lie
// in a test folder.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"
#include "engine/ToolSequence.h"

#include <functional>
#include "engine/RealEngineFixture.h"

#include <string>

namespace testing_support {

class DiscRunFixture : public RealEngineFixture {
protected:
    // What the last conversion leaves: success, no stop, the window's id.
    void ConversionSucceeded();
    disc::DiscJob Job(const std::string& shortName) const;
    // The record and dialogs for a step.
    disc::DiscRun Run();
    // Runs the step's tools one after another as the job does, calling
    // onPump while each runs; returns the step's folders.
    void RunSteps(engine::ToolSequence& steps, const std::function<void()>& onPump = [] {});
    disc::DiscState RunDvd(const disc::DiscJob& job, const disc::DvdTitleSettings& settings,
                           const std::function<void()>& onPump = [] {});
    disc::DiscState RunVcd(const disc::DiscJob& job);

    disc::DiscState state_;
};

}  // namespace testing_support
