#pragma once

#include <dirent.h>

#include <cerrno>
#include <utility>

#include "base/UniqueFd.h"

// A folder held open with one owner: its descriptor alone, or a stream over its entries,
// which then owns the descriptor. Whichever it holds is closed once, when the owner goes or
// lets go, and errno is kept across the close: a caller reading it after a failure reads why
// it failed, not how the close went.
class FolderHandle {
public:
    FolderHandle() = default;
    // The folder open as fd, for calls on its descriptor only (fstat, openat, O_PATH).
    explicit FolderHandle(UniqueFd fd) : fd_(fd.release()) {}
    // The stream opendir or fdopendir made, with the descriptor under it; null holds nothing.
    explicit FolderHandle(DIR* stream)
        : stream_(stream), fd_(stream != nullptr ? ::dirfd(stream) : -1) {}
    FolderHandle(FolderHandle&& other) noexcept
        : stream_(std::exchange(other.stream_, nullptr)), fd_(std::exchange(other.fd_, -1)) {}
    FolderHandle& operator=(FolderHandle&& other) noexcept {
        std::swap(stream_, other.stream_);
        std::swap(fd_, other.fd_);
        return *this;
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle() { reset(); }

    // The folder open as fd with a stream over its entries, which then owns fd. Empty where
    // no stream can be made: fd is closed and errno says why. A negative fd gives nothing.
    static FolderHandle withEntries(int fd) {
        UniqueFd owned(fd);
        if (owned.get() < 0) {
            return {};
        }
        DIR* stream = ::fdopendir(owned.get());
        if (stream == nullptr) {
            return {};
        }
        owned.release();
        return FolderHandle(stream);
    }

    // The descriptor, -1 when nothing is held.
    int fd() const { return fd_; }
    // The stream over the entries; null when only the descriptor is held, or nothing.
    DIR* stream() const { return stream_; }
    bool isOpen() const { return fd_ >= 0; }

    // Closes what is held, keeping errno.
    void reset() {
        const int saved = errno;
        if (stream_ != nullptr) {
            ::closedir(stream_);
        } else if (fd_ >= 0) {
            ::close(fd_);
        }
        stream_ = nullptr;
        fd_ = -1;
        errno = saved;
    }

private:
    DIR* stream_ = nullptr;
    int fd_ = -1;
};
