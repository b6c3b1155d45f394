#include "ZVUtility.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <memory>

ZVUtility::ZVUtility() = default;
ZVUtility::~ZVUtility() = default;

namespace {

const unsigned char fourPassPattern[4] = {0x55, 0xFF, 0xAA, 0x00};
const unsigned char elevenPassPattern[11] = {0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22,
                                             0x55, 0x11, 0xFF, 0x55, 0x00};

constexpr std::size_t kChunkSize = 4096;
// The logical chunk stays 4096 bytes, but the streams buffer a megabyte so the kernel sees
// large writes and reads: a 4 KiB write per system call would halve the throughput.
constexpr std::size_t kStreamBufferSize = 1 << 20;
constexpr std::uint64_t kChunksPerWriteback = (8 << 20) / kChunkSize;
constexpr std::size_t kLargeRandomBlock = 8 << 20;
// Below this many chunks a block is read by one thread: a second one costs more than it saves.
constexpr std::uint64_t kChunksForTwoReaders = 64;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Stream = std::unique_ptr<std::FILE, FileCloser>;

OverwriteOutcome failure(int errorNumber) {
    return {0, OverwriteStatus::Failed, errorNumber != 0 ? errorNumber : EIO};
}

OverwriteOutcome refusal(OverwriteStatus status) {
    return {0, status, 0};
}

bool isSingleLinkRegularFile(const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_nlink == 1;
}

// Opens the very file that was examined. O_NOFOLLOW because a link swapped in since the
// status read must not lead the writes to a file outside the selection; the identity check
// because a different file renamed into place must not be written either.
int openExaminedFile(const char* path, const struct stat& examined, int* errorNumber) {
    int fd = ::open(path, O_RDWR | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *errorNumber = errno;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        *errorNumber = errno;
    } else if (st.st_dev != examined.st_dev || st.st_ino != examined.st_ino ||
               !isSingleLinkRegularFile(st)) {
        *errorNumber = ESTALE;
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

// A stream buffer no larger than the file needs, so that a small file costs neither a
// megabyte of memory nor a megabyte of random bytes read ahead.
std::size_t streamBufferSizeFor(std::int64_t size) {
    const auto chunks = (static_cast<std::uint64_t>(size) + kChunkSize - 1) / kChunkSize;
    return chunks * kChunkSize < kStreamBufferSize ? chunks * kChunkSize : kStreamBufferSize;
}

// Random bytes are made by the kernel on the reading threads; a large file gets larger
// blocks, so that the readers spend their time reading rather than starting and waiting.
std::size_t randomBlockSizeFor(std::int64_t size) {
    return size >= static_cast<std::int64_t>(kLargeRandomBlock) ? kLargeRandomBlock
                                                                : streamBufferSizeFor(size);
}

// The random device for one call. The standard device is opened once per process and
// kept: a walk over many small files then costs no open and close per file for it.
struct RandomDevice {
    int fd = -1;
    bool owned = false;
    RandomDevice() = default;
    RandomDevice(int f, bool o) : fd(f), owned(o) {}
    RandomDevice(RandomDevice&& other) noexcept : fd(other.fd), owned(other.owned) {
        other.owned = false;
    }
    RandomDevice& operator=(RandomDevice&& other) noexcept {
        std::swap(fd, other.fd);
        std::swap(owned, other.owned);
        return *this;
    }
    ~RandomDevice() {
        if (owned) {
            ::close(fd);
        }
    }
};

RandomDevice openRandomDevice(const char* path) {
    if (std::strcmp(path, kRandomDevice) == 0) {
        static const int standard = ::open(kRandomDevice, O_RDONLY | O_CLOEXEC);
        if (standard >= 0) {
            return {standard, false};
        }
    }
    return {::open(path, O_RDONLY | O_CLOEXEC), true};
}

struct PassBuffers {
    explicit PassBuffers(std::size_t size) : targetBufferSize(size), targetBuffer(new char[size]) {}
    unsigned char chunk[kChunkSize];
    std::size_t targetBufferSize;
    std::unique_ptr<char[]> targetBuffer;
};

// Random bytes for the chunks of one pass, read from the random device a block at a time.
// In a file larger than one block the next block is read on a second thread while this
// one is written, so that reading the device and writing the file overlap instead of
// taking turns; a small file is read in place, without a thread.
class RandomChunks {
public:
    RandomChunks(int device, std::int64_t size, std::size_t blockBytes)
        : device_(device),
          chunksLeft_((static_cast<std::uint64_t>(size) + kChunkSize - 1) / kChunkSize),
          chunksPerBlock_(blockBytes / kChunkSize),
          blocks_{std::unique_ptr<unsigned char[]>(new unsigned char[blockBytes]),
                  std::unique_ptr<unsigned char[]>(new unsigned char[blockBytes])} {
        const std::uint64_t first = takeChunks();
        error_ = fill(0, first);
        inBlock_ = first;
        prefetch();
    }

    // The next chunk's random bytes, or null when the device failed (see error()).
    const unsigned char* next() {
        if (position_ == inBlock_) {
            if (!pending_.valid()) {
                error_ = EIO;
                return nullptr;
            }
            error_ = pending_.get();
            current_ ^= 1;
            position_ = 0;
            inBlock_ = pendingChunks_;
            prefetch();
        }
        if (error_ != 0) {
            return nullptr;
        }
        return blocks_[current_].get() + kChunkSize * position_++;
    }
    int error() const { return error_; }

private:
    std::uint64_t takeChunks() {
        const std::uint64_t n = chunksLeft_ < chunksPerBlock_ ? chunksLeft_ : chunksPerBlock_;
        chunksLeft_ -= n;
        return n;
    }
    void prefetch() {
        if (chunksLeft_ == 0 || error_ != 0) {
            return;
        }
        pendingChunks_ = takeChunks();
        pending_ = std::async(std::launch::async, [this, block = current_ ^ 1, n = pendingChunks_] {
            return fill(block, n);
        });
    }
    int fill(int block, std::uint64_t chunks) {
        unsigned char* start = blocks_[block].get();
        const std::size_t bytes = kChunkSize * chunks;
        if (chunks < kChunksForTwoReaders) {
            return readFully(start, bytes);
        }
        // The kernel's generator runs on the reading thread: two readers on two halves
        // make the bytes about twice as fast as one.
        const std::size_t half = kChunkSize * (chunks / 2);
        auto other = std::async(std::launch::async,
                                [this, start, half] { return readFully(start, half); });
        const int mine = readFully(start + half, bytes - half);
        const int theirs = other.get();
        return theirs != 0 ? theirs : mine;
    }
    // Reads exactly bytes from the device; a read cut short by a signal goes on where it
    // stopped, and a short read at the end is an error, never stale bytes counted as random.
    int readFully(unsigned char* into, std::size_t bytes) const {
        const int fd = device_;
        while (bytes > 0) {
            const ssize_t n = ::read(fd, into, bytes);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return n < 0 ? errno : EIO;
            }
            into += n;
            bytes -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    int device_;
    std::uint64_t chunksLeft_;
    std::uint64_t chunksPerBlock_;
    std::unique_ptr<unsigned char[]> blocks_[2];
    int current_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t inBlock_ = 0;
    std::uint64_t pendingChunks_ = 0;
    int error_ = 0;
    std::future<int> pending_;  // last member: joined before the blocks go
};

// Writes size bytes from offset 0 through a buffered stream, refilling the chunk from the
// random stream before every write when there is one, and makes the pass reach the device
// before returning: without fdatasync, Linux may drop the dirty pages of a file that is
// unlinked next and leave the old contents on the disk. Returns 0 or an errno value.
int writePass(const char* path, const struct stat& examined, std::int64_t size,
              int randomDevice, PassBuffers& buffers) {
    int errorNumber = 0;
    int fd = openExaminedFile(path, examined, &errorNumber);
    if (fd < 0) {
        return errorNumber;
    }
    Stream target(::fdopen(fd, "r+b"));
    if (!target) {
        errorNumber = errno;
        ::close(fd);
        return errorNumber;
    }
    std::setvbuf(target.get(), buffers.targetBuffer.get(), _IOFBF, buffers.targetBufferSize);

    std::uint64_t chunksWritten = 0;
    std::unique_ptr<RandomChunks> random;
    if (randomDevice >= 0) {
        random = std::make_unique<RandomChunks>(randomDevice, size, randomBlockSizeFor(size));
    }
    for (std::int64_t remaining = size; remaining > 0; remaining -= kChunkSize) {
        const unsigned char* chunk = buffers.chunk;
        if (random && (chunk = random->next()) == nullptr) {
            return random->error();
        }
        const std::size_t length = remaining < static_cast<std::int64_t>(kChunkSize)
                                       ? static_cast<std::size_t>(remaining)
                                       : kChunkSize;
        errno = 0;
        if (std::fwrite(chunk, 1, length, target.get()) != length) {
            return errno != 0 ? errno : EIO;
        }
        // Start the device's writes every few megabytes instead of leaving them all to the
        // final sync, so that they overlap with producing the next bytes.
        if (++chunksWritten % kChunksPerWriteback == 0) {
            if (std::fflush(target.get()) != 0) {
                return errno != 0 ? errno : EIO;
            }
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
        }
    }
    errno = 0;
    if (std::fflush(target.get()) != 0) {
        return errno != 0 ? errno : EIO;
    }
    if (::fdatasync(fd) != 0) {
        return errno;
    }
    std::FILE* stream = target.release();
    if (std::fclose(stream) != 0) {
        return errno != 0 ? errno : EIO;
    }
    return 0;
}

}  // namespace

OverwriteOutcome overwriteFileExplained(const std::string& path, std::int32_t mode,
                                        const char* randomDevice) {
    const char* cpath = path.c_str();
    const std::uint32_t kind = static_cast<std::uint32_t>(mode);
    const unsigned char* pattern = nullptr;
    int passes = 1;
    if (kind == 1) {
        pattern = fourPassPattern;
        passes = 4;
    } else if (kind == 2) {
        pattern = elevenPassPattern;
        passes = 11;
    }

    // The random device is opened before the target is examined: without it nothing of
    // the run's files is touched.
    RandomDevice random;
    if (pattern == nullptr) {
        random = openRandomDevice(randomDevice);
        if (random.fd < 0) {
            return failure(errno);
        }
    }

    // lstat, never stat: a symbolic link is removed by the walk, its target is not ours.
    struct stat examined;
    if (::lstat(cpath, &examined) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(examined.st_mode) || examined.st_nlink != 1) {
        // Another hard link, perhaps outside the selection, still shows this data; the
        // last name inside the selection gets overwritten when the walk reaches it.
        return refusal(OverwriteStatus::NotOverwritable);
    }
    const std::int64_t size = examined.st_size;
    if (size <= 0) {
        return refusal(OverwriteStatus::Empty);
    }

    PassBuffers buffers(streamBufferSizeFor(size));
    for (int pass = 0; pass < passes; ++pass) {
        if (pattern != nullptr) {
            std::memset(buffers.chunk, pattern[pass], kChunkSize);
        }
        if (int errorNumber = writePass(cpath, examined, size, random.fd, buffers)) {
            return failure(errorNumber);
        }
    }
    return {static_cast<std::uint64_t>(size), OverwriteStatus::Overwritten, 0};
}

std::uint64_t overwriteFile(const std::string& path, std::int32_t mode) {
    return overwriteFileExplained(path, mode).bytes;
}
