#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <vector>

#include "TempDir.h"
#include "ZVUtility.h"

namespace {

// While a test listens: what the file held at each fdatasync the engine made.
std::vector<std::string>* syncedContents = nullptr;

std::string contentsOf(int fd) {
    struct stat st;
    EXPECT_EQ(::fstat(fd, &st), 0);
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    EXPECT_EQ(::pread(fd, bytes.data(), bytes.size(), 0), st.st_size);
    return bytes;
}

}  // namespace

// Takes the C library's place in this program, so that the real syncs are seen and then made.
extern "C" int fdatasync(int fd) {
    if (syncedContents != nullptr) {
        syncedContents->push_back(contentsOf(fd));
    }
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

namespace {

struct PassCase {
    std::int32_t mode;
    std::vector<unsigned char> passes;  // the pattern byte of each pass; empty: one random pass
};

class OverwritePasses : public ::testing::TestWithParam<PassCase> {};

TEST_P(OverwritePasses, EveryPassInOrderEachSyncedBeforeTheNext) {
    TempDir dir;
    std::string original(10000, '\0');
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>('a' + (i * 7919) % 26);
    writeFile(dir / "f", original);
    std::vector<std::string> synced;
    syncedContents = &synced;
    const OverwriteOutcome outcome =
        overwriteFileAt(AT_FDCWD, dir / "f", shredModeFrom(GetParam().mode));
    syncedContents = nullptr;
    EXPECT_EQ(outcome.status, OverwriteStatus::Overwritten);
    EXPECT_EQ(outcome.bytes, 10000u);
    EXPECT_FALSE(outcome.verified);  // not asked for
    const std::vector<unsigned char>& passes = GetParam().passes;
    if (passes.empty()) {
        ASSERT_EQ(synced.size(), 1u);
        std::size_t same = 0;
        for (std::size_t i = 0; i < synced[0].size(); ++i) same += synced[0][i] == original[i];
        EXPECT_LT(same, 200u);  // random bytes: about 40 by chance
        EXPECT_NE(synced[0].find_first_not_of(synced[0][0]), std::string::npos);
    } else {
        ASSERT_EQ(synced.size(), passes.size());
        for (std::size_t p = 0; p < passes.size(); ++p) {
            EXPECT_EQ(synced[p], std::string(10000, static_cast<char>(passes[p]))) << "pass " << p;
        }
    }
    EXPECT_EQ(readFile(dir / "f"), synced.back());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OverwritePasses,
    ::testing::Values(PassCase{1, {0x55, 0xFF, 0xAA, 0x00}},
                      PassCase{2,
                               {0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00}},
                      PassCase{0, {}}, PassCase{7, {}}, PassCase{-1, {}}),
    [](const ::testing::TestParamInfo<PassCase>& info) {
        const std::int32_t mode = info.param.mode;
        return "Mode" + (mode < 0 ? "Minus" + std::to_string(-mode) : std::to_string(mode));
    });

TEST(OverwriteFile, AFailedSyncMakesTheResultZero) {
    TempDir dir;
    writeFile(dir / "f", "contents");
    OverwriteSeams seams;
    int syncs = 0;
    seams.syncPass = [&syncs](int) { return ++syncs == 2 ? EIO : 0; };
    const OverwriteOutcome outcome =
        overwriteFileAt(AT_FDCWD, dir / "f", ShredMode::FourPasses, seams);
    EXPECT_EQ(outcome.bytes, 0u);
    EXPECT_EQ(outcome.status, OverwriteStatus::Failed);
    EXPECT_EQ(outcome.errorNumber, EIO);
    EXPECT_EQ(syncs, 2);  // no pass after the one that did not reach the device
}

// Another file or a link put in the file's place, after it was examined or between two
// passes, is never written, and the result is no success.
TEST(OverwriteFile, AFileSwappedForAnotherOrALinkIsNeverWritten) {
    for (bool betweenPasses : {false, true}) {
        for (bool link : {false, true}) {
            TempDir dir;
            writeFile(dir / "f", "chosen");
            writeFile(dir / "outside", "not chosen");
            auto swap = [&] {
                ASSERT_EQ(::rename((dir / "f").c_str(), (dir / "moved").c_str()), 0);
                if (link) {
                    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "f").c_str()), 0);
                } else {
                    writeFile(dir / "f", "not chosen");
                }
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
            const OverwriteOutcome outcome =
                overwriteFileAt(AT_FDCWD, dir / "f", ShredMode::FourPasses, seams);
            const std::string which = std::string(betweenPasses ? "between" : "before open") +
                                      (link ? ", link" : ", file");
            EXPECT_EQ(outcome.status, OverwriteStatus::Failed) << which;
            EXPECT_EQ(outcome.bytes, 0u) << which;
            EXPECT_EQ(readFile(dir / "outside"), "not chosen") << which;
            EXPECT_EQ(readFile(dir / "f"), "not chosen") << which;
            if (betweenPasses) {
                // The file that was chosen got every pass all the same.
                EXPECT_EQ(readFile(dir / "moved"), std::string(6, '\0')) << which;
            }
        }
    }
}

// What the verification read back: the blocks in turn, optionally with one byte changed.
struct ReadBackRecorder {
    void seeIn(OverwriteSeams& seams) {
        seams.readBack = [this](std::uint64_t offset, unsigned char* data, std::size_t length) {
            EXPECT_EQ(offset, read);  // in order, none skipped or read twice
            if (flipAt >= offset && flipAt < offset + length) {
                data[flipAt - offset] ^= 0x01;
            }
            read += length;
            ++blocks;
        };
    }
    std::uint64_t flipAt = UINT64_MAX;
    std::uint64_t read = 0;
    int blocks = 0;
};

// Bytes appended during the passes are overwritten and read back with the rest (a random
// pass's digest then spans two rounds); a file that keeps growing is no success.
TEST(OverwriteFile, AGrownTailIsOverwrittenAndVerifiedButAFileThatKeepsGrowingIsNoSuccess) {
    for (std::int32_t mode : {0, 1}) {
        for (bool keepsGrowing : {false, true}) {
            const std::string which =
                "mode " + std::to_string(mode) + (keepsGrowing ? ", keeps growing" : "");
            TempDir dir;
            writeFile(dir / "f", std::string(10000, 'x'));
            OverwriteSeams seams;
            seams.verifyLastPass = true;
            ReadBackRecorder recorder;
            recorder.seeIn(seams);
            int appended = 0;
            seams.afterPass = [&](int, int) {
                if (keepsGrowing || appended++ == 0) {
                    std::ofstream(dir / "f", std::ios::app) << std::string(5000, 'y');
                }
            };
            const OverwriteOutcome outcome =
                overwriteFileAt(AT_FDCWD, dir / "f", shredModeFrom(mode), seams);
            if (keepsGrowing) {
                EXPECT_EQ(outcome.status, OverwriteStatus::Changed) << which;
                EXPECT_EQ(outcome.bytes, 0u) << which;
                continue;
            }
            EXPECT_EQ(outcome.status, OverwriteStatus::Overwritten) << which;
            EXPECT_TRUE(outcome.verified) << which;
            EXPECT_EQ(outcome.bytes, 15000u) << which;
            EXPECT_EQ(recorder.read, 15000u) << which;
            const std::string after = readFile(dir / "f");
            EXPECT_EQ(after.size(), 15000u) << which;
            EXPECT_EQ(after.find("yyyyyyyyyyyyyyyy"), std::string::npos) << which;
            EXPECT_TRUE(mode == 0 || after == std::string(15000, '\0')) << which;
        }
    }
}

// A file larger than two random blocks: blocks are read ahead on other threads and written
// back early; every chunk must still be fresh random bytes, none repeated or left out.
TEST(OverwriteFile, ARandomPassOverALargeFileWritesFreshBytesEverywhere) {
    TempDir dir;
    constexpr std::size_t kSize = (20 << 20) + 1234;
    writeFile(dir / "big", std::string(kSize, 'x'));
    EXPECT_EQ(overwriteFile(dir / "big", 0), kSize);
    const std::string after = readFile(dir / "big");
    ASSERT_EQ(after.size(), kSize);
    std::set<std::string> chunks;
    for (std::size_t at = 0; at < kSize; at += 4096) {
        const std::string chunk = after.substr(at, 4096);
        EXPECT_EQ(chunk.find(std::string(64, 'x')), std::string::npos) << "at " << at;
        chunks.insert(chunk);
    }
    EXPECT_EQ(chunks.size(), (kSize + 4095) / 4096);
}

// Several read-back blocks and a tail, for both ways of comparing: a pattern, a digest.
TEST(OverwriteFile, TheLastPassReadBackAsWrittenIsVerifiedAndOneChangedByteIsCaught) {
    constexpr std::uint64_t kSize = (9 << 20) + 123;
    for (std::int32_t mode : {0, 1}) {
        for (std::uint64_t flipAt : {UINT64_MAX, std::uint64_t{4 << 20} + 7, kSize - 1}) {
            const std::string which = "mode " + std::to_string(mode) + ", flip at " +
                                      std::to_string(static_cast<std::int64_t>(flipAt));
            TempDir dir;
            writeFile(dir / "f", std::string(kSize, 'x'));
            OverwriteSeams seams;
            seams.verifyLastPass = true;
            ReadBackRecorder recorder;
            recorder.flipAt = flipAt;
            recorder.seeIn(seams);
            const OverwriteOutcome outcome =
                overwriteFileAt(AT_FDCWD, dir / "f", shredModeFrom(mode), seams);
            EXPECT_EQ(outcome.bytes, kSize) << which;
            EXPECT_EQ(outcome.passesCompleted, mode == 1 ? 4 : 1) << which;
            EXPECT_EQ(outcome.errorNumber, 0) << which;
            if (flipAt == UINT64_MAX) {
                EXPECT_EQ(outcome.status, OverwriteStatus::Overwritten) << which;
                EXPECT_TRUE(outcome.verified) << which;
                EXPECT_EQ(recorder.read, kSize) << which;
                EXPECT_GT(recorder.blocks, 1) << which;
            } else {
                EXPECT_EQ(outcome.status, OverwriteStatus::Unverified) << which;
                EXPECT_GT(recorder.read, flipAt) << which;  // a pattern may stop at the change
                EXPECT_FALSE(outcome.verified) << which;
            }
        }
    }
}

// A stop while reading back: every pass is on the device, so all of them count.
TEST(OverwriteFile, AStopDuringTheReadBackCountsEveryPass) {
    for (std::int32_t mode : {0, 1}) {
        struct StopOnceReading : OverwriteObserver {
            void overwriteProgress(int, int, std::uint64_t, std::uint64_t) override {}
            bool overwriteShouldStop() override { return reading; }
            bool reading = false;
        } observer;
        TempDir dir;
        writeFile(dir / "f", std::string((9 << 20) + 123, 'x'));
        OverwriteSeams seams;
        seams.verifyLastPass = true;
        seams.observer = &observer;
        seams.readBack = [&](std::uint64_t, unsigned char*, std::size_t) {
            observer.reading = true;
        };
        const OverwriteOutcome outcome =
            overwriteFileAt(AT_FDCWD, dir / "f", shredModeFrom(mode), seams);
        EXPECT_EQ(outcome.status, OverwriteStatus::Stopped) << mode;
        EXPECT_EQ(outcome.passesCompleted, mode == 1 ? 4 : 1) << mode;
        EXPECT_EQ(outcome.bytes, (9u << 20) + 123) << mode;
        EXPECT_FALSE(outcome.verified) << mode;
    }
}

// Around the 4 KiB chunk: exactly the length is written; a name need not be UTF-8.
TEST(OverwriteFile, ChunkBoundariesWriteExactlyTheLength) {
    for (std::size_t size : {1u, 4095u, 4096u, 4097u, 8192u, 10000u}) {
        TempDir dir;
        const std::string path = dir / std::string("caf\xe9\xff");
        writeFile(path, std::string(size, 'x'));
        EXPECT_EQ(overwriteFile(path, 1), size) << size;
        EXPECT_EQ(readFile(path), std::string(size, '\0')) << size;
        EXPECT_EQ(overwriteFile(path, 0), size) << size;
        EXPECT_EQ(readFile(path).size(), size) << size;
    }
}

// The random pass is a stream keyed from the device for each file: a device that cannot give
// a whole key keeps the file whole, the same key gives the same bytes, and the real device
// gives every run bytes of its own.
TEST(OverwriteFile, TheRandomPassIsAStreamKeyedFromTheDeviceForEachFile) {
    TempDir dir;
    writeFile(dir / "key", std::string(32, 'k'));
    writeFile(dir / "short", std::string(31, 'k'));
    const std::string original(10000, 'x');
    auto written = [&](const std::string& device) {
        writeFile(dir / "f", original);
        EXPECT_EQ(overwriteFileExplained(dir / "f", 0, device.c_str()).bytes, 10000u) << device;
        return readFile(dir / "f");
    };
    writeFile(dir / "f", original);
    const OverwriteOutcome shortKey = overwriteFileExplained(dir / "f", 0, (dir / "short").c_str());
    EXPECT_EQ(shortKey.status, OverwriteStatus::NoRandomBytes);
    EXPECT_EQ(readFile(dir / "f"), original);
    const std::string keyed = written(dir / "key");
    EXPECT_EQ(written(dir / "key"), keyed);
    EXPECT_EQ(keyed.find(std::string(16, 'k')), std::string::npos);
    EXPECT_EQ(keyed.find(std::string(16, 'x')), std::string::npos);
    const std::string first = written(kRandomDevice);
    EXPECT_NE(first, keyed);
    EXPECT_NE(written(kRandomDevice), first);
}

TEST(OverwriteFile, MissingPathEmptyFileAndMissingRandomDeviceYieldZero) {
    TempDir dir;
    OverwriteOutcome missing = overwriteFileExplained(dir / "nothing", 1);
    EXPECT_EQ(missing.bytes, 0u);
    EXPECT_EQ(missing.status, OverwriteStatus::Failed);
    EXPECT_EQ(missing.errorNumber, ENOENT);

    // Without the random device a file with contents is not touched and the device is
    // named as the reason; what has nothing to overwrite goes on as ever.
    const std::string noDevice = dir / "no-urandom";
    writeFile(dir / "f", "keep me");
    const OverwriteOutcome kept = overwriteFileExplained(dir / "f", 0, noDevice.c_str());
    EXPECT_EQ(kept.bytes, 0u);
    EXPECT_EQ(kept.status, OverwriteStatus::NoRandomBytes);
    EXPECT_EQ(kept.errorNumber, ENOENT);
    EXPECT_EQ(readFile(dir / "f"), "keep me");
    writeFile(dir / "empty", "");
    ASSERT_EQ(::symlink("f", (dir / "link").c_str()), 0);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    for (std::int32_t mode : {0, 1}) {
        const OverwriteOutcome empty =
            overwriteFileExplained(dir / "empty", mode, noDevice.c_str());
        EXPECT_EQ(empty.status, OverwriteStatus::Empty) << mode;
        EXPECT_EQ(empty.bytes, 0u) << mode;
    }
    EXPECT_EQ(readFile(dir / "empty"), "");
    for (const char* name : {"link", "fifo"}) {
        EXPECT_EQ(overwriteFileExplained(dir / name, 0, noDevice.c_str()).status,
                  OverwriteStatus::NotOverwritable)
            << name;
    }
    // The pattern modes do not need the device.
    EXPECT_EQ(overwriteFileExplained(dir / "f", 2, noDevice.c_str()).bytes, 7u);
}

TEST(OverwriteFile, UnreadableOrUnwritableFileKeepsItsContents) {
    TempDir dir;
    AsOrdinaryUser user;
    for (mode_t mode : {0400, 0200, 0000}) {
        const std::string path = dir / ("f" + std::to_string(mode));
        writeFile(path, "secret");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        const OverwriteOutcome outcome = overwriteFileExplained(path, 1);
        EXPECT_EQ(outcome.bytes, 0u) << mode;
        EXPECT_EQ(outcome.status, OverwriteStatus::Failed) << mode;
        EXPECT_EQ(outcome.errorNumber, EACCES) << mode;
        ::chmod(path.c_str(), 0600);
        EXPECT_EQ(readFile(path), "secret") << mode;
    }
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
    // Once it is the last name, it is overwritten.
    ASSERT_EQ(::unlink((dir / "second-name").c_str()), 0);
    EXPECT_EQ(overwriteFile(dir / "target", 1), 11u);
    EXPECT_EQ(readFile(dir / "target"), std::string(11, '\0'));
}

}  // namespace
