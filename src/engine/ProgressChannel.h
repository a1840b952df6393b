#pragma once
// The receiving end of the progress messages for the main window: bound at
// the socket named after the record and this process, whose id goes into
// notify_window. The window watches Descriptor() and calls DispatchPending
// when it becomes readable.
#include "platform/NotifySocket.h"

#include <cstdint>
#include <functional>
#include <string>

namespace engine {

class ProgressChannel {
public:
    using Handler = std::function<void(std::int32_t stage, std::int32_t value)>;

    explicit ProgressChannel(Handler handler) : handler_(std::move(handler)) {}

    // Binds the socket for recordName and this process; false when it cannot be bound.
    bool Open(const std::string& recordName);
    void Close() { receiver_.Close(); }

    // The value for notify_window: this process's id.
    std::int32_t WindowId() const;
    // The descriptor to watch for readability; -1 while closed.
    int Descriptor() const { return receiver_.Descriptor(); }
    // Hands every waiting progress message to the handler; other messages are dropped.
    void DispatchPending();

private:
    Handler handler_;
    platform::NotifyReceiver receiver_;
};

}  // namespace engine
