#include "platform/posix/FreeSpaceFill.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <future>
#include <memory>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#include "base/UniqueFd.h"
#include "platform/posix/FreeSpaceMap.h"
#include "platform/posix/StorageCheck.h"

namespace {

using Clock = std::chrono::steady_clock;

// Large writes past the page cache run at the disk's speed with one core to spare for the
// random stream; past the first "full", halving them reaches the small free extents too.
constexpr std::size_t kLargeWrite = 4 << 20;
// Where writes go through the page cache, dirty pages are pushed out as they come, so that
// the final sync, while the disk is full, is short.
constexpr std::uint64_t kSyncEvery = 64 << 20;
constexpr std::uint64_t kMeasureLimit = 64 << 20;
// How often the free space left is looked at, and how little of it is left when the fill so
// far is committed.
constexpr std::uint64_t kCommitCheckEvery = 64 << 20;
constexpr std::uint64_t kCommitBefore = 512 << 20;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
// ext4 keeps a small file's data inside its inode when it was made with inline_data.
constexpr int kInlineDataFlag = 0x10000000;
// Descriptors left for everything else while inodes are being filled.
constexpr rlim_t kSpareDescriptors = 64;
// How often the fill starts again beside what stayed free, while that reaches more.
constexpr int kFillsAgain = 3;

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<unsigned char, FreeDeleter>;

Buffer alignedBuffer(std::size_t bytes) {
    void* memory = nullptr;
    return Buffer(::posix_memalign(&memory, 4096, bytes) == 0 ? static_cast<unsigned char*>(memory)
                                                              : nullptr);
}

// The files of one fill. Each is unnamed from the start (O_TMPFILE) where the file system
// allows it, so that however the process ends, the kernel gives their space back; elsewhere
// each is made in a private folder and its name removed at once.
class FillFiles {
public:
    explicit FillFiles(int folderFd) : folderFd_(folderFd) {}
    ~FillFiles() {
        closeAll();
        if (privateFolder_.get() >= 0) {
            ::unlinkat(folderFd_, privateName_.c_str(), AT_REMOVEDIR);
        }
    }
    FillFiles(const FillFiles&) = delete;
    FillFiles& operator=(const FillFiles&) = delete;

    // A new empty file of the fill, written past the page cache when direct and allowed: its
    // descriptor, or -1 with errno set.
    int add(bool direct, bool& isDirect) {
        const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW;
        UniqueFd fd;
        isDirect = false;
        // Past the page cache where asked and allowed; where refused (EINVAL), through it.
        for (const bool tryDirect : {direct, false}) {
            fd = named_ ? makeNamed(flags | (tryDirect ? O_DIRECT : 0))
                        : UniqueFd(::openat(folderFd_, ".",
                                            flags | O_TMPFILE | (tryDirect ? O_DIRECT : 0), 0600));
            if (fd.get() < 0 && !named_ && (errno == EOPNOTSUPP || errno == EISDIR)) {
                named_ = true;  // no unnamed files here
                fd = makeNamed(flags | (tryDirect ? O_DIRECT : 0));
            }
            if (fd.get() >= 0) {
                isDirect = tryDirect;
                break;
            }
            if (errno != EINVAL || !tryDirect) {
                return -1;
            }
        }
        files_.push_back(std::move(fd));
        return files_.back().get();
    }
    // An empty file that keeps its inode without a descriptor: named in the private folder
    // until the fill ends. For inodes past what descriptors allow.
    bool addKeptName() {
        UniqueFd fd = makeNamed(O_RDONLY | O_CLOEXEC, false);
        if (fd.get() < 0) {
            return false;
        }
        kept_.push_back(made_ - 1);
        return true;
    }
    // Lets go of the last few files made, so that their inodes are free for the files to come.
    bool releaseLast(std::size_t count) {
        const std::size_t before = kept_.size() + files_.size();
        for (; count > 0 && !kept_.empty(); --count) {
            ::unlinkat(privateFolder_.get(), std::to_string(kept_.back()).c_str(), 0);
            kept_.pop_back();
        }
        for (; count > 0 && !files_.empty(); --count) {
            files_.pop_back();
        }
        return kept_.size() + files_.size() < before;
    }
    bool named() const { return named_ || made_ > 0; }
    std::size_t count() const { return files_.size(); }
    std::vector<int> descriptors() const {
        std::vector<int> fds;
        for (const UniqueFd& fd : files_) fds.push_back(fd.get());
        return fds;
    }
    // Gives every byte back: the files have no names, so closing them frees them.
    void closeAll() {
        files_.clear();
        for (const std::uint64_t name : kept_) {
            ::unlinkat(privateFolder_.get(), std::to_string(name).c_str(), 0);
        }
        kept_.clear();
    }

private:
    UniqueFd makeNamed(int flags, bool removeName = true) {
        if (privateFolder_.get() < 0) {
            std::random_device seed;
            for (int attempt = 0; attempt < 100 && privateFolder_.get() < 0; ++attempt) {
                privateName_ = ".zurizede-fill-" + std::to_string(seed());
                if (::mkdirat(folderFd_, privateName_.c_str(), 0700) == 0) {
                    privateFolder_ =
                        UniqueFd(::openat(folderFd_, privateName_.c_str(),
                                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
                    if (privateFolder_.get() < 0) {
                        ::unlinkat(folderFd_, privateName_.c_str(), AT_REMOVEDIR);
                        return UniqueFd();
                    }
                } else if (errno != EEXIST) {
                    return UniqueFd();
                }
            }
            if (privateFolder_.get() < 0) {
                return UniqueFd();
            }
        }
        const std::string name = std::to_string(made_++);
        UniqueFd fd(::openat(privateFolder_.get(), name.c_str(), flags | O_CREAT | O_EXCL, 0600));
        if (fd.get() >= 0 && removeName) {
            ::unlinkat(privateFolder_.get(), name.c_str(), 0);
        }
        return fd;
    }

    int folderFd_;
    bool named_ = false;
    UniqueFd privateFolder_;
    std::string privateName_;
    std::vector<UniqueFd> files_;
    std::uint64_t made_ = 0;           // named files made so far, each named by its number
    std::vector<std::uint64_t> kept_;  // of those, the ones whose names stay until the end
};

int writeSome(int fd, const unsigned char* data, std::size_t bytes, std::uint64_t offset,
              std::size_t& written) {
    for (;;) {
        const ssize_t n = ::pwrite(fd, data, bytes, static_cast<off_t>(offset));
        if (n > 0) {
            written = static_cast<std::size_t>(n);
            return 0;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n < 0 ? errno : ENOSPC;
    }
}

// The fill's random blocks, the next one made on a thread of its own while the last one is
// written: a core makes the stream about as fast as a disk takes it, so they go together.
class RandomBlocks {
public:
    explicit RandomBlocks(const RandomBytes& random)
        : random_(random), blocks_{alignedBuffer(kLargeWrite), alignedBuffer(kLargeWrite)} {
        if (allocated()) {
            making_ = later(0);
        }
    }
    ~RandomBlocks() {
        if (making_.valid()) {
            making_.wait();
        }
    }
    bool allocated() const { return blocks_[0] && blocks_[1]; }
    // A block of kLargeWrite random bytes, valid until the next call; null on an error.
    const unsigned char* next() {
        error_ = making_.valid() ? making_.get() : EAGAIN;
        if (error_ != 0) {
            return nullptr;
        }
        const int ready = current_;
        current_ = 1 - current_;
        making_ = later(current_);
        return blocks_[ready].get();
    }
    int error() const { return error_; }

private:
    int make(int which) { return random_(blocks_[which].get(), kLargeWrite); }
    // The block made on a thread of its own; where no thread can be had, made here.
    std::future<int> later(int which) {
        try {
            return std::async(std::launch::async, [this, which] { return make(which); });
        } catch (const std::system_error&) {
            std::promise<int> now;
            now.set_value(make(which));
            return now.get_future();
        }
    }

    const RandomBytes& random_;
    Buffer blocks_[2];
    int current_ = 0;
    int error_ = 0;
    std::future<int> making_;
};

// The free space this process may still fill.
std::uint64_t freeLeft(int fd) {
    struct statvfs fs;
    if (::fstatvfs(fd, &fs) != 0) {
        return UINT64_MAX;
    }
    return (::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) * fs.f_frsize;
}

// The largest power of two no greater than the free space this process may still fill.
std::size_t largestFitting(int fd) {
    const std::uint64_t left = freeLeft(fd);
    std::size_t size = 1;
    while (size * 2 <= left && size < kLargeWrite) {
        size *= 2;
    }
    return size;
}

// Whether a file made here keeps a few bytes in its inode.
bool keepsDataInInodes(int folderFd) {
    struct statfs fs;
    if (::fstatfs(folderFd, &fs) != 0 || fs.f_type != EXT4_SUPER_MAGIC) {
        return false;
    }
    FillFiles probe(folderFd);
    bool direct = false;
    const int fd = probe.add(false, direct);
    int flags = 0;
    return fd >= 0 && ::pwrite(fd, "z", 1, 0) == 1 && ::fsync(fd) == 0 &&
           ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & kInlineDataFlag) != 0;
}

// As many descriptors as the system lets this process have, while the fill lasts: the
// inodes it makes anew are held by them.
class RaisedDescriptorLimit {
public:
    RaisedDescriptorLimit() {
        if (::getrlimit(RLIMIT_NOFILE, &before_) == 0 && before_.rlim_cur < before_.rlim_max) {
            struct rlimit raised = before_;
            raised.rlim_cur = raised.rlim_max;
            raised_ = ::setrlimit(RLIMIT_NOFILE, &raised) == 0;
        }
    }
    ~RaisedDescriptorLimit() {
        if (raised_) {
            ::setrlimit(RLIMIT_NOFILE, &before_);
        }
    }
    RaisedDescriptorLimit(const RaisedDescriptorLimit&) = delete;
    RaisedDescriptorLimit& operator=(const RaisedDescriptorLimit&) = delete;

private:
    struct rlimit before_ {};
    bool raised_ = false;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One fill of the free space, step by step.
class Fill {
public:
    Fill(int folderFd, const RandomBytes& random, FillObserver& observer)
        : folderFd_(folderFd), observer_(observer), blocks_(random), files_(folderFd) {}

    FillResult run() {
        struct statvfs fs;
        if (::fstatvfs(folderFd_, &fs) != 0) {
            result_.errorNumber = errno;
            return result_;
        }
        if (!blocks_.allocated()) {
            result_.errorNumber = ENOMEM;
            return result_;
        }
        smallest_ = std::max<std::size_t>(fs.f_bsize, 512);
        result_.dataInInodes = keepsDataInInodes(folderFd_);
        // Blocks freed a moment ago (the probe's too) are free only once the file system has
        // committed that: then the fill reaches them, and a full disk forces no commit.
        if (!commit()) {
            return result_;
        }
        const RaisedDescriptorLimit descriptors;
        if (result_.dataInInodes) {
            fillInodes();
        }
        fillUntilEnded();
        fillAgainBesideWhatStayedFree();
        giveBack();
        return result_;
    }

private:
    bool ended() const { return result_.stopped || result_.full || result_.errorNumber != 0; }

    // Commits the file system. Its failure is the fill's: syncfs tells a write the device
    // refused once on each descriptor, so a later commit would no longer say it.
    bool commit() {
        if (::syncfs(folderFd_) == 0) {
            return true;
        }
        result_.errorNumber = result_.errorNumber != 0 ? result_.errorNumber : errno;
        return false;
    }

    // Small files' data kept in inodes is overwritten when an inode is made anew: take every
    // free one, unnamed while descriptors last, then named in the private folder, before the
    // data fill leaves no block for those names. A few go back for the data's own files.
    void fillInodes() {
        bool descriptorsLeft = true;
        while (!observer_.fillShouldStop()) {
            bool unused = false;
            bool made = descriptorsLeft && files_.add(false, unused) >= 0;
            if (!made && descriptorsLeft && (errno == EMFILE || errno == ENFILE)) {
                files_.releaseLast(kSpareDescriptors);  // for the window, the data, the sync
                result_.inodesFilled -=
                    std::min<std::uint64_t>(result_.inodesFilled, kSpareDescriptors);
                descriptorsLeft = false;
                continue;
            }
            made = made || (!descriptorsLeft && files_.addKeptName());
            if (!made) {
                break;
            }
            ++result_.inodesFilled;
        }
        files_.releaseLast(kSpareDescriptors / 4);
        result_.inodesFilled -=
            std::min<std::uint64_t>(result_.inodesFilled, kSpareDescriptors / 4);
    }

    // The next file of the fill; false when none can be made, and why in the result.
    bool openNext() {
        fd_ = files_.add(true, direct_);
        offset_ = 0;
        if (fd_ < 0 && errno == ENOSPC && freeLeft(folderFd_) >= smallest_ &&
            files_.releaseLast(1)) {
            fd_ = files_.add(true, direct_);  // blocks are left, but no inode: one given back
        }
        if (fd_ < 0) {
            const int error = errno;
            result_.full = error == ENOSPC && freeLeft(folderFd_) < smallest_;
            result_.errorNumber = result_.full ? 0 : error;
            return false;
        }
        return true;
    }

    void writeNext() {
        const unsigned char* block = blocks_.next();
        if (block == nullptr) {
            result_.errorNumber = blocks_.error();
            return;
        }
        std::size_t written = 0;
        const int error = writeSome(fd_, block, size_, offset_, written);
        if (error == 0) {
            wrote(written);
        } else if (error == ENOSPC && size_ > smallest_) {
            // Each refused write costs the file system a commit: go straight to the largest
            // size the space it still counts as free can take, then halve.
            fullSince_ = fullSince_.value_or(Clock::now());
            size_ = std::max(std::min(size_ / 2, largestFitting(fd_)), smallest_);
        } else if (error == ENOSPC) {
            result_.full = true;
        } else if (error == EFBIG) {
            fd_ = -1;  // this file may grow no further: the next one goes on
        } else {
            result_.errorNumber = error;
        }
    }

    void wrote(std::size_t written) {
        offset_ += written;
        sinceSync_ += written;
        result_.bytesWritten += written;
        lastWrite_ = Clock::now();
        // Past the page cache a write is in place; through it, it is pushed out now.
        if (!direct_ && sinceSync_ >= kSyncEvery) {
            if (::fdatasync(fd_) != 0) {
                result_.errorNumber = errno;
            }
            sinceSync_ = 0;
        }
        // Shortly before the disk is full, what the fill wrote so far is committed: the
        // commit then costs no time while other programs find no space.
        if (!committedEarly_ && result_.bytesWritten % kCommitCheckEvery < written &&
            freeLeft(fd_) < kCommitBefore) {
            commit();
            committedEarly_ = true;
        }
        // A short write leaves an offset direct writes may not start at: a new file.
        if (direct_ && offset_ % smallest_ != 0) {
            fd_ = -1;
        }
        if (lastWrite_ - lastShown_ >= kProgressInterval) {
            observer_.fillProgress(result_.bytesWritten);
            lastShown_ = lastWrite_;
        }
    }

    // Where the file system's map can be read (root), what stayed free is reached by letting
    // go of the fill's own blocks beside it and filling again, while that reaches more. ext4
    // then takes the old free blocks and leaves the fill's; xfs keeps to the same blocks
    // whatever is let go beside them (tried: as many markers stayed), so it is not asked.
    void fillAgainBesideWhatStayedFree() {
        struct statfs fs;
        if (::fstatfs(folderFd_, &fs) != 0 || fs.f_type != EXT4_SUPER_MAGIC) {
            return;
        }
        for (int pass = 0; pass < kFillsAgain && result_.full && result_.errorNumber == 0; ++pass) {
            if (!commit()) {
                return;
            }
            const auto free = freeExtents(folderFd_);
            if (!free || outside(*free, letGo_) == 0) {
                return;
            }
            const std::vector<Extent> loosened = loosenBeside(*free, files_.descriptors());
            if (loosened.empty()) {
                return;
            }
            letGo_.insert(letGo_.end(), loosened.begin(), loosened.end());
            if (!commit()) {
                return;
            }
            result_.full = false;
            size_ = kLargeWrite;
            fd_ = -1;
            fillUntilEnded();
        }
    }

    void fillUntilEnded() {
        while (!ended()) {
            if (observer_.fillShouldStop()) {
                result_.stopped = true;
            } else if (fd_ >= 0 || openNext()) {
                writeNext();
            }
        }
    }

    void giveBack() {
        observer_.fillProgress(result_.bytesWritten);
        result_.namedFiles = files_.named();
        if (!result_.stopped) {
            commit();
        }
        if (result_.full && result_.errorNumber == 0) {
            result_.left = leftUnfilled(folderFd_, letGo_);
        }
        files_.closeAll();
        // ext4 frees a closed unnamed file at once; btrfs only when it next commits: now. A
        // failure here takes nothing from the fill, committed above, and its space is freed
        // at the file system's next commit all the same: it is not the fill's.
        [[maybe_unused]] const int freed = ::syncfs(folderFd_);
        result_.secondsFull = secondsSince(fullSince_.value_or(lastWrite_));
    }

    const int folderFd_;
    FillObserver& observer_;
    RandomBlocks blocks_;
    FillResult result_;
    std::size_t smallest_ = 512;
    std::size_t size_ = kLargeWrite;
    FillFiles files_;
    int fd_ = -1;
    bool direct_ = false;
    std::uint64_t offset_ = 0, sinceSync_ = 0;
    Clock::time_point lastWrite_ = Clock::now(), lastShown_ = lastWrite_;
    std::optional<Clock::time_point> fullSince_;  // the first write the file system refused
    bool committedEarly_ = false;
    std::vector<Extent> letGo_;  // the fill's own blocks, let go to fill again beside them
};

class PosixWipeFolder : public WipeFolder {
public:
    PosixWipeFolder(UniqueFd folder, FileSystemFacts facts)
        : folder_(std::move(folder)), facts_(std::move(facts)) {}

    const FileSystemFacts& facts() const override { return facts_; }

    double measureWriteRate(const RandomBytes& random) override {
        struct statvfs fs;
        if (::fstatvfs(folder_.get(), &fs) != 0) {
            return 0;
        }
        // An eighth of the free space at most, so that a nearly full disk is not filled to
        // measure it.
        const std::uint64_t available = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
        std::uint64_t total = std::min<std::uint64_t>(kMeasureLimit, available / 8);
        total -= total % kLargeWrite;
        const Buffer buffer = alignedBuffer(kLargeWrite);
        FillFiles files(folder_.get());
        bool direct = false;
        const int fd = total == 0 || !buffer ? -1 : files.add(true, direct);
        if (fd < 0) {
            return 0;
        }
        const Clock::time_point start = Clock::now();
        for (std::uint64_t offset = 0; offset < total;) {
            std::size_t written = 0;
            if (random(buffer.get(), kLargeWrite) != 0 ||
                writeSome(fd, buffer.get(), kLargeWrite, offset, written) != 0) {
                return 0;
            }
            offset += written;
        }
        if (::fdatasync(fd) != 0) {
            return 0;
        }
        const double seconds = secondsSince(start);
        return seconds > 0 ? static_cast<double>(total) / seconds : 0;
    }

    FillResult fill(const RandomBytes& random, FillObserver& observer) override {
        return Fill(folder_.get(), random, observer).run();
    }

    int trim() override {
        struct fstrim_range range {};
        range.len = ULLONG_MAX;
        return ::ioctl(folder_.get(), FITRIM, &range) == 0 ? 0 : errno;
    }

private:
    UniqueFd folder_;
    FileSystemFacts facts_;
};

}  // namespace

std::unique_ptr<WipeFolder> PosixFreeSpaceWiper::openFolder(const std::string& folder,
                                                            int& errorNumber) {
    // The one lookup by path: everything after it goes through this descriptor.
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 && errno == EACCES) {
        fd = UniqueFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (fd.get() < 0) {
        errorNumber = errno;
        return nullptr;
    }
    std::optional<FileSystemFacts> facts = fileSystemFactsOf(fd.get(), folder, errorNumber);
    if (!facts) {
        return nullptr;
    }
    // statfs counts ext4's own reserve free, for root, or reserved beyond the user, for
    // anyone else: neither can fill it. xfs leaves its reserves out of statfs: its map, which
    // only root may read, shows them free.
    struct statfs fs;
    const bool xfs = ::fstatfs(fd.get(), &fs) == 0 && fs.f_type == XFS_SUPER_MAGIC;
    const auto map = ::geteuid() == 0 && xfs ? freeExtents(fd.get()) : std::nullopt;
    const std::uint64_t mapped = map ? totalOf(*map) : 0;
    std::uint64_t& countedIn = ::geteuid() == 0 ? facts->freeBytes : facts->reservedBytes;
    facts->keptByFileSystem = std::min(countedIn, ext4OwnReserve(fd.get(), facts->blockSize));
    countedIn -= facts->keptByFileSystem;
    if (mapped > facts->freeBytes) {
        facts->keptByFileSystem = mapped - facts->freeBytes;
    }
    facts->keepsUncountedReserve = xfs && !map;
    return std::make_unique<PosixWipeFolder>(std::move(fd), std::move(*facts));
}
