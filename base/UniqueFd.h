#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

// A file descriptor with one owner, closed when the owner goes.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) {
            const int saved = errno;  // a close on the way out must not hide why we left
            ::close(fd_);
            errno = saved;
        }
    }
    int get() const { return fd_; }
    // Hands the descriptor over: it is no longer closed here.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Whether two statuses are of the same file: device and inode, whatever the names.
inline bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Runs open(); when the process is out of descriptors and spare() closed one, once more.
template <typename Open, typename Spare>
int openSparingDescriptors(Open open, Spare spare) {
    const int fd = open();
    if (fd < 0 && (errno == EMFILE || errno == ENFILE) && spare()) {
        return open();
    }
    return fd;
}
