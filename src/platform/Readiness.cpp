#include "platform/Readiness.h"

#include <poll.h>

#include <vector>

namespace platform {

void WaitForReadable(std::initializer_list<int> descriptors, int timeoutMs)
{
    std::vector<pollfd> watched;
    for (int descriptor : descriptors)
        watched.push_back({descriptor, POLLIN, 0});
    ::poll(watched.data(), watched.size(), timeoutMs);
}

}  // namespace platform
