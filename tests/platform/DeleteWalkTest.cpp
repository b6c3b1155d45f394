#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <functional>
#include <set>

#include "PathString.h"
#include "PosixFileManager.h"
#include "TempDir.h"

namespace {

// Records the walk's calls and checks, at each announcement, that the item is still there.
class RecordingHandler : public RemovalHandler {
public:
    std::optional<std::string> fileManagerWillProcessPath(FileManager& m,
                                                          const std::string& path) override {
        announced.push_back(path);
        presentWhenAnnounced = presentWhenAnnounced && m.examineItemAtPath(path).kind != ItemKind::Missing;
        if (onAnnounce)
            onAnnounce(m, path);
        if (path == refuse)
            return std::string("refused");
        return std::nullopt;
    }
    bool fileManagerShouldProceedAfterError(FileManager&, const RemovalError& info) override {
        errors.push_back(info);
        return proceed;
    }
    std::vector<std::string> announced;
    std::vector<RemovalError> errors;
    bool presentWhenAnnounced = true;
    bool proceed = false;
    std::string refuse;
    std::function<void(FileManager&, const std::string&)> onAnnounce;
};

TEST(DeleteWalk, AnnouncesEveryItemBeforeRemovingAndRemovesTheTree) {
    TempDir dir;
    makeFolder(dir / "top");
    makeFolder(dir / "top/sub");
    writeFile(dir / "top/a", "a");
    writeFile(dir / "top/sub/b", "b");
    ASSERT_EQ(::symlink("/etc/passwd", (dir / "top/link").c_str()), 0);
    PosixFileManager files;
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(dir / "top", handler));
    EXPECT_FALSE(exists(dir / "top"));
    EXPECT_TRUE(handler.presentWhenAnnounced);
    EXPECT_TRUE(handler.errors.empty());
    const std::set<std::string> announced(handler.announced.begin(), handler.announced.end());
    EXPECT_EQ(announced, (std::set<std::string>{dir / "top", dir / "top/sub", dir / "top/a",
                                                dir / "top/sub/b", dir / "top/link"}));
    EXPECT_EQ(handler.announced.front(), dir / "top");  // a folder before what it holds
    EXPECT_TRUE(exists("/etc/passwd"));
}

TEST(DeleteWalk, StopsAtFirstErrorAndKeepsTheRest) {
    TempDir dir;
    makeFolder(dir / "top");
    for (int i = 0; i < 5; ++i) writeFile(dir / ("top/f" + std::to_string(i)), "x");
    PosixFileManager files;
    RecordingHandler handler;
    int seen = 0;
    handler.onAnnounce = [&](FileManager&, const std::string& path) {
        if (path != dir / "top" && ++seen == 2)
            handler.refuse = path;
    };
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    ASSERT_EQ(handler.errors.size(), 1u);
    EXPECT_EQ(handler.errors[0].path, handler.refuse);
    EXPECT_EQ(handler.errors[0].error, "refused");
    EXPECT_TRUE(exists(handler.refuse));
    EXPECT_EQ(handler.announced.size(), 3u);  // top, one removed file, the refused one
    int left = 0;
    for (int i = 0; i < 5; ++i) left += exists(dir / ("top/f" + std::to_string(i)));
    EXPECT_EQ(left, 4);
}

TEST(DeleteWalk, ProceedingPastAnErrorStillAnswersNo) {
    TempDir dir;
    makeFolder(dir / "top");
    writeFile(dir / "top/keep", "x");
    writeFile(dir / "top/go", "x");
    PosixFileManager files;
    RecordingHandler handler;
    handler.proceed = true;
    handler.refuse = dir / "top/keep";
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    EXPECT_TRUE(exists(dir / "top/keep"));
    EXPECT_FALSE(exists(dir / "top/go"));
    ASSERT_EQ(handler.errors.size(), 2u);  // the refusal, then the folder not empty
    EXPECT_EQ(handler.errors[1].path, dir / "top");
}

TEST(DeleteWalk, MissingItemIsAnErrorAndASymlinkTopIsRemovedNotFollowed) {
    TempDir dir;
    PosixFileManager files;
    RecordingHandler missing;
    EXPECT_FALSE(files.removeFileAtPath(dir / "nothing", missing));
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].error, "No such file or directory");

    makeFolder(dir / "elsewhere");
    writeFile(dir / "elsewhere/precious", "p");
    ASSERT_EQ(::symlink((dir / "elsewhere").c_str(), (dir / "link").c_str()), 0);
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(dir / "link", handler));
    EXPECT_FALSE(exists(dir / "link"));
    EXPECT_EQ(readFile(dir / "elsewhere/precious"), "p");
    EXPECT_EQ(handler.announced, std::vector<std::string>{dir / "link"});
}

TEST(DeleteWalk, FolderSwappedForALinkWhileWalkingIsNotFollowed) {
    TempDir dir;
    makeFolder(dir / "outside");
    writeFile(dir / "outside/precious", "p");
    makeFolder(dir / "top");
    makeFolder(dir / "top/sub");
    writeFile(dir / "top/sub/f", "x");
    PosixFileManager files;
    RecordingHandler handler;
    handler.onAnnounce = [&](FileManager&, const std::string& path) {
        if (path == dir / "top/sub") {
            // An attacker replaces the folder by a link to somewhere else, after the walk saw it.
            ASSERT_EQ(::rename((dir / "top/sub").c_str(), (dir / "moved").c_str()), 0);
            ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "top/sub").c_str()), 0);
        }
    };
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    EXPECT_EQ(readFile(dir / "outside/precious"), "p");
    ASSERT_FALSE(handler.errors.empty());
    EXPECT_EQ(handler.errors[0].path, dir / "top/sub");
    for (const auto& path : handler.announced) EXPECT_EQ(path.find("precious"), std::string::npos);
}

TEST(DeleteWalk, ATreeDeeperThanPathMaxIsRemoved) {
    TempDir dir;
    const std::string name(200, 'd');
    makeFolder(dir / "top");
    int fd = ::open((dir / "top").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int depth = 0; depth < 30; ++depth) {  // 30 x 201 bytes: past PATH_MAX
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
        int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        ASSERT_GE(fd, 0);
    }
    int file = ::openat(fd, "deep-file", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(file, "deep", 4), 4);
    ::close(file);
    ::close(fd);
    PosixFileManager files;
    RecordingHandler handler;
    bool deepFileReachable = false;
    handler.onAnnounce = [&](FileManager& m, const std::string& path) {
        if (lastPathComponent(path) == "deep-file") {
            EXPECT_GT(path.size(), static_cast<std::size_t>(PATH_MAX));
            bool isDirectory = true;
            deepFileReachable = m.fileExistsAtPath(path, isDirectory) && !isDirectory;
        }
    };
    EXPECT_TRUE(files.removeFileAtPath(dir / "top", handler));
    EXPECT_TRUE(deepFileReachable);
    EXPECT_FALSE(exists(dir / "top"));
    EXPECT_EQ(handler.announced.size(), 32u);
}

TEST(Enumerator, YieldsEveryEntryWithoutDescendingThroughLinks) {
    TempDir dir;
    makeFolder(dir / "top");
    makeFolder(dir / "top/sub");
    writeFile(dir / "top/sub/ten", "0123456789");
    ASSERT_EQ(::symlink("/etc", (dir / "top/etc-link").c_str()), 0);
    PosixFileManager files;
    auto entries = files.enumeratorAtPath(dir / "top");
    std::set<std::string> seen;
    while (auto entry = entries->nextObject()) {
        seen.insert(*entry);
        auto attributes = entries->fileAttributes();
        ASSERT_TRUE(attributes);
        if (*entry == "etc-link") {
            EXPECT_EQ(attributes->type, FileType::SymbolicLink);
        }
        if (*entry == "sub/ten") {
            EXPECT_EQ(attributes->size, 10u);
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"sub", "sub/ten", "etc-link"}));
}

TEST(FileManagerQueries, DeletabilityExistenceAndCopy) {
    TempDir dir;
    PosixFileManager files;
    writeFile(dir / "f", "data");
    EXPECT_TRUE(files.isDeletableFileAtPath(dir / "f"));
    EXPECT_FALSE(files.isDeletableFileAtPath(dir / "missing"));
    {
        AsOrdinaryUser user;
        makeFolder(dir / "locked");
        writeFile(dir / "locked/f", "x");
        ::chmod((dir / "locked").c_str(), 0555);
        EXPECT_FALSE(files.isDeletableFileAtPath(dir / "locked/f"));
        ::chmod((dir / "locked").c_str(), 0755);
    }
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    bool isDirectory = true;
    EXPECT_FALSE(files.fileExistsAtPath(dir / "dangling", isDirectory));
    EXPECT_TRUE(files.fileExistsAtPath(dir / "f", isDirectory));
    EXPECT_FALSE(isDirectory);

    EXPECT_TRUE(files.copyPath(dir / "f", dir / "copy"));
    EXPECT_EQ(readFile(dir / "copy"), "data");
    writeFile(dir / "f", "newer");
    EXPECT_FALSE(files.copyPath(dir / "f", dir / "copy"));  // never replaces
    EXPECT_EQ(readFile(dir / "copy"), "data");

    auto made = files.makeUniqueDirectory(dir / "app.42.XXXXX");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->size(), (dir / "app.42.XXXXX").size());
    struct stat st;
    ASSERT_EQ(::stat(made->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_NE(files.makeUniqueDirectory(dir / "app.42.XXXXX"), made);
}

}  // namespace
