#pragma once
// A named POSIX shared-memory segment ("/" + name), mode 0600.
#include <cstddef>
#include <string>

namespace platform {

class SharedMemory {
public:
    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Creates a new segment, sizes and maps it whole. Fails when the name
    // exists already, whoever made it, so nobody else's segment is ever used.
    bool Create(const std::string& name, std::size_t size);
    // Maps an existing segment of this user; fails when it is missing,
    // smaller than size or made by another user.
    bool Open(const std::string& name, std::size_t size);
    // Unmaps; the segment itself lives on until Unlink.
    void Close();
    // Removes the name; mappings that exist stay valid.
    static void Unlink(const std::string& name);

    void* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    bool IsOpen() const { return data_ != nullptr; }
    // The errno of the last failed Create or Open (EEXIST: the name is taken).
    int Error() const { return error_; }

private:
    bool Map(int fd, std::size_t size);

    void* data_ = nullptr;
    std::size_t size_ = 0;
    int error_ = 0;
};

}  // namespace platform
