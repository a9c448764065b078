#pragma once

#include <unistd.h>

#include <utility>

namespace notes {

/// Owns an open POSIX file descriptor and closes it when dropped. -1 owns nothing.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) noexcept : fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.fd, -1));
        return *this;
    }
    ~FileDescriptor() { reset(); }

    [[nodiscard]] int get() const noexcept { return fd; }
    explicit operator bool() const noexcept { return fd >= 0; }

    /// Closes the descriptor now and reports whether that worked: a failed close can be the
    /// first sign that written data did not reach the disk.
    bool close() noexcept {
        if (fd < 0)
            return true;
        return ::close(std::exchange(fd, -1)) == 0;
    }

private:
    void reset(int replacement = -1) noexcept {
        if (fd >= 0)
            ::close(fd);
        fd = replacement;
    }

    int fd = -1;
};

} // namespace notes
