#include "pictures/decoders/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pictures {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

DecodeError readAll(int fd, std::uint64_t size, std::uint64_t maxBytes,
                    std::vector<std::uint8_t>& bytes) {
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // The file may have grown since fstat: keep reading, within the limit.
            if (bytes.size() > maxBytes) {
                return DecodeError::FileTooLarge;
            }
            bytes.resize(bytes.size() + 4096);
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return DecodeError::CannotOpen;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes.size() > maxBytes ? DecodeError::FileTooLarge : DecodeError::Ok;
}

}  // namespace

DecodeError readFileBytes(const std::string& path, std::uint64_t maxBytes,
                          std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path.empty()) {
        return DecodeError::EmptySource;
    }
    // Looked at before opening, so that devices are never opened at all; checked again on
    // the open file in case the path changed in between.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return DecodeError::CannotOpen;
    }
    if (!S_ISREG(status.st_mode)) {
        return DecodeError::NotRegularFile;
    }
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return DecodeError::CannotOpen;
    }
    if (::fstat(file.get(), &status) != 0) {
        return DecodeError::CannotOpen;
    }
    if (!S_ISREG(status.st_mode)) {
        return DecodeError::NotRegularFile;
    }
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        return DecodeError::FileTooLarge;
    }
    return readAll(file.get(), static_cast<std::uint64_t>(status.st_size), maxBytes, bytes);
}

}  // namespace pictures
