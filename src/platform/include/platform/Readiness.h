#pragma once
// Waiting for descriptors without an event loop of one's own.
#include <initializer_list>
#include <vector>

namespace platform {

// Returns when one of descriptors is readable, a signal arrives or
// timeoutMs has passed; negative descriptors are left out.
void WaitForReadable(std::initializer_list<int> descriptors, int timeoutMs);
void WaitForReadable(const std::vector<int>& descriptors, int timeoutMs);

}  // namespace platform
