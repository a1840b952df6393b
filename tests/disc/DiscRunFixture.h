#pragma once
// The engine plumbing for disc steps in tests, with a job whose folders lie
// in a test folder.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"
#include "engine/RealEngineFixture.h"

#include <string>

namespace testing_support {

class DiscRunFixture : public RealEngineFixture {
protected:
    // What the last conversion leaves: success, no stop, the window's id.
    void ConversionSucceeded();
    disc::DiscJob Job(const std::string& shortName) const;
    // The tools, record and dialogs for a step; the pump hands on progress.
    disc::DiscRun Run();

    disc::DiscState state_;
};

}  // namespace testing_support
