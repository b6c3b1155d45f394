#include "engine/ZVUtility.h"

#include "base/Transfer.h"
#include "base/UniqueFd.h"
#include "engine/KeyedStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

ZVUtility::ZVUtility() = default;
ZVUtility::~ZVUtility() = default;

namespace {

const unsigned char fourPassPattern[4] = {0x55, 0xFF, 0xAA, 0x00};
const unsigned char elevenPassPattern[11] = {0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22,
                                             0x55, 0x11, 0xFF, 0x55, 0x00};

// Blocks are whole chunks of this size, also for a small file's only one.
constexpr std::uint64_t kChunkSize = 4096;
// Writes go to the kernel a block at a time: a 4 KiB write per system call halves throughput.
constexpr std::uint64_t kPatternBlock = 1 << 20;
constexpr std::uint64_t kWritebackEvery = 8 << 20;
// How often a file that grows while it is overwritten has its new tail overwritten too.
constexpr int kGrowthRounds = 3;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
// What a pass answers, instead of an errno value, when the observer asked it to stop.
constexpr int kStopRequested = -1;
// What the read-back answers when the file does not hold what the last pass wrote.
constexpr int kReadBackDiffers = -2;
// The read-back reads this much per system call: direct reads get no read-ahead, so each
// one must be large enough to keep the device busy.
constexpr std::uint64_t kReadBackBlock = 8 << 20;
// Direct I/O alignment where the file system does not say.
constexpr std::size_t kDefaultDirectAlignment = 4096;

std::uint64_t wholeChunks(std::uint64_t bytes) {
    return (bytes + kChunkSize - 1) / kChunkSize;
}

// A block no larger than the file needs, so that a small file costs neither a megabyte of
// memory nor a megabyte of random bytes.
std::uint64_t blockFor(std::uint64_t length) {
    return std::min(wholeChunks(length) * kChunkSize, kPatternBlock);
}

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
UniqueFd openExaminedFile(int folderFd, const char* name, const struct stat& examined,
                          int* errorNumber) {
    UniqueFd fd(::openat(folderFd, name, O_RDWR | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        *errorNumber = errno;
        return fd;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) {
        *errorNumber = errno;
    } else if (!sameFile(st, examined) || !isSingleLinkRegularFile(st)) {
        *errorNumber = ESTALE;
    } else {
        return fd;
    }
    return UniqueFd();
}

// The random device for one call. The standard device is opened once per process and
// kept: a walk over many small files then costs no open and close per file for it.
struct RandomDevice {
    UniqueFd owned;
    int fd = -1;
};

RandomDevice openRandomDevice(const char* path) {
    if (std::strcmp(path, kRandomDevice) == 0) {
        static const int standard = ::open(kRandomDevice, O_RDONLY | O_CLOEXEC);
        if (standard >= 0) {
            return {UniqueFd(), standard};
        }
    }
    UniqueFd fd(::open(path, O_RDONLY | O_CLOEXEC));
    const int raw = fd.get();
    return {std::move(fd), raw};
}

// A running digest of bytes in file order, fed once as the last random pass writes them and
// once as they are read back, in blocks of any size. It catches lost, misplaced and damaged
// writes, not forgery: each 8-byte word goes through xor, rotate and multiply, all of them
// bijections, so one changed byte always changes the result. Four independent lanes let the
// multiplications overlap: over 10 GB/s, far faster than random bytes can be produced.
class StreamDigest {
public:
    void add(const unsigned char* data, std::uint64_t length) {
        length_ += length;
        if (carried_ > 0) {
            const std::size_t take = std::min<std::uint64_t>(kStripe - carried_, length);
            std::memcpy(carry_ + carried_, data, take);
            carried_ += take;
            data += take;
            length -= take;
            if (carried_ < kStripe) {
                return;
            }
            mixStripes(carry_, 1);
            carried_ = 0;
        }
        const std::uint64_t stripes = length / kStripe;
        mixStripes(data, stripes);
        data += stripes * kStripe;
        length -= stripes * kStripe;
        std::memcpy(carry_, data, length);
        carried_ = length;
    }

    std::uint64_t value() const {
        StreamDigest last = *this;
        if (last.carried_ > 0) {
            // Zeros pad the tail; the length mixed in below tells them from written zeros.
            std::memset(last.carry_ + last.carried_, 0, kStripe - last.carried_);
            last.mixStripes(last.carry_, 1);
        }
        std::uint64_t h = length_;
        for (std::uint64_t lane : last.lanes_) {
            h = (h ^ finish(lane)) * kMultiplier;
        }
        return finish(h);
    }

private:
    static constexpr std::size_t kStripe = 32;
    static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;  // odd: a bijection

    static std::uint64_t rotl(std::uint64_t x, int by) { return (x << by) | (x >> (64 - by)); }
    static std::uint64_t finish(std::uint64_t x) {
        x = (x ^ (x >> 33)) * 0xFF51AFD7ED558CCDull;
        x = (x ^ (x >> 33)) * 0xC4CEB9FE1A85EC53ull;
        return x ^ (x >> 33);
    }
    static std::uint64_t word(const unsigned char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, 8);
        return w;
    }
    // Lanes in locals, spelled out: kept in lanes_ they go through memory on every word,
    // which halves the speed.
    void mixStripes(const unsigned char* data, std::uint64_t stripes) {
        std::uint64_t a = lanes_[0], b = lanes_[1], c = lanes_[2], d = lanes_[3];
        for (; stripes > 0; --stripes, data += kStripe) {
            a = (rotl(a, 29) ^ word(data)) * kMultiplier;
            b = (rotl(b, 29) ^ word(data + 8)) * kMultiplier;
            c = (rotl(c, 29) ^ word(data + 16)) * kMultiplier;
            d = (rotl(d, 29) ^ word(data + 24)) * kMultiplier;
        }
        lanes_[0] = a;
        lanes_[1] = b;
        lanes_[2] = c;
        lanes_[3] = d;
    }

    std::uint64_t lanes_[4] = {1, 2, 3, 4};
    unsigned char carry_[kStripe] = {};
    std::size_t carried_ = 0;
    std::uint64_t length_ = 0;
};

int writeAll(int fd, const unsigned char* data, std::uint64_t bytes, std::uint64_t offset) {
    return transferFully(bytes, [&](std::uint64_t done, std::uint64_t left) {
        return ::pwrite(fd, data + done, left, static_cast<off_t>(offset + done));
    });
}

// The passes of one mode over one open file.
class PassWriter {
public:
    // A pattern pass writes one byte over and over; a random pass (no pattern) draws from
    // the stream.
    PassWriter(int fd, const unsigned char* pattern, int passes, KeyedStream* stream,
               std::uint64_t size, const OverwriteSeams& seams)
        : fd_(fd),
          pattern_(pattern),
          passes_(passes),
          stream_(stream),
          seams_(seams),
          digestLastPass_(seams.verifyLastPass && pattern == nullptr),
          block_(new unsigned char[blockFor(size)]),
          blockSize_(blockFor(size)) {}

    // Every pass over [offset, offset + length), each one reaching the device before the
    // next: without that, Linux may drop the dirty pages of a file that is unlinked next
    // and leave the old contents on the disk. Answers 0, an errno value or kStopRequested.
    int allPasses(std::uint64_t offset, std::uint64_t length) {
        passesCompleted_ = 0;
        for (int pass = 0; pass < passes_; ++pass) {
            if (int error = onePass(pass, offset, length)) {
                return error;
            }
            if (int error = seams_.syncPass ? seams_.syncPass(fd_) : syncToDevice()) {
                return error;
            }
            ++passesCompleted_;
            if (seams_.afterPass) {
                seams_.afterPass(pass, fd_);
            }
        }
        return 0;
    }
    // Whole passes of the last allPasses that reached the device.
    int passesCompleted() const { return passesCompleted_; }
    // The digest of every byte the last random pass wrote, over every call of allPasses in
    // turn: each call goes on where the one before ended. Kept only when verifying.
    std::uint64_t lastPassDigest() const { return lastPassDigest_.value(); }

private:
    int onePass(int pass, std::uint64_t offset, std::uint64_t length) {
        if (pattern_ != nullptr) {
            std::memset(block_.get(), pattern_[pass], blockSize_);
        }
        std::uint64_t sinceWriteback = 0;
        for (std::uint64_t done = 0; done < length;) {
            // Asked before every block but the very first, so that a file too small for a
            // second block always gets one whole pass before a stop can keep it.
            if (seams_.observer != nullptr && (pass > 0 || done > 0) &&
                seams_.observer->overwriteShouldStop()) {
                return kStopRequested;
            }
            const std::uint64_t bytes = std::min(blockSize_, length - done);
            if (pattern_ == nullptr) {
                if (int error = stream_->fill(block_.get(), bytes)) {
                    return error;
                }
            }
            if (int error = writeAll(fd_, block_.get(), bytes, offset + done)) {
                return error;
            }
            if (digestLastPass_ && pass == passes_ - 1) {
                lastPassDigest_.add(block_.get(), bytes);
            }
            done += bytes;
            // Start the device's writes every few megabytes instead of leaving them all to
            // the sync, so that they overlap with producing the next bytes. A device that
            // fails to take them fails the pass here, as the sync at its end would.
            if ((sinceWriteback += bytes) >= kWritebackEvery) {
                if (::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE) != 0) {
                    return errno;
                }
                sinceWriteback = 0;
            }
            if (OverwriteObserver* observer = seams_.observer) {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastReport_ >= kProgressInterval) {
                    observer->overwriteProgress(pass, passes_, done, length);
                    lastReport_ = now;
                }
            }
        }
        return 0;
    }

    int syncToDevice() const { return ::fdatasync(fd_) == 0 ? 0 : errno; }

    int fd_;
    const unsigned char* pattern_;
    int passes_;
    KeyedStream* stream_;
    const OverwriteSeams& seams_;
    const bool digestLastPass_;
    StreamDigest lastPassDigest_;
    std::unique_ptr<unsigned char[]> block_;
    const std::uint64_t blockSize_;
    int passesCompleted_ = 0;
    // The first report comes only after a while: a small file is never reported at all.
    std::chrono::steady_clock::time_point lastReport_ = std::chrono::steady_clock::now();
};

// The alignment direct reads of the file need, or 0 when its file system reads nothing
// directly.
std::size_t directReadAlignment([[maybe_unused]] int fd) {
#ifdef STATX_DIOALIGN
    struct statx sx;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_DIOALIGN, &sx) == 0 &&
        (sx.stx_mask & STATX_DIOALIGN) != 0) {
        const std::size_t align = std::max(sx.stx_dio_mem_align, sx.stx_dio_offset_align);
        return sx.stx_dio_offset_align == 0 || align > kReadBackBlock ? 0 : align;
    }
#endif
    return kDefaultDirectAlignment;
}

// Whether the `length` bytes at data are all `byte`: the first one is, and every byte equals
// the one after it.
bool holdsOnly(unsigned char byte, const unsigned char* data, std::uint64_t length) {
    return data[0] == byte && std::memcmp(data, data + 1, length - 1) == 0;
}

// How the read-back passes the page cache, which still holds what was written: with
// O_DIRECT, set on the open descriptor (reopening would need /proc), where the file system
// allows it; else the file's clean cached pages are dropped and it is read normally. The
// descriptor gets its own flags back when the read-back ends.
class PastTheCache {
public:
    explicit PastTheCache(int fd) : fd_(fd), flags_(::fcntl(fd, F_GETFL)) {
        if (flags_ < 0) {
            error_ = errno;
            return;
        }
        align_ = directReadAlignment(fd);
        direct_ = align_ != 0 && ::fcntl(fd, F_SETFL, flags_ | O_DIRECT) == 0;
        if (!direct_) {
            align_ = kDefaultDirectAlignment;
            dropCacheInstead();
        }
    }
    ~PastTheCache() { restoreFlags(); }
    PastTheCache(const PastTheCache&) = delete;
    PastTheCache& operator=(const PastTheCache&) = delete;

    // The errno value of reading the descriptor's flags, or 0.
    int error() const { return error_; }
    bool direct() const { return direct_; }
    std::size_t alignment() const { return align_; }

    // For a file system that accepted O_DIRECT from fcntl and then refuses direct reads.
    void dropCacheInstead() {
        restoreFlags();
        // Advice only, so a refusal is no failure of the file: the reads then come from the
        // cache, which holds what was written, rather than from the device. An open regular
        // file is refused only as EBADF, ESPIPE or EINVAL say, which cannot be here. The error
        // is answered, never left in errno, so nothing of it reaches the read-back's result.
        [[maybe_unused]] const int refused = ::posix_fadvise(fd_, 0, 0, POSIX_FADV_DONTNEED);
    }

private:
    // An fcntl that accepted O_DIRECT never refuses to take it away: nothing to report.
    void restoreFlags() {
        if (direct_) {
            [[maybe_unused]] const int restored = ::fcntl(fd_, F_SETFL, flags_);
            direct_ = false;
        }
    }

    const int fd_;
    const int flags_;
    int error_ = 0;
    bool direct_ = false;
    std::size_t align_ = kDefaultDirectAlignment;
};

// Reads [0, length) block by block into buffer and compares each with the pattern byte, or
// adds it to the digest for a random pass. The retries (EINTR, a direct read refused at the
// first block) and the one short block at the end of the file read best side by side.
// Answers 0, an errno value, kReadBackDiffers or kStopRequested.
int compareBlocks(int fd, PastTheCache& reads, unsigned char* buffer, std::uint64_t blockSize,
                  std::uint64_t length, const unsigned char* pattern, StreamDigest& readDigest,
                  const OverwriteSeams& seams) {
    for (std::uint64_t offset = 0; offset < length;) {
        if (offset > 0 && seams.observer != nullptr && seams.observer->overwriteShouldStop()) {
            return kStopRequested;
        }
        // Whole aligned blocks, the last one too: it comes back short at the end of the file.
        const std::uint64_t align = reads.alignment();
        const std::uint64_t want =
            std::min(blockSize, (length - offset + align - 1) / align * align);
        const ssize_t n = ::pread(fd, buffer, want, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno == EINVAL && reads.direct() && offset == 0) {
            reads.dropCacheInstead();  // accepted by fcntl, refused by the file system
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return kReadBackDiffers;  // the file ends before what was written
        }
        const std::uint64_t got = std::min(static_cast<std::uint64_t>(n), length - offset);
        if (seams.readBack) {
            seams.readBack(offset, buffer, got);
        }
        if (pattern == nullptr) {
            readDigest.add(buffer, got);
        } else if (!holdsOnly(*pattern, buffer, got)) {
            return kReadBackDiffers;
        }
        offset += got;
        if (reads.direct() && offset % align != 0 && offset < length) {
            return kReadBackDiffers;  // only the end of the file reads short
        }
    }
    return 0;
}

// Reads [0, length) of the file back from the device and compares it with what the last
// pass wrote there: the pattern byte, or for a random pass the digest of its bytes. Answers 0,
// an errno value, kReadBackDiffers or kStopRequested.
int readBackLastPass(int fd, std::uint64_t length, const unsigned char* pattern,
                     std::uint64_t digest, const OverwriteSeams& seams) {
    PastTheCache reads(fd);
    if (reads.error() != 0) {
        return reads.error();
    }
    const std::size_t align = reads.alignment();
    const std::uint64_t blockSize = std::min((length + align - 1) / align * align, kReadBackBlock);
    std::unique_ptr<unsigned char, decltype(&std::free)> buffer(
        static_cast<unsigned char*>(std::aligned_alloc(align, blockSize)), &std::free);
    if (!buffer) {
        return ENOMEM;
    }
    StreamDigest readDigest;
    int result =
        compareBlocks(fd, reads, buffer.get(), blockSize, length, pattern, readDigest, seams);
    if (result == 0 && pattern == nullptr && readDigest.value() != digest) {
        result = kReadBackDiffers;
    }
    return result;
}

// Whether `name` in the folder still shows the file examined; errno says why not.
bool nameShows(int folderFd, const std::string& name, const struct stat& examined) {
    struct stat named;
    if (::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    errno = ESTALE;
    return sameFile(named, examined);
}

}  // namespace

ShredMode shredModeFrom(std::int32_t setting) {
    switch (setting) {
        case 1:
            return ShredMode::FourPasses;
        case 2:
            return ShredMode::ElevenPasses;
        default:
            return ShredMode::RandomPass;
    }
}

OverwriteOutcome overwriteFileAt(int folderFd, const std::string& name, ShredMode mode,
                                 const OverwriteSeams& seams) {
    // Never following a link: a symbolic link is removed by the walk, its target is not ours.
    struct stat examined;
    if (::fstatat(folderFd, name.c_str(), &examined, AT_SYMLINK_NOFOLLOW) != 0) {
        return failure(errno);
    }
    return overwriteExaminedFileAt(folderFd, name, examined, mode, seams);
}

namespace {

struct PassPlan {
    const unsigned char* pattern;  // one byte per pass, or null for one random pass
    int passes;
};

PassPlan planFor(ShredMode mode) {
    switch (mode) {
        case ShredMode::FourPasses:
            return {fourPassPattern, 4};
        case ShredMode::ElevenPasses:
            return {elevenPassPattern, 11};
        case ShredMode::RandomPass:
            break;
    }
    return {nullptr, 1};
}

// The examined file open as fd, in the folder under its name.
struct OpenFile {
    int fd;
    int folderFd;
    const std::string& name;
    const struct stat& examined;
};

// Every pass over the file, and again over what was appended meanwhile, a few rounds at most.
// Answers nothing when all of it was written, covered then saying how far; else the outcome.
std::optional<OverwriteOutcome> writeAllRounds(PassWriter& writer, const OpenFile& file,
                                               std::uint64_t& covered) {
    std::uint64_t end = static_cast<std::uint64_t>(file.examined.st_size);
    for (int round = 0;; ++round) {
        if (int error = writer.allPasses(covered, end - covered)) {
            if (error != kStopRequested) {
                return failure(error);
            }
            // Everything up to `end` has had at least this round's completed passes; the walk
            // removes the name next only if it still shows the file written.
            const int completed = writer.passesCompleted();
            if (completed > 0 && !nameShows(file.folderFd, file.name, file.examined)) {
                return failure(ESTALE);
            }
            return OverwriteOutcome{completed > 0 ? end : 0, OverwriteStatus::Stopped, 0,
                                    completed};
        }
        covered = end;
        // Bytes appended while we wrote would survive the removal: overwrite them too, but
        // not for ever.
        struct stat now;
        if (::fstat(file.fd, &now) != 0) {
            return failure(errno);
        }
        if (static_cast<std::uint64_t>(now.st_size) <= covered) {
            return std::nullopt;
        }
        if (round == kGrowthRounds) {
            return refusal(OverwriteStatus::Changed);
        }
        end = static_cast<std::uint64_t>(now.st_size);
    }
}

// After every pass: the read-back when asked for, and the name checked to show the file
// written, so that the walk removes no other one.
OverwriteOutcome finished(PassWriter& writer, const OpenFile& file, const PassPlan& plan,
                          std::uint64_t covered, const OverwriteSeams& seams) {
    bool verified = false;
    if (seams.verifyLastPass) {
        const int result = readBackLastPass(
            file.fd, covered, plan.pattern != nullptr ? &plan.pattern[plan.passes - 1] : nullptr,
            plan.pattern != nullptr ? 0 : writer.lastPassDigest(), seams);
        if (result == kStopRequested) {
            // Every pass reached the device: the walk removes the name if it still shows it.
            if (!nameShows(file.folderFd, file.name, file.examined)) {
                return failure(ESTALE);
            }
            return {covered, OverwriteStatus::Stopped, 0, plan.passes};
        }
        if (result != 0) {
            return {covered, OverwriteStatus::Unverified, result == kReadBackDiffers ? 0 : result,
                    plan.passes};
        }
        verified = true;
    }
    if (!nameShows(file.folderFd, file.name, file.examined)) {
        return failure(errno);
    }
    return {covered, OverwriteStatus::Overwritten, 0, plan.passes, verified};
}

}  // namespace

struct OverwriteJob::State {
    int folderFd;
    std::string name;
    struct stat examined;
    PassPlan plan;
    OverwriteSeams seams;
    KeyedStream stream;
    UniqueFd fd;
    std::optional<OverwriteOutcome> outcome;  // set once known
};

OverwriteJob::OverwriteJob(int folderFd, const std::string& name, const struct stat& examined,
                           ShredMode mode, OverwriteSeams seams)
    : state_(new State{
          folderFd, name, examined, planFor(mode), std::move(seams), {}, UniqueFd(), {}}) {
    State& job = *state_;
    if (!isSingleLinkRegularFile(examined)) {
        // Another hard link, perhaps outside the selection, still shows this data; the
        // last name inside the selection gets overwritten when the walk reaches it.
        job.outcome = refusal(OverwriteStatus::NotOverwritable);
        return;
    }
    if (examined.st_size <= 0) {
        job.outcome = refusal(OverwriteStatus::Empty);
        return;
    }
    // Only now is the random device needed: an empty file, a link or a fifo has nothing to
    // overwrite and goes without it; a file with contents is not touched without it.
    if (job.plan.pattern == nullptr) {
        const RandomDevice random = openRandomDevice(job.seams.randomDevice);
        const int error = random.fd < 0 ? errno : job.stream.keyFromDevice(random.fd);
        if (error != 0) {
            job.outcome = OverwriteOutcome{0, OverwriteStatus::NoRandomBytes, error, 0};
            return;
        }
    }
    if (job.seams.beforeOpen) {
        job.seams.beforeOpen();
    }
    int errorNumber = 0;
    job.fd = openExaminedFile(folderFd, name.c_str(), examined, &errorNumber);
    if (job.fd.get() < 0) {
        job.outcome = failure(errorNumber);
    }
}

OverwriteJob::~OverwriteJob() = default;
OverwriteJob::OverwriteJob(OverwriteJob&&) noexcept = default;
OverwriteJob& OverwriteJob::operator=(OverwriteJob&&) noexcept = default;

void OverwriteJob::run() {
    State& job = *state_;
    if (job.outcome) {
        return;
    }
    // One descriptor for every pass: a file renamed into place meanwhile is never written.
    const OpenFile file{job.fd.get(), job.folderFd, job.name, job.examined};
    PassWriter writer(job.fd.get(), job.plan.pattern, job.plan.passes, &job.stream,
                      static_cast<std::uint64_t>(job.examined.st_size), job.seams);
    std::uint64_t covered = 0;
    if (auto ended = writeAllRounds(writer, file, covered)) {
        job.outcome = *ended;
        return;
    }
    job.outcome = finished(writer, file, job.plan, covered, job.seams);
    if (job.outcome->status == OverwriteStatus::Overwritten && ::close(job.fd.release()) != 0) {
        job.outcome = failure(errno);
    }
}

const OverwriteOutcome& OverwriteJob::outcome() const {
    static const OverwriteOutcome notRun = failure(EINVAL);
    return state_->outcome ? *state_->outcome : notRun;
}

OverwriteOutcome overwriteExaminedFileAt(int folderFd, const std::string& name,
                                         const struct stat& examined, ShredMode mode,
                                         const OverwriteSeams& seams) {
    OverwriteJob job(folderFd, name, examined, mode, seams);
    job.run();
    return job.outcome();
}

OverwriteOutcome overwriteFileExplained(const std::string& path, std::int32_t mode,
                                        const char* randomDevice) {
    OverwriteSeams seams;
    seams.randomDevice = randomDevice;
    return overwriteFileAt(AT_FDCWD, path, shredModeFrom(mode), seams);
}

std::uint64_t overwriteFile(const std::string& path, std::int32_t mode) {
    return overwriteFileExplained(path, mode).bytes;
}
