#include "platform/Mounts.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace platform {

namespace {

const std::set<std::string> kDiskFileSystems = {"ext2", "ext3", "ext4", "xfs",   "btrfs", "f2fs",    "jfs",
                                                "reiserfs", "vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "zfs"};

// /proc/self/mounts writes blanks and other bytes in paths as octal escapes.
std::string Unescape(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && std::isdigit(static_cast<unsigned char>(field[i + 1]))) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

}  // namespace

std::vector<std::string> LocalDiskMountPoints()
{
    std::vector<std::string> points;
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        fields >> device >> mountPoint >> type;
        if (!kDiskFileSystems.count(type))
            continue;
        std::string point = WithSlash(Unescape(mountPoint));
        if (std::find(points.begin(), points.end(), point) == points.end())
            points.push_back(point);
    }
    return points;
}

std::string MountPointOf(const std::string& path)
{
    std::error_code error;
    std::filesystem::path current = std::filesystem::canonical(path, error);
    if (error)
        return "";
    struct stat info;
    if (::stat(current.c_str(), &info) != 0)
        return "";
    const dev_t device = info.st_dev;
    while (current.has_parent_path() && current != current.root_path()) {
        std::filesystem::path parent = current.parent_path();
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != device)
            break;
        current = parent;
    }
    return WithSlash(current.string());
}

}  // namespace platform
