#pragma once
// The first thing a job does, before it probes or converts anything: the
// output folder is made when missing and must take new files; partial
// files that killed runs left in it are cleared away.
#include "app/Notice.h"

#include <cstdint>
#include <string>

namespace engine {

// Free bytes below which the output folder's disk counts as full.
inline constexpr std::uint64_t kLeastFreeBytes = 16u << 20;

// Success, or OutputFolderUnusable naming the folder and the system's reason
// (strerror text): it cannot be created, is no folder, cannot be written,
// or its disk is full.
app::Outcome CheckOutputFolder(const std::string& folder);

// CheckOutputFolder, then RemoveAbandonedPartials on success.
app::Outcome PrepareOutputFolder(const std::string& folder);

}  // namespace engine
