// The free-space wipe: what overwriting in place leaves behind in free blocks (files deleted
// earlier, the old blocks of a copy-on-write file system) is overwritten by filling them.

#include "controller/WipeRun.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "controller/ZVORBAControlShredder.h"
#include "engine/KeyedStream.h"
#include "platform/Texts.h"

namespace {

constexpr const char* kWipeTitle = TRANSLATABLE("WipeRun", "Wipe Free Space");
constexpr const char* kWipeQuestion = TRANSLATABLE(
    "WipeRun",
    "Wipe the free space of the file system mounted at %1? Its free space is filled with "
    "random bytes and then given back at once. Programs that write to this file system may "
    "fail until the wipe ends.");
constexpr const char* kWipeCancelled = TRANSLATABLE(
    "WipeRun",
    "Wipe cancelled: nothing was filled (the short write that measured the disk was given "
    "back at once).");
constexpr const char* kWiped = TRANSLATABLE("WipeRun", "Free space has been wiped.");
constexpr const char* kWipeStopped =
    TRANSLATABLE("WipeRun", "The wipe was stopped: the space it filled is free again.");
constexpr const char* kNotExamined = TRANSLATABLE("WipeRun", "%1 could not be examined: %2.");
constexpr const char* kInMemory = TRANSLATABLE(
    "WipeRun",
    "%1 is on a memory file system (%2): nothing of it reaches a disk, so there is no free "
    "space to wipe.");
constexpr const char* kOnNetwork = TRANSLATABLE(
    "WipeRun",
    "%1 is on a network file system (%2): its free space lies on another machine, which "
    "decides what a write reaches. It is not wiped.");
constexpr const char* kReadOnlyMount =
    TRANSLATABLE("WipeRun", "%1 is on a read-only file system: its free space cannot be written.");
constexpr const char* kNotWritable = TRANSLATABLE(
    "WipeRun", "You may not write in %1: choose a folder of your own on that file system.");

std::string seconds(double value) {
    char text[32];
    if (value < 90) {
        std::snprintf(text, sizeof text, "%.1f s", value);
    } else if (value < 5400) {
        std::snprintf(text, sizeof text, "%.0f min", value / 60);
    } else {
        std::snprintf(text, sizeof text, "%.1f h", value / 3600);
    }
    return text;
}

std::string rate(double bytesPerSecond) {
    return humanBytes(static_cast<std::uint64_t>(bytesPerSecond)) + "/s";
}

// What filling the free space will not reach there, one line each: as expected before the
// fill, or as counted once it was full.
std::vector<std::string> notReached(const FileSystemFacts& facts, const Grouped& grouped,
                                    const LeftUnfilled* counted = nullptr) {
    std::vector<std::string> lines;
    const std::uint64_t forRoot = counted ? counted->reservedForRoot : facts.reservedBytes;
    const std::uint64_t kept = counted ? counted->keptByFileSystem : facts.keptByFileSystem;
    if (forRoot > 0) {
        lines.push_back(withArgs(
            translated("WipeRun", "Not reached: %1 reserved for root (run as root to wipe it too)"),
            {exactBytes(forRoot, grouped)}));
    }
    const bool uncounted = counted ? counted->uncounted : facts.keepsUncountedReserve;
    if (kept > 0 && !uncounted) {
        lines.push_back(withArgs(
            facts.type == "ext4"
                ? translated("WipeRun",
                             "Not reached: %1 that %2 keeps for itself, where no file may go; on "
                             "an unmounted or read-only ext4 file system, zerofree reaches it")
                : translated("WipeRun",
                             "Not reached: %1 that %2 keeps for itself, where no file may go"),
            {exactBytes(kept, grouped), facts.type}));
    }
    if (uncounted) {
        lines.push_back(withArgs(
            translated("WipeRun",
                       "Not reached: blocks that %1 keeps back for itself (its reserve pool and a "
                       "few in each allocation group), which only root can count"),
            {facts.type}));
    }
    if (counted != nullptr && counted->reachedByFillingAgain > 0) {
        lines.push_back(withArgs(
            translated("WipeRun",
                       "Reached by filling again: what %1 keeps for itself now lies on %2 the "
                       "fill had written; it let go of them and filled again"),
            {facts.type, exactBytes(counted->reachedByFillingAgain, grouped)}));
    }
    if (facts.storage.reach == StorageReach::CannotReach) {
        lines.push_back(translated(
            "WipeRun", "Not reached: blocks that snapshots of this file system still hold"));
    }
    if (facts.storage.reach != StorageReach::Reaches) {
        lines.push_back(withArgs(
            translated("WipeRun",
                       "Not reached: on flash or virtual disks, blocks the device keeps elsewhere "
                       "(%1)"),
            {facts.storage.reason}));
    }
    return lines;
}

// The status line of a full fill: what it could not write though the file system counted it
// free is said with the words "wiped".
std::string wipedSummary(const FileSystemFacts& facts, const LeftUnfilled& left) {
    if (left.uncounted) {
        return withArgs(translated("WipeRun",
                                   "Free space has been wiped except what %1 keeps for itself, "
                                   "which only root can count."),
                        {facts.type});
    }
    const std::string kept = humanBytes(left.keptByFileSystem);
    const std::string forRoot = humanBytes(left.reservedForRoot);
    if (left.keptByFileSystem > 0 && left.reservedForRoot > 0) {
        return withArgs(translated("WipeRun",
                                   "Free space has been wiped except %1: %2 that %3 keeps for "
                                   "itself and %4 reserved for root."),
                        {humanBytes(left.total()), kept, facts.type, forRoot});
    }
    if (left.keptByFileSystem > 0) {
        return withArgs(
            translated("WipeRun", "Free space has been wiped except %1 that %2 keeps for itself."),
            {kept, facts.type});
    }
    if (left.reservedForRoot > 0) {
        return withArgs(
            translated("WipeRun", "Free space has been wiped except %1 reserved for root."),
            {forRoot});
    }
    return translated("WipeRun", kWiped);
}

std::string fileSystemLine(const FileSystemFacts& facts) {
    return withArgs(translated("WipeRun", "File system: %1 mounted at %2 from %3"),
                    {facts.type, facts.mountPoint, facts.device});
}

std::string trimInWords(int error) {
    switch (error) {
        case 0:
            return translated("WipeRun",
                              "The device was asked to discard the free blocks (FITRIM): a "
                              "request to the device, not a proof that it did");
        case EPERM:
        case EACCES:
            return translated(
                "WipeRun",
                "The device was not asked to discard the free blocks: only root may ask");
        case EOPNOTSUPP:
        case ENOTTY:
            return translated("WipeRun",
                              "The device was not asked to discard the free blocks: it does not "
                              "accept discard");
        default:
            return withArgs(
                translated("WipeRun",
                           "The device could not be asked to discard the free blocks (%1)"),
                {reasonInWords({ReasonCode::SystemError, error})});
    }
}

}  // namespace

WipeRun::WipeRun(const ShredderConnections& services,
                 const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
                 std::string folder)
    : Run(services, commaFormat, notes), folder_(std::move(folder)) {}

std::optional<std::string> WipeRun::refusal(int errorNumber) const {
    if (!facts_) {
        return withArgs(translated("WipeRun", kNotExamined),
                        {folder_, reasonInWords({ReasonCode::SystemError, errorNumber})});
    }
    if (facts_->storage.reach == StorageReach::NotNeeded) {
        return withArgs(translated("WipeRun", kInMemory), {folder_, facts_->type});
    }
    if (facts_->network) {
        return withArgs(translated("WipeRun", kOnNetwork), {folder_, facts_->type});
    }
    if (facts_->readOnly) {
        return withArgs(translated("WipeRun", kReadOnlyMount), {folder_});
    }
    if (!facts_->writable) {
        return withArgs(translated("WipeRun", kNotWritable), {folder_});
    }
    return std::nullopt;
}

void WipeRun::run() {
    begin();
    int errorNumber = 0;
    // Opened once: whatever its path leads to later, the wipe fills what it checked.
    const std::unique_ptr<WipeFolder> held = services_.freeSpace->openFolder(folder_, errorNumber);
    if (held) {
        facts_ = held->facts();
    }
    if (const auto refused = refusal(errorNumber)) {
        services_.alerts->run({.kind = Alert::Kind::Denial,
                               .critical = true,
                               .title = translated("WipeRun", kWipeTitle),
                               .message = *refused,
                               .defaultButton = translated("ShredRun", shredder_text::kCancel)});
        finish(RunOutcome::Denied, *refused, *refused, {});
        return;
    }
    storage_ = facts_->storage;
    show(Field::folderText, facts_->mountPoint, true);
    show(Field::fileText,
         withArgs(translated("WipeRun", "Free space of %1 (%2)"), {facts_->device, facts_->type}),
         true);
    show(Field::totalBytes, exactBytes(facts_->freeBytes), false);
    show(Field::progressBytes, exactBytes(facts_->freeBytes), false);
    show(Field::statusText, translated("WipeRun", "Measuring how fast the disk takes writes..."),
         true);

    KeyedStream stream;
    const int keyError = stream.keyFrom(kRandomDevice);
    const RandomBytes random = [&stream](unsigned char* out, std::size_t length) {
        return stream.fill(out, length);
    };
    const std::vector<std::string> details =
        wipeDetails(keyError == 0 ? held->measureWriteRate(random) : 0);
    noteMemoryExposure(TRANSLATABLE("RunNotes", "files deleted earlier"));
    if (!confirmed(details)) {
        const std::string cancelled = translated("WipeRun", kWipeCancelled);
        finish(RunOutcome::Cancelled, cancelled, cancelled, details);
    } else if (keyError != 0) {
        const std::string why = reasonInWords({ReasonCode::NoRandomBytes, keyError});
        finish(RunOutcome::Failed, errorAt(why, folder_),
               withArgs(translated("WipeRun", "Nothing was written: %1"), {why}), details);
    } else {
        fillAndTell(*held, random);
    }
}

bool WipeRun::confirmed(const std::vector<std::string>& details) const {
    return services_.alerts->run(
               {.kind = Alert::Kind::Confirmation,
                .critical = true,
                .title = translated("WipeRun", kWipeTitle),
                .message = withArgs(translated("WipeRun", kWipeQuestion), {facts_->mountPoint}),
                .defaultButton = translated("ShredRun", shredder_text::kCancel),
                .alternateButton = translated("ShredRun", shredder_text::kProceed),
                .details = details}) == 0 &&
           !stopRequested();
}

// What the confirmation says of the file system and of what the fill will not reach.
std::vector<std::string> WipeRun::wipeDetails(double measuredRate) const {
    const FileSystemFacts& facts = *facts_;
    std::vector<std::string> details{
        fileSystemLine(facts),
        withArgs(translated("WipeRun", "Free space: %1"), {exactBytes(facts.freeBytes)})};
    if (measuredRate > 0) {
        details.push_back(withArgs(
            translated("WipeRun", "Estimated time: about %1 (a short write ran at %2)"),
            {seconds(static_cast<double>(facts.freeBytes) / measuredRate), rate(measuredRate)}));
    }
    for (std::string& line : notReached(facts, grouped())) {
        details.push_back(std::move(line));
    }
    details.push_back(storageInWords(facts.storage));
    return details;
}

void WipeRun::fillAndTell(WipeFolder& held, const RandomBytes& random) {
    const FileSystemFacts& facts = held.facts();
    fillTotal_ = facts.freeBytes;
    progress_->setMinValue(0.0);
    progress_->setMaxValue(static_cast<double>(fillTotal_));
    progress_->setDoubleValue(0.0);
    progress_->setHidden(false);
    fillStarted_ = std::chrono::steady_clock::now();
    result_ = held.fill(random, *this);
    filled_ = true;
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - fillStarted_).count();
    const bool whole = result_.full && !result_.stopped && result_.errorNumber == 0;
    const int trimError = whole ? held.trim() : -1;

    RunOutcome outcome = RunOutcome::Shredded;
    std::string summary;
    if (result_.stopped) {
        outcome = RunOutcome::Stopped;
        summary = translated("WipeRun", kWipeStopped);
    } else if (!whole) {
        outcome = RunOutcome::Failed;
        summary = withArgs(
            translated("WipeRun", "The wipe failed (%1): the space it filled is free again."),
            {reasonInWords({ReasonCode::SystemError, result_.errorNumber})});
    } else {
        summary = wipedSummary(facts, result_.left);
    }
    show(Field::progressBytes,
         exactBytes(fillTotal_ > result_.bytesWritten ? fillTotal_ - result_.bytesWritten : 0),
         false);
    std::vector<std::string> account = fillAccount(took, whole);
    if (trimError >= 0) {
        account.push_back(trimInWords(trimError));
    }
    account.push_back(storageInWords(facts.storage));
    finish(outcome, summary,
           withArgs(translated("WipeRun", "%1 %2 written."),
                    {summary, exactBytes(result_.bytesWritten)}),
           account);
}

std::vector<std::string> WipeRun::fillAccount(double took, bool whole) const {
    const FillResult& result = result_;
    const std::string written = exactBytes(result.bytesWritten);
    std::vector<std::string> account{
        fileSystemLine(*facts_),
        took > 0 ? withArgs(translated("WipeRun", "Written: %1 of random bytes in %2 (%3)"),
                            {written, seconds(took),
                             rate(static_cast<double>(result.bytesWritten) / took)})
                 : withArgs(translated("WipeRun", "Written: %1 of random bytes in %2"),
                            {written, seconds(took)}),
        withArgs(result.namedFiles
                     ? translated("WipeRun",
                                  "Given back: the fill's files had names in a private folder, "
                                  "all removed, and were let go %1 after the last write")
                     : translated("WipeRun",
                                  "Given back: the fill's files never had names, and were let go "
                                  "%1 after the last write"),
                 {seconds(result.secondsFull)})};
    if (result.dataInInodes) {
        account.push_back(withArgs(
            translated("WipeRun",
                       "Inodes made anew: %1 (this file system keeps small files' data in inodes)"),
            {formatted(result.inodesFilled)}));
    }
    for (std::string& line : notReached(*facts_, grouped(), whole ? &result.left : nullptr)) {
        account.push_back(std::move(line));
    }
    return account;
}

void WipeRun::finish(RunOutcome outcome, const std::string& status, const std::string& summary,
                     const std::vector<std::string>& details) {
    outcome_ = outcome;
    show(Field::statusText, status, false);
    if (outcome != RunOutcome::Denied) {
        tellAccount(summary, filled_ ? details : std::vector<std::string>{});
    }
    record_ = recordOfRun(RunKind::FreeSpace, folder_, began_, std::chrono::system_clock::now(),
                          facts_ ? std::optional(facts_->storage) : std::nullopt);
    record_.method = translated("WipeRun",
                                "1 pass of random bytes (a ChaCha20 stream keyed from "
                                "/dev/urandom) into files without names that fill the free "
                                "space, synced to the disk, then let go");
    record_.verification =
        translated("WipeRun", "not read back: the space is given back as soon as it is written");
    record_.totals.freeSpace = {.freeBytes = facts_ ? facts_->freeBytes : 0,
                                .bytesWritten = result_.bytesWritten,
                                .bytesLeftUnfilled = result_.left.total(),
                                .inodesMadeAnew = result_.inodesFilled};
    record_.touched = result_.bytesWritten > 0;
    record_.status = statusOf(outcome_, record_.touched);
    record_.summary = summary;
    record_.details = details;
    // As the account counts them: the figures of a fill that ended full and whole.
    const bool whole = result_.full && !result_.stopped && result_.errorNumber == 0;
    record_.warnings = facts_ ? notReached(*facts_, grouped(), whole ? &result_.left : nullptr)
                              : std::vector<std::string>{};
    resetProgress();
}

void WipeRun::fillProgress(std::uint64_t written) {
    progress_->setDoubleValue(static_cast<double>(written));
    progress_->display();
    show(Field::progressBytes, exactBytes(fillTotal_ > written ? fillTotal_ - written : 0), false);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - fillStarted_).count();
    if (took > 0 && written > 0) {
        const double perSecond = static_cast<double>(written) / took;
        const double left =
            fillTotal_ > written ? static_cast<double>(fillTotal_ - written) / perSecond : 0;
        show(Field::statusText,
             withArgs(translated("WipeRun", "Writing %1 at %2, about %3 left"),
                      {humanBytes(written), rate(perSecond), seconds(left)}),
             true);
    }
}

bool WipeRun::fillShouldStop() {
    return stopRequested();
}

// ---- the controller's side: the menu action and the run it starts ------------------------

void ZVORBAControlShredder::wipeFreeSpace() {
    OpenPanelSettings settings;
    settings.title = translated("WipeRun", kWipeTitle);
    settings.message = translated(
        "WipeRun", "Select a folder on the file system whose free space is to be wiped.");
    settings.prompt = translated("WipeRun", "Wipe");
    settings.canChooseFiles = false;
    settings.canChooseDirectories = true;
    settings.allowsMultipleSelection = false;
    if (services_.openPanel->runModal(settings) == kOpenPanelOK &&
        !services_.openPanel->filenames().empty()) {
        wipeFreeSpaceAtPath(services_.openPanel->filenames().front());
    }
}

void ZVORBAControlShredder::wipeFreeSpaceAtPath(const std::string& folder) {
    beginRun();
    WipeRun wipe(services_, commaFormat, notes_, folder);
    wipe.run();
    outcome_ = wipe.outcome();
    account_.storage = wipe.storage();
    endRun(wipe.record());
}
