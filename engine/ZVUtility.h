#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The shredding unit: overwrites one file's contents in place and nothing else.
class ZVUtility {
public:
    ZVUtility();
    virtual ~ZVUtility();
};

// The three ways of overwriting a file.
enum class ShredMode {
    RandomPass,    // one pass of random bytes
    FourPasses,    // four pattern passes
    ElevenPasses,  // eleven pattern passes
};

// The mode a stored setting or an option names: 1 four passes, 2 eleven, any other value
// (0 and every negative value too) one pass of random bytes.
ShredMode shredModeFrom(std::int32_t setting);

// Why an overwrite returned what it did.
enum class OverwriteStatus {
    Overwritten,      // every pass written and synced to the device
    Empty,            // size 0: the file was not opened
    NotOverwritable,  // not a regular file with exactly one link (symbolic link, hard link,
                      // device, fifo, ...): left untouched on purpose
    Changed,          // it kept growing while it was overwritten: what was added last is not
                      // overwritten
    Stopped,          // the observer asked to stop; passesCompleted says how far it got
    NoRandomBytes,    // the random device could not be opened (errorNumber): not touched
    Unverified,       // every pass was written, but the last one read back differently
    Failed,           // a system call failed; errorNumber says which error
};

struct OverwriteOutcome {
    std::uint64_t bytes = 0;  // the bytes overwritten in every pass (Stopped: in at least one)
    OverwriteStatus status = OverwriteStatus::Failed;
    int errorNumber = 0;      // errno of a Failed or NoRandomBytes result, or of the read that
                              // left a result Unverified; else 0
    int passesCompleted = 0;  // whole passes that reached the device
    bool verified = false;    // the last pass was read back from the device as it was written
};

// Watches a long overwrite and may end it: told how far it is a few times a second (never
// per block), and asked between blocks whether to stop.
class OverwriteObserver {
public:
    virtual ~OverwriteObserver() = default;
    // Pass `pass` (from 0) of `passes` has written `written` of its `length` bytes.
    virtual void overwriteProgress(int pass, int passes, std::uint64_t written,
                                   std::uint64_t length) = 0;
    // Yes ends the overwrite at once, with what was written so far left in place.
    virtual bool overwriteShouldStop() = 0;
};

inline constexpr const char* kRandomDevice = "/dev/urandom";

// Where an overwrite may be watched or steered from outside; the defaults are the real thing.
struct OverwriteSeams {
    OverwriteObserver* observer = nullptr;
    const char* randomDevice = kRandomDevice;
    // Makes one pass reach the device: fdatasync unless replaced. Answers 0 or an errno value.
    std::function<int(int fd)> syncPass;
    // Called after the file was examined, just before it is opened.
    std::function<void()> beforeOpen;
    // Called after each pass has reached the device, with its number counted from 0.
    std::function<void(int pass, int fd)> afterPass;
    // Read the last pass back from the device, past the page cache, and compare it with what
    // was written: a difference gives Unverified and the file is to be kept.
    bool verifyLastPass = false;
    // Sees each block the verification read back, at its offset in the file, before it is
    // compared (tests corrupt it here).
    std::function<void(std::uint64_t offset, unsigned char* data, std::size_t length)> readBack;
};

// Overwrites every byte of the regular, single-link file at path in place: mode 1 four
// pattern passes, mode 2 eleven, any other value one pass of random bytes. Returns the
// file's size when every pass reached the device, otherwise 0.
std::uint64_t overwriteFile(const std::string& path, std::int32_t mode);

// The same, telling why a result is 0; randomDevice replaces /dev/urandom (for tests).
OverwriteOutcome overwriteFileExplained(const std::string& path, std::int32_t mode,
                                        const char* randomDevice = kRandomDevice);

// The same for the entry `name` of the folder open as folderFd (AT_FDCWD for a path): a walk
// that holds the folder hands it over, so no path is looked up again.
OverwriteOutcome overwriteFileAt(int folderFd, const std::string& name, ShredMode mode,
                                 const OverwriteSeams& seams = {});

// One file's overwrite in two steps, for a caller that runs the passes on another thread:
// made where the file was examined (it checks the file, keys the random stream and opens
// the file), then run once, on any one thread, while the folder stays open. The seams are
// called on the thread that runs it.
class OverwriteJob {
public:
    OverwriteJob(int folderFd, const std::string& name, const struct stat& examined, ShredMode mode,
                 OverwriteSeams seams = {});
    ~OverwriteJob();
    OverwriteJob(OverwriteJob&&) noexcept;
    OverwriteJob& operator=(OverwriteJob&&) noexcept;

    // Every pass, each synced before the next, the growth rounds, the read-back when asked
    // for, and the name checked to still show the file written. Nothing when the outcome
    // was known when it was made.
    void run();
    // What it came to; a job never run has failed.
    const OverwriteOutcome& outcome() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The same for an entry the caller has just examined, never following a link (a delete walk
// has): its status is not read again, and only the file it shows is written.
OverwriteOutcome overwriteExaminedFileAt(int folderFd, const std::string& name,
                                         const struct stat& examined, ShredMode mode,
                                         const OverwriteSeams& seams = {});
