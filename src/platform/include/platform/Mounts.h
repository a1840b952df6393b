#pragma once
// Local disks: the stand-in for drive letters. Mount points are listed in
// the order of /proc/self/mounts.
#include <string>
#include <vector>

namespace platform {

// Mount points of local disk file systems (ext4, xfs, btrfs, vfat, ...),
// each listed once, ending with '/'.
std::vector<std::string> LocalDiskMountPoints();

// The mount point of the file system that holds path (an existing path),
// ending with '/'; "" when path does not exist.
std::string MountPointOf(const std::string& path);

}  // namespace platform
