#include "platform/Readiness.h"

#include <poll.h>

namespace platform {

void WaitForReadable(const std::vector<int>& descriptors, int timeoutMs)
{
    std::vector<pollfd> watched;
    for (int descriptor : descriptors)
        watched.push_back({descriptor, POLLIN, 0});
    ::poll(watched.data(), watched.size(), timeoutMs);
}

void WaitForReadable(std::initializer_list<int> descriptors, int timeoutMs)
{
    WaitForReadable(std::vector<int>(descriptors), timeoutMs);
}

}  // namespace platform
