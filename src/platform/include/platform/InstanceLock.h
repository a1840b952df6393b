#pragma once
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
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace platform
