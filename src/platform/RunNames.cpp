#include "platform/RunNames.h"

#include "platform/PrivateTempFolder.h"
#include "platform/SharedMemory.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <random>

namespace platform {

namespace {

constexpr char kShmFolder[] = "/dev/shm/";
constexpr char kSocketSuffix[] = ".sock";

struct RunPart {
    unsigned long uid = 0;
    long pid = 0;
};

std::optional<unsigned long> Number(std::string_view text)
{
    unsigned long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "<uid>-<pid>" or "<uid>-<pid>-<tag>" with a tag of letters and digits.
std::optional<RunPart> ParseRunPart(std::string_view text)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(dash + 1);
    const std::size_t tagDash = rest.find('-');
    if (tagDash != std::string_view::npos) {
        const std::string_view tag = rest.substr(tagDash + 1);
        if (tag.empty() || tag.find_first_not_of("0123456789abcdef") != std::string_view::npos)
            return std::nullopt;
        rest = rest.substr(0, tagDash);
    }
    const auto uid = Number(text.substr(0, dash));
    const auto pid = Number(rest);
    if (!uid || !pid || *pid == 0)
        return std::nullopt;
    return RunPart{*uid, static_cast<long>(*pid)};
}


bool OwnedByUser(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && info.st_uid == ::getuid();
}

// The run part of a record name of this user's sharedName, if name is one.
std::optional<RunPart> OwnRunPart(const std::string& sharedName, std::string_view name)
{
    const std::string prefix = sharedName + "." + std::to_string(::getuid()) + "-";
    if (name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    return ParseRunPart(name.substr(sharedName.size() + 1));
}

template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit)
{
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing))
        visit(std::string_view(entry->d_name));
    ::closedir(listing);
}

}  // namespace

std::string RunRecordName(const std::string& sharedName, int attempt)
{
    std::string name = sharedName + "." + std::to_string(::getuid()) + "-" + std::to_string(::getpid());
    if (attempt > 0) {
        static std::mt19937 random{std::random_device{}()};
        char tag[16];
        std::snprintf(tag, sizeof tag, "-%08x", static_cast<unsigned>(random()));
        name += tag;
    }
    return name;
}

std::string SharedNameOfRecord(const std::string& recordName)
{
    const std::size_t dot = recordName.rfind('.');
    if (dot == std::string::npos || dot == 0 || !ParseRunPart(std::string_view(recordName).substr(dot + 1)))
        return recordName;
    return recordName.substr(0, dot);
}

void RemoveStaleRunFiles(const std::string& sharedName)
{
    ForEachEntry(kShmFolder, [&](std::string_view name) {
        const auto run = OwnRunPart(sharedName, name);
        if (run && ProcessGone(run->pid) && OwnedByUser(kShmFolder + std::string(name)))
            SharedMemory::Unlink(std::string(name));
    });
    const std::string folder = PrivateTempFolder(sharedName);
    if (folder.empty())
        return;
    // "<record name>.<window pid>.sock": the window that bound it must be alive.
    ForEachEntry(folder, [&](std::string_view name) {
        if (name.size() <= sizeof kSocketSuffix || name.substr(name.size() + 1 - sizeof kSocketSuffix) != kSocketSuffix)
            return;
        const std::string_view stem = name.substr(0, name.size() + 1 - sizeof kSocketSuffix);
        const std::size_t dot = stem.rfind('.');
        const auto window = dot == std::string_view::npos ? std::nullopt : Number(stem.substr(dot + 1));
        if (window && OwnRunPart(sharedName, stem.substr(0, dot)) && ProcessGone(static_cast<long>(*window)))
            ::unlink((folder + std::string(name)).c_str());
    });
}

bool ProcessGone(long pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace platform
