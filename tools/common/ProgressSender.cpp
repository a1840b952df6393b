#include "ProgressSender.h"

#include "platform/NotifySocket.h"
#include "protocol/NotifyMessage.h"

#include <algorithm>

namespace tools {

ProgressSender::ProgressSender(const std::string& recordName, std::int32_t notifyWindow)
    : socketPath_(platform::NotifySocketPath(recordName, notifyWindow))
{
}

void ProgressSender::Report(std::int32_t stage, std::int32_t value, bool force)
{
    auto now = std::chrono::steady_clock::now();
    if (!force && sentAny_ && now - lastSent_ < kInterval)
        return;
    lastSent_ = now;
    sentAny_ = true;
    platform::SendNotifyMessage(socketPath_, {engine::kProgressMessage, stage, value});
}

std::int32_t PercentTimes100(double done, double total)
{
    if (total <= 0)
        return 0;
    return static_cast<std::int32_t>(std::clamp(done / total * 10000.0, 0.0, 10000.0));
}

}  // namespace tools
