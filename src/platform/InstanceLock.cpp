#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

InstanceLock::Result InstanceLock::Acquire(const std::string& lockFilePath)
{
    if (fd_ >= 0)
        return Result::Acquired;
    int fd = ::open(lockFilePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        bool contended = errno == EWOULDBLOCK;
        ::close(fd);
        return contended ? Result::HeldElsewhere : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

InstanceLock::Result InstanceLock::AcquireWaiting(const std::string& lockFilePath,
                                                  const std::function<bool()>& keepWaiting, int pollMs)
{
    Result result;
    while ((result = Acquire(lockFilePath)) == Result::HeldElsewhere && keepWaiting())
        ::poll(nullptr, 0, pollMs);
    return result;
}

}  // namespace platform
