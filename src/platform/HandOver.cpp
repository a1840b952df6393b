#include "platform/HandOver.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRetryMs = 100;

bool IsOwnSocket(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == ::geteuid();
}

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Send and receive calls give up when the deadline passes.
void LimitTo(int fd, Clock::time_point deadline)
{
    const int ms = MillisecondsLeft(deadline) + 1;
    const timeval limit{ms / 1000, (ms % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

sockaddr_un AddressOf(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

int ConnectToOwnSocket(const std::string& path, Clock::time_point deadline)
{
    if (!IsOwnSocket(path))
        return -1;
    const sockaddr_un address = AddressOf(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    LimitTo(fd, deadline);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const std::string& message)
{
    for (std::size_t sent = 0; sent < message.size();) {
        const ssize_t written = ::send(fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        sent += static_cast<std::size_t>(written);
    }
    return true;
}

// Removes a socket file of this user left at path by a copy that is gone;
// anything else there is left alone. True when path is free afterwards.
bool ClearStaleSocket(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    return IsOwnSocket(path) && ::unlink(path.c_str()) == 0;
}

// Reads until the empty entry that ends a message (a NUL at the start or
// right after another), looking only at what is new each time.
std::optional<std::vector<std::string>> ReceiveMessage(int fd, Clock::time_point deadline)
{
    constexpr std::string_view kEmptyEntry("\0\0", 2);
    std::string received;
    char buffer[4096];
    std::size_t searchFrom = 0;
    while (received.size() <= kHandOverLimit) {
        if (!received.empty() &&
            (received.front() == '\0' || received.find(kEmptyEntry, searchFrom) != std::string::npos))
            return DecodeHandOver(received);
        searchFrom = received.empty() ? 0 : received.size() - 1;
        pollfd readable{fd, POLLIN, 0};
        const int left = MillisecondsLeft(deadline);
        if (left == 0 || ::poll(&readable, 1, left) <= 0)
            return std::nullopt;
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            return std::nullopt;
        if (got > 0)
            received.append(buffer, static_cast<std::size_t>(got));
    }
    return std::nullopt;
}

bool ReceiveAnswer(int fd)
{
    char answer = 0;
    ssize_t got;
    while ((got = ::recv(fd, &answer, 1, 0)) < 0 && errno == EINTR) {
    }
    return got == 1 && answer == kHandOverTaken;
}

}  // namespace

std::string EncodeHandOver(const std::vector<std::string>& paths)
{
    std::string message;
    for (const std::string& path : paths)
        if (!path.empty())
            message.append(path).push_back('\0');
    message.push_back('\0');
    return message;
}

std::optional<std::vector<std::string>> DecodeHandOver(const std::string& received)
{
    std::vector<std::string> paths;
    std::size_t begin = 0;
    for (std::size_t end; (end = received.find('\0', begin)) != std::string::npos; begin = end + 1) {
        if (end == begin)
            return paths;
        if (received[begin] == '/')
            paths.push_back(received.substr(begin, end - begin));
    }
    return std::nullopt;
}

bool HandOverPaths(const std::string& socketPath, const std::vector<std::string>& paths, int patienceMs)
{
    if (socketPath.empty() || socketPath.size() >= sizeof(sockaddr_un::sun_path))
        return false;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(patienceMs);
    int fd;
    while ((fd = ConnectToOwnSocket(socketPath, deadline)) < 0) {
        if (MillisecondsLeft(deadline) == 0)
            return false;
        ::poll(nullptr, 0, std::min(kRetryMs, MillisecondsLeft(deadline)));
    }
    const bool taken = SendAll(fd, EncodeHandOver(paths)) && ReceiveAnswer(fd);
    ::close(fd);
    return taken;
}

HandOverReceiver::~HandOverReceiver()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(path_.c_str());
}

bool HandOverReceiver::Listen(const std::string& path)
{
    if (fd_ >= 0 || path.empty() || path.size() >= sizeof(sockaddr_un::sun_path) || !ClearStaleSocket(path))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const sockaddr_un address = AddressOf(path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    if (::listen(fd, 8) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return false;
    }
    fd_ = fd;
    path_ = path;
    return true;
}

std::optional<std::vector<std::string>> HandOverReceiver::TakeOne(int timeoutMs)
{
    const int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0)
        return std::nullopt;
    std::optional<std::vector<std::string>> paths =
        ReceiveMessage(connection, Clock::now() + std::chrono::milliseconds(timeoutMs));
    if (paths)
        ::send(connection, &kHandOverTaken, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    ::close(connection);
    return paths;
}

}  // namespace platform
