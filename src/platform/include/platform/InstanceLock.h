#pragma once
#include <functional>
#include <string>

namespace platform {

// An exclusive advisory lock on a file, held until the object is destroyed
// or the process ends. Marks the one running copy of the program.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Result { Acquired, HeldElsewhere, Unavailable };
    // Unavailable when the lock file cannot be opened at all.
    Result Acquire(const std::string& lockFilePath);
    // Like Acquire, but while another process holds the lock, asks
    // keepWaiting and tries again pollMs later; HeldElsewhere once
    // keepWaiting says no. A signal shortens the pause.
    Result AcquireWaiting(const std::string& lockFilePath, const std::function<bool()>& keepWaiting, int pollMs = 200);
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace platform
