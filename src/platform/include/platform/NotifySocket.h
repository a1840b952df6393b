#pragma once
// The progress channel from the engine tools to the main window: a Unix
// datagram socket in the private temp folder, bound by the window and named
// after the record name and the window's id (its pid). Each datagram is one
// engine::NotifyMessage.
#include "protocol/NotifyMessage.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// <private temp folder><recordName>.<notifyWindow>.sock, in the folder of the
// shared name the record name was made from; "" when there is no private
// temp folder or the path is too long for a socket.
std::string NotifySocketPath(const std::string& recordName, std::int32_t notifyWindow);

// True when path fits the address of a Unix socket.
bool FitsSocketAddress(const std::string& path);

// Sends one message without blocking; false when nobody listens or the
// receiver's queue is full (progress is then simply dropped).
bool SendNotifyMessage(const std::string& socketPath, const engine::NotifyMessage& message);

// The receiving end, owned by the main window.
class NotifyReceiver {
public:
    NotifyReceiver() = default;
    ~NotifyReceiver();
    NotifyReceiver(const NotifyReceiver&) = delete;
    NotifyReceiver& operator=(const NotifyReceiver&) = delete;

    // Binds a non-blocking socket at path, replacing a stale socket file.
    bool Bind(const std::string& path);
    void Close();
    // The descriptor to watch for readability (e.g. with a QSocketNotifier); -1 when closed.
    int Descriptor() const { return fd_; }
    // The next waiting message, if any; malformed datagrams are skipped.
    std::optional<engine::NotifyMessage> Receive();

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace platform
