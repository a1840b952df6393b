#pragma once
// Files handed from a second start of the window to the running one, over a
// Unix stream socket in the user's own folder. The sender writes each
// absolute path (UTF-8) followed by a NUL and then one more NUL; the
// receiver answers one byte once it has taken the paths, and closes.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The most a receiver reads of one message.
constexpr std::size_t kHandOverLimit = std::size_t{1} << 20;
// The receiver's answer.
constexpr char kHandOverTaken = '\x06';

// The message for paths; empty paths are left out.
std::string EncodeHandOver(const std::vector<std::string>& paths);
// The paths of a whole message, without the entries that are not absolute
// paths; nullopt while the closing NUL has not arrived.
std::optional<std::vector<std::string>> DecodeHandOver(const std::string& received);

// Sends paths to the receiver at socketPath and waits for its answer. A
// socket that is not there yet is tried again (the running copy may have just
// started), for patienceMs in all. Only a socket of this user is used.
// True once the receiver answered.
bool HandOverPaths(const std::string& socketPath, const std::vector<std::string>& paths, int patienceMs = 2000);

// The receiving end, owned by the running window.
class HandOverReceiver {
public:
    HandOverReceiver() = default;
    ~HandOverReceiver();
    HandOverReceiver(const HandOverReceiver&) = delete;
    HandOverReceiver& operator=(const HandOverReceiver&) = delete;

    // Listens at path, replacing a socket of this user left there by a copy
    // that is gone; false when something else is there or the socket cannot
    // be made. The socket file goes with the receiver.
    bool Listen(const std::string& path);
    // Readable when a sender waits; -1 when not listening.
    int Descriptor() const { return fd_; }
    // Takes one waiting sender: reads its message, waiting at most timeoutMs
    // for the rest of it, answers and closes. nullopt when none waits or the
    // message is too long or does not end in time.
    std::optional<std::vector<std::string>> TakeOne(int timeoutMs = 500);

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace platform
