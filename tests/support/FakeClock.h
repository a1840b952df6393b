#pragma once
#include "platform/Clock.h"

namespace testing_support {

// A clock that moves only when the test says so.
class FakeClock : public platform::Clock {
public:
    std::uint64_t NowMs() const override { return now_; }
    void Advance(std::uint64_t ms) { now_ += ms; }

private:
    std::uint64_t now_ = 1000;
};

}  // namespace testing_support
