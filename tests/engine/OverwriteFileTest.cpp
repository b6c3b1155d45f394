#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <vector>

#include "TempDir.h"
#include "engine/ZVUtility.h"

namespace {

// While a test listens: what the file held at each fdatasync the engine made.
std::vector<std::string>* syncedContents = nullptr;

}  // namespace

// Takes the C library's place in this program, so that the real syncs are seen and then made.
extern "C" int fdatasync(int fd) {
    if (syncedContents != nullptr) {
        syncedContents->push_back(readFile("/proc/self/fd/" + std::to_string(fd)));
    }
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

namespace {

OverwriteOutcome overwrite(const std::string& path, std::int32_t mode,
                           const OverwriteSeams& seams = {}) {
    return overwriteFileAt(AT_FDCWD, path, shredModeFrom(mode), seams);
}

// Each mode's passes, by the pattern byte of each; none: one random pass.
TEST(OverwriteFile, EveryPassInOrderEachSyncedBeforeTheNext) {
    const std::pair<std::int32_t, std::vector<unsigned char>> modes[] = {
        {1, {0x55, 0xFF, 0xAA, 0x00}},
        {2, {0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00}},
        {0, {}},
        {7, {}},
        {-1, {}}};
    for (const auto& [mode, passes] : modes) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        TempDir dir;
        std::string original(10000, '\0');
        for (std::size_t i = 0; i < original.size(); ++i)
            original[i] = static_cast<char>('a' + (i * 7919) % 26);
        writeFile(dir / "f", original);
        std::vector<std::string> synced;
        syncedContents = &synced;
        const OverwriteOutcome outcome = overwrite(dir / "f", mode);
        syncedContents = nullptr;
        EXPECT_EQ(outcome.status, OverwriteStatus::Overwritten);
        EXPECT_EQ(outcome.bytes, 10000u);
        ASSERT_EQ(synced.size(), std::max<std::size_t>(passes.size(), 1));
        for (std::size_t p = 0; p < passes.size(); ++p)
            EXPECT_EQ(synced[p], std::string(10000, static_cast<char>(passes[p]))) << "pass " << p;
        if (passes.empty()) {
            std::size_t same = 0;
            for (std::size_t i = 0; i < synced[0].size(); ++i) same += synced[0][i] == original[i];
            EXPECT_LT(same, 200u);  // random bytes: about 40 by chance
            EXPECT_NE(synced[0].find_first_not_of(synced[0][0]), std::string::npos);
        }
        EXPECT_EQ(readFile(dir / "f"), synced.back());
    }
}

TEST(OverwriteFile, AFailedSyncMakesTheResultZero) {
    TempDir dir;
    writeFile(dir / "f", "contents");
    OverwriteSeams seams;
    int syncs = 0;
    seams.syncPass = [&syncs](int) { return ++syncs == 2 ? EIO : 0; };
    const OverwriteOutcome outcome = overwrite(dir / "f", 1, seams);
    EXPECT_EQ(outcome.bytes, 0u);
    EXPECT_EQ(outcome.status, OverwriteStatus::Failed);
    EXPECT_EQ(outcome.errorNumber, EIO);
    EXPECT_EQ(syncs, 2);  // no pass after the one that did not reach the device
}

// Another file, or a link to the chosen one, put in the file's place after it was examined
// or between two passes is never written, and the result is no success.
TEST(OverwriteFile, AFileSwappedForAnotherOrALinkIsNeverWritten) {
    for (bool betweenPasses : {false, true}) {
        for (bool link : {false, true}) {
            SCOPED_TRACE(std::string(betweenPasses ? "between passes" : "before open") +
                         (link ? ", link" : ", file"));
            TempDir dir;
            writeFile(dir / "f", "chosen");
            auto swap = [&] {
                ASSERT_EQ(::rename((dir / "f").c_str(), (dir / "moved").c_str()), 0);
                if (link)
                    ASSERT_EQ(::symlink((dir / "moved").c_str(), (dir / "f").c_str()), 0);
                else
                    writeFile(dir / "f", "not chosen");
            };
            OverwriteSeams seams;
            if (betweenPasses) {
                seams.afterPass = [&](int pass, int) {
                    if (pass == 0)
                        swap();
                };
            } else {
                seams.beforeOpen = swap;
            }
            const OverwriteOutcome outcome = overwrite(dir / "f", 1, seams);
            EXPECT_EQ(outcome.status, OverwriteStatus::Failed);
            EXPECT_EQ(outcome.bytes, 0u);
            EXPECT_TRUE(link || readFile(dir / "f") == "not chosen");
            // Once open, the file that was chosen got every pass all the same.
            EXPECT_EQ(readFile(dir / "moved"), betweenPasses ? std::string(6, '\0') : "chosen");
        }
    }
}

// Asks for the last pass to be read back and sees each block read, in turn; it may change one
// byte, or ask for a stop once a block has been read.
struct ReadBack : OverwriteObserver {
    explicit ReadBack(OverwriteSeams& seams) {
        seams.verifyLastPass = true;
        seams.observer = this;
        seams.readBack = [this](std::uint64_t offset, unsigned char* data, std::size_t length) {
            EXPECT_EQ(offset, read);  // in order, none skipped or read twice
            if (flipAt >= offset && flipAt < offset + length)
                data[flipAt - offset] ^= 0x01;
            read += length;
            ++blocks;
        };
    }
    void overwriteProgress(int, int, std::uint64_t, std::uint64_t) override {}
    bool overwriteShouldStop() override { return stop && read > 0; }
    std::uint64_t flipAt = UINT64_MAX;
    std::uint64_t read = 0;
    int blocks = 0;
    bool stop = false;
};

// Several random blocks, several read-back blocks and a tail, for both ways of comparing (a
// pattern, a digest): one changed byte is caught, and a stop while reading back comes after every
// pass reached the device, so all of them count. Bytes appended during the passes are overwritten
// and read back with the rest (a random pass's digest then spans two rounds); a file that keeps
// growing is no success.
TEST(OverwriteFile, TheLastPassIsReadBackAndOneChangedByteIsCaught) {
    constexpr std::uint64_t kSize = (17 << 20) + 123;
    enum Case { Intact, ChangedInside, ChangedLast, Stopped, Grown, KeepsGrowing };
    for (std::int32_t mode : {0, 1}) {
        for (Case c : {Intact, ChangedInside, ChangedLast, Stopped, Grown, KeepsGrowing}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + ", case " + std::to_string(c));
            TempDir dir;
            writeFile(dir / "f", std::string(kSize, 'x'));
            OverwriteSeams seams;
            ReadBack back(seams);
            back.flipAt = c == ChangedInside ? (4 << 20) + 7
                          : c == ChangedLast ? kSize - 1
                                             : UINT64_MAX;
            back.stop = c == Stopped;
            int appended = 0;
            seams.afterPass = [&](int, int) {
                if (c == KeepsGrowing || (c == Grown && appended++ == 0))
                    std::ofstream(dir / "f", std::ios::app) << std::string(5000, 'y');
            };
            const OverwriteOutcome outcome = overwrite(dir / "f", mode, seams);
            if (c == KeepsGrowing) {
                EXPECT_EQ(outcome.status, OverwriteStatus::Changed);
                EXPECT_EQ(outcome.bytes, 0u);
                continue;
            }
            const bool whole = c == Intact || c == Grown;
            const std::uint64_t size = kSize + (c == Grown ? 5000 : 0);
            EXPECT_EQ(outcome.bytes, size);
            EXPECT_EQ(outcome.passesCompleted, mode == 1 ? 4 : 1);
            EXPECT_EQ(outcome.errorNumber, 0);
            EXPECT_EQ(outcome.verified, whole);
            EXPECT_EQ(outcome.status, whole          ? OverwriteStatus::Overwritten
                                      : c == Stopped ? OverwriteStatus::Stopped
                                                     : OverwriteStatus::Unverified);
            if (!whole) {
                EXPECT_GT(back.read, c == Stopped ? 0 : back.flipAt);  // a pattern may stop there
                continue;
            }
            EXPECT_EQ(back.read, size);
            EXPECT_GT(back.blocks, 1);
            const std::string after = readFile(dir / "f");
            EXPECT_TRUE(mode == 0 || after == std::string(size, '\0'));
            std::set<std::string> chunks;  // random bytes: fresh everywhere, none repeated
            for (std::size_t at = 0; mode == 0 && at < size; at += 4096)
                chunks.insert(after.substr(at, 4096));
            EXPECT_TRUE(mode == 1 || chunks.size() == (size + 4095) / 4096);
        }
    }
}

// What cannot be overwritten is left as it was and is no success: a file we may not open, or
// one whose random pass has no device, or one too short to give a whole key. What has
// nothing to overwrite, and a pattern, need no device.
TEST(OverwriteFile, WhatCannotBeOverwrittenKeepsItsContents) {
    TempDir dir;
    EXPECT_EQ(overwriteFileExplained(dir / "nothing", 1).errorNumber, ENOENT);
    AsOrdinaryUser user;
    const std::string x(10000, 'x');
    writeFile(dir / "short", std::string(31, 'k'));
    const struct {
        mode_t mode;
        std::int32_t shred;
        std::string device, contents;
        OverwriteStatus status;
        int error;
        std::string after;
    } cases[] = {
        {0400, 1, kRandomDevice, x, OverwriteStatus::Failed, EACCES, x},
        {0200, 1, kRandomDevice, x, OverwriteStatus::Failed, EACCES, x},
        {0600, 0, dir / "none", x, OverwriteStatus::NoRandomBytes, ENOENT, x},
        {0600, 0, dir / "short", x, OverwriteStatus::NoRandomBytes, EIO, x},
        {0600, 2, dir / "none", x, OverwriteStatus::Overwritten, 0, std::string(10000, '\0')},
        {0600, 0, dir / "none", "", OverwriteStatus::Empty, 0, ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(++n);
        const std::string path = dir / ("f" + std::to_string(n));
        writeFile(path, c.contents);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        const OverwriteOutcome outcome = overwriteFileExplained(path, c.shred, c.device.c_str());
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.errorNumber, c.error);
        EXPECT_EQ(outcome.bytes, c.status == OverwriteStatus::Overwritten ? 10000u : 0u);
        ::chmod(path.c_str(), 0600);
        EXPECT_EQ(readFile(path), c.after);
    }
}

// The random pass is a stream keyed from the device for each file: the same key gives the
// same bytes, and the real device gives every run bytes of its own.
TEST(OverwriteFile, TheRandomPassIsAStreamKeyedFromTheDeviceForEachFile) {
    TempDir dir;
    writeFile(dir / "key", std::string(32, 'k'));
    auto written = [&](const std::string& device) {
        writeFile(dir / "f", std::string(10000, 'x'));
        EXPECT_EQ(overwriteFileExplained(dir / "f", 0, device.c_str()).bytes, 10000u) << device;
        return readFile(dir / "f");
    };
    const std::string keyed = written(dir / "key");
    EXPECT_EQ(written(dir / "key"), keyed);
    EXPECT_EQ(keyed.find(std::string(16, 'k')), std::string::npos);
    EXPECT_EQ(keyed.find(std::string(16, 'x')), std::string::npos);
    const std::string first = written(kRandomDevice);
    EXPECT_NE(first, keyed);
    EXPECT_NE(written(kRandomDevice), first);
}

TEST(OverwriteFile, LinksAreNeverWrittenThrough) {
    TempDir dir;
    writeFile(dir / "target", "target data");
    ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
    ASSERT_EQ(::link((dir / "target").c_str(), (dir / "second-name").c_str()), 0);
    for (const char* name : {"link", "second-name", "target"}) {
        const OverwriteOutcome outcome = overwriteFileExplained(dir / name, 1);
        EXPECT_EQ(outcome.bytes, 0u) << name;
        EXPECT_EQ(outcome.status, OverwriteStatus::NotOverwritable) << name;
    }
    EXPECT_EQ(readFile(dir / "target"), "target data");
}

}  // namespace
