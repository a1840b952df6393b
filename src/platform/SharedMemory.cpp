#include "platform/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

std::string SegmentName(const std::string& name)
{
    return "/" + name;
}

}  // namespace

SharedMemory::~SharedMemory()
{
    Close();
}

bool SharedMemory::Create(const std::string& name, std::size_t size)
{
    Close();
    int fd = ::shm_open(SegmentName(name).c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        error_ = errno;
        ::close(fd);
    } else if (Map(fd, size)) {
        return true;
    }
    ::shm_unlink(SegmentName(name).c_str());
    return false;
}

bool SharedMemory::Open(const std::string& name, std::size_t size)
{
    Close();
    int fd = ::shm_open(SegmentName(name).c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0)
        error_ = errno;
    else if (info.st_uid != ::getuid())
        error_ = EACCES;
    else if (static_cast<std::size_t>(info.st_size) < size)
        error_ = EINVAL;
    else
        return Map(fd, size);
    ::close(fd);
    return false;
}

bool SharedMemory::Map(int fd, std::size_t size)
{
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    error_ = data == MAP_FAILED ? errno : 0;
    ::close(fd);
    if (data == MAP_FAILED)
        return false;
    data_ = data;
    size_ = size;
    return true;
}

void SharedMemory::Close()
{
    if (data_)
        ::munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

void SharedMemory::Unlink(const std::string& name)
{
    ::shm_unlink(SegmentName(name).c_str());
}

}  // namespace platform
