#include "platform/NotifySocket.h"

#include "platform/PrivateTempFolder.h"
#include "platform/RunNames.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

bool FitsSocketAddress(const std::string& path)
{
    return !path.empty() && path.size() < sizeof(sockaddr_un::sun_path);
}

std::string NotifySocketPath(const std::string& recordName, std::int32_t notifyWindow)
{
    std::string folder = PrivateTempFolder(SharedNameOfRecord(recordName));
    if (folder.empty())
        return "";
    std::string path = folder + recordName + "." + std::to_string(notifyWindow) + ".sock";
    return FitsSocketAddress(path) ? path : "";
}

bool SendNotifyMessage(const std::string& socketPath, const engine::NotifyMessage& message)
{
    sockaddr_un address;
    if (!FillAddress(socketPath, address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const engine::NotifyDatagram datagram = engine::EncodeNotifyMessage(message);
    ssize_t sent = ::sendto(fd, datagram.data(), sizeof datagram, MSG_DONTWAIT | MSG_NOSIGNAL,
                            reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(sizeof datagram);
}

NotifyReceiver::~NotifyReceiver()
{
    Close();
}

bool NotifyReceiver::Bind(const std::string& path)
{
    Close();
    sockaddr_un address;
    if (!FillAddress(path, address))
        return false;
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
        ::unlink(path.c_str());
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    ::chmod(path.c_str(), 0600);
    fd_ = fd;
    path_ = path;
    return true;
}

void NotifyReceiver::Close()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(path_.c_str());
    fd_ = -1;
    path_.clear();
}

std::optional<engine::NotifyMessage> NotifyReceiver::Receive()
{
    while (fd_ >= 0) {
        engine::NotifyDatagram datagram;
        // MSG_TRUNC returns the datagram's full length, so a longer one is told apart.
        ssize_t got = ::recv(fd_, datagram.data(), sizeof datagram, MSG_DONTWAIT | MSG_TRUNC);
        if (got < 0)
            return std::nullopt;
        if (got == static_cast<ssize_t>(sizeof datagram))
            return engine::DecodeNotifyMessage(datagram);
    }
    return std::nullopt;
}

}  // namespace platform
