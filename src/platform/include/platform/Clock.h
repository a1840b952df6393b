#pragma once
#include <cstdint>

namespace platform {

// Milliseconds from an arbitrary start; never goes backwards.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t NowMs() const = 0;
};

class SteadyClock : public Clock {
public:
    std::uint64_t NowMs() const override;
};

}  // namespace platform
