#pragma once
// Sends progress messages to the window named in the record, a few times a
// second at most.
#include <chrono>
#include <cstdint>
#include <string>

namespace tools {

class ProgressSender {
public:
    ProgressSender(const std::string& recordName, std::int32_t notifyWindow);

    // Sends (stage, value) unless the last message went out less than the
    // interval ago; `force` sends regardless (the final 100 %).
    void Report(std::int32_t stage, std::int32_t value, bool force = false);

    static constexpr std::chrono::milliseconds kInterval{250};

private:
    std::string socketPath_;
    std::chrono::steady_clock::time_point lastSent_{};
    bool sentAny_ = false;
};

// percent × 100 of done/total, held within 0 … 10000; 0 when total is 0.
std::int32_t PercentTimes100(double done, double total);

}  // namespace tools
