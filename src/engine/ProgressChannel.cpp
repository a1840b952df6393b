#include "ProgressChannel.h"

#include "platform/ChildProcess.h"
#include "protocol/NotifyMessage.h"

namespace engine {

bool ProgressChannel::Open(const std::string& recordName)
{
    return receiver_.Bind(platform::NotifySocketPath(recordName, WindowId()));
}

std::int32_t ProgressChannel::WindowId() const
{
    return platform::CurrentProcessId();
}

void ProgressChannel::DispatchPending()
{
    while (auto message = receiver_.Receive()) {
        if (message->message == kProgressMessage)
            handler_(message->wParam, message->lParam);
    }
}

}  // namespace engine
