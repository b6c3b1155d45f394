#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TempDir.h"
#include "ZVUtility.h"

namespace {

std::string randomish(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7919) % 26);
    return s;
}

struct ModeCase {
    std::int32_t mode;
    bool zeroesAtEnd;  // both pattern tables end with 0x00
};

class OverwriteModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(OverwriteModes, EveryByteReplacedLengthKeptSizeReturned) {
    TempDir dir;
    const std::string original = randomish(10000);
    writeFile(dir / "f", original);
    const OverwriteOutcome outcome = overwriteFileExplained(dir / "f", GetParam().mode);
    EXPECT_EQ(outcome.status, OverwriteStatus::Overwritten);
    EXPECT_EQ(outcome.bytes, 10000u);
    const std::string after = readFile(dir / "f");
    ASSERT_EQ(after.size(), 10000u);
    if (GetParam().zeroesAtEnd) {
        EXPECT_EQ(after, std::string(10000, '\0'));
    } else {
        // Random bytes: no run of the original survives.
        std::size_t same = 0;
        for (std::size_t i = 0; i < after.size(); ++i) same += after[i] == original[i];
        EXPECT_LT(same, 200u);
        EXPECT_NE(after, std::string(10000, '\0'));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, OverwriteModes,
                         ::testing::Values(ModeCase{1, true}, ModeCase{2, true}, ModeCase{0, false},
                                           ModeCase{7, false}, ModeCase{-1, false}));

TEST(OverwriteFile, ChunkBoundariesWriteExactlyTheLength) {
    for (std::size_t size : {1u, 4095u, 4096u, 4097u, 8192u, 10000u}) {
        TempDir dir;
        writeFile(dir / "f", std::string(size, 'x'));
        EXPECT_EQ(overwriteFile(dir / "f", 1), size) << size;
        EXPECT_EQ(readFile(dir / "f"), std::string(size, '\0')) << size;
        EXPECT_EQ(overwriteFile(dir / "f", 0), size) << size;
        EXPECT_EQ(readFile(dir / "f").size(), size) << size;
    }
}

TEST(OverwriteFile, RandomModeReadsAWholeChunkPerChunk) {
    // A device of 12,288 bytes is exactly what a 10,000-byte file needs (three chunks);
    // one byte fewer makes the last read short, which must not count as overwritten.
    TempDir dir;
    writeFile(dir / "random", std::string(12288, 'R'));
    writeFile(dir / "short", std::string(12287, 'R'));
    writeFile(dir / "f", std::string(10000, 'x'));
    EXPECT_EQ(overwriteFileExplained(dir / "f", 0, (dir / "random").c_str()).bytes, 10000u);
    EXPECT_EQ(readFile(dir / "f"), std::string(10000, 'R'));
    writeFile(dir / "f", std::string(10000, 'x'));
    const OverwriteOutcome outcome = overwriteFileExplained(dir / "f", 0, (dir / "short").c_str());
    EXPECT_EQ(outcome.bytes, 0u);
    EXPECT_EQ(outcome.status, OverwriteStatus::Failed);
}

TEST(OverwriteFile, EmptyFileIsNeverOpened) {
    TempDir dir;
    writeFile(dir / "empty", "");
    struct timespec old[2] = {{1000000, 0}, {1000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "empty").c_str(), old, 0), 0);
    const OverwriteOutcome outcome = overwriteFileExplained(dir / "empty", 1);
    EXPECT_EQ(outcome.bytes, 0u);
    EXPECT_EQ(outcome.status, OverwriteStatus::Empty);
    struct stat st;
    ASSERT_EQ(::stat((dir / "empty").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000);
    EXPECT_EQ(st.st_size, 0);
}

TEST(OverwriteFile, MissingPathAndMissingRandomDeviceYieldZero) {
    TempDir dir;
    OverwriteOutcome missing = overwriteFileExplained(dir / "nothing", 1);
    EXPECT_EQ(missing.bytes, 0u);
    EXPECT_EQ(missing.status, OverwriteStatus::Failed);
    EXPECT_EQ(missing.errorNumber, ENOENT);

    writeFile(dir / "f", "keep me");
    OverwriteOutcome noDevice = overwriteFileExplained(dir / "f", 0, (dir / "no-urandom").c_str());
    EXPECT_EQ(noDevice.bytes, 0u);
    EXPECT_EQ(readFile(dir / "f"), "keep me");
    // The pattern modes do not need the device.
    EXPECT_EQ(overwriteFileExplained(dir / "f", 2, (dir / "no-urandom").c_str()).bytes, 7u);
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

TEST(OverwriteFile, NameThatIsNotUtf8) {
    TempDir dir;
    const std::string path = dir / std::string("caf\xe9\xff.txt");
    writeFile(path, "bytes");
    EXPECT_EQ(overwriteFile(path, 2), 5u);
    EXPECT_EQ(readFile(path), std::string(5, '\0'));
}

}  // namespace
