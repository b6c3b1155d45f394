// What a run says it will not reach before it starts, and what it did after it.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "PathString.h"
#include "PrivateMounts.h"
#include "ShredderFixture.h"

namespace {

class RecordingAccount : public AccountView {
public:
    void showWarnings(const std::vector<std::string>& lines) override {
        warnings = lines;
        treeThereAtWarnings = exists(watched);
    }
    void showAccount(const std::string& line, const std::vector<std::string>& lines) override {
        summary = line;
        details = lines;
    }
    std::string watched;
    bool treeThereAtWarnings = false;
    std::vector<std::string> warnings, details;
    std::string summary;
};

bool anyHolds(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class Account : public ShredderFixture {
protected:
    Account() {
        connections.account = &view;
        reconnect();
    }

    // "tree": a plain file, a file with a second name outside, one whose two names are both
    // inside, a fifo and a link to a folder outside.
    void makeTree() {
        makeFolder(dir / "tree");
        makeFolder(dir / "tree/sub");
        makeFolder(dir / "outside");
        writeFile(dir / "tree/plain", std::string(3000, 'p'));
        writeFile(dir / "outside/backup", "kept under another name");
        ASSERT_EQ(::link((dir / "outside/backup").c_str(), (dir / "tree/shared").c_str()), 0);
        writeFile(dir / "tree/twice", std::string(5000, 't'));
        ASSERT_EQ(::link((dir / "tree/twice").c_str(), (dir / "tree/sub/twice-again").c_str()), 0);
        ASSERT_EQ(::mkfifo((dir / "tree/fifo").c_str(), 0600), 0);
        ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "tree/elsewhere").c_str()), 0);
        view.watched = dir / "tree";
    }

    RecordingAccount view;
};

TEST_F(Account, TheConfirmationNamesTheSelectionAndTheAccountWhatWasNotDestroyed) {
    makeTree();
    const int twice = ::open((dir / "tree/twice").c_str(), O_RDONLY);
    ASSERT_GE(twice, 0);
    defaults.values = {{"shredWarning", 1}};
    alerts.answers = {0};  // Proceed
    shredder->shredFiles(dir / "tree", true);

    ASSERT_EQ(alerts.seen.size(), 1u);
    const Alert& asked = alerts.seen[0];
    EXPECT_EQ(asked.message, shredder_text::kConfirmation);
    const std::vector<std::string>& said = asked.details;
    ASSERT_GE(said.size(), 3u);
    EXPECT_EQ(said[0].rfind("What: the folder " + (dir / "tree") + " with ", 0), 0u) << said[0];
    EXPECT_EQ(said[1].rfind("How much: 7 items (1 symbolic link), ", 0), 0u) << said[1];
    EXPECT_NE(said[1].find(totalBytes.value), std::string::npos) << said[1];
    EXPECT_EQ(said[2], "How: 1 pass of random bytes");
    // Only the name with a name outside is said to keep its contents.
    const std::vector<std::string> warned(said.begin() + 3, said.end());
    EXPECT_TRUE(anyHolds(warned, "1 file also has names outside the selection: ")) << said[3];
    EXPECT_TRUE(anyHolds(warned, dir / "tree/shared"));
    EXPECT_FALSE(anyHolds(warned, "twice"));
    EXPECT_TRUE(anyHolds(said, "1 special file (device, pipe or socket) is removed"));
    EXPECT_TRUE(anyHolds(said, "1 symbolic link is removed; what it points to is left alone"));

    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(dir / "outside/backup"), "kept under another name");
    // The contents with both names inside were destroyed at their last name.
    char first[8] = {};
    ASSERT_EQ(::pread(twice, first, sizeof first, 0), 8);
    ::close(twice);
    EXPECT_NE(std::string(first, 8), std::string(8, 't'));

    const RunAccount& done = shredder->lastRunAccount();
    EXPECT_EQ(done.filesOverwritten, 2u);
    EXPECT_EQ(done.bytesOverwritten, 8000u);
    EXPECT_EQ(done.symbolicLinks.first, std::vector<std::string>{dir / "tree/elsewhere"});
    EXPECT_EQ(done.specialFiles.first, std::vector<std::string>{dir / "tree/fifo"});
    EXPECT_NE(view.summary.find("2 files overwritten"), std::string::npos) << view.summary;
    EXPECT_NE(view.summary.find("1 name removed, contents still on the disk"), std::string::npos);
    EXPECT_TRUE(anyHolds(view.details, "under another name (hard link): " + (dir / "tree/shared")));
    EXPECT_TRUE(anyHolds(view.details, "Storage"));
    EXPECT_TRUE(view.warnings.empty());  // they were in the confirmation
}

TEST_F(Account, WithoutAConfirmationTheWarningsComeBeforeTheWalk) {
    makeTree();
    defaults.values = {{"shredWarning", 0}};
    shredder->shredFiles(dir / "tree", true);
    EXPECT_TRUE(alerts.seen.empty());
    EXPECT_TRUE(view.treeThereAtWarnings);
    EXPECT_TRUE(anyHolds(view.warnings, "names outside the selection"));
    EXPECT_TRUE(anyHolds(view.warnings, "symbolic link"));
    EXPECT_FALSE(exists(dir / "tree"));

    // A link given with a trailing slash is the link: its folder is neither counted nor touched.
    writeFile(dir / "outside/inner", "stays");
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "to-outside").c_str()), 0);
    shredder->shredFiles(dir / "to-outside/", true);
    EXPECT_FALSE(exists(dir / "to-outside"));
    EXPECT_EQ(readFile(dir / "outside/inner"), "stays");
    EXPECT_EQ(totalCount.value, "1");
    EXPECT_EQ(shredder->lastRunAccount().symbolicLinks.count, 1u);
    EXPECT_TRUE(anyHolds(view.details, "what it points to was not touched (symbolic link): " +
                                           (dir / "to-outside")));
}

// A read-only mount or an immutable flag is not a matter of permission: the denial says so.
TEST_F(Account, ADenialSaysWhyWhenItIsNotPermission) {
    RUN_IN_PRIVATE_MOUNTS(false, [this] {
        const std::string mount = dir / "mount";
        makeFolder(mount);
        mountTmpfs(mount);
        writeFile(mount + "/fixed", "fixed");
        const int fd = ::open((mount + "/fixed").c_str(), O_RDONLY);
        int flags = FS_IMMUTABLE_FL;
        if (fd < 0 || ::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) {
            throw std::runtime_error(std::string("cannot set the immutable flag on tmpfs: ") +
                                     std::strerror(errno));
        }
        shredder->shredFiles(mount + "/fixed", false);
        EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Denied);
        EXPECT_NE(alerts.seen.back().message.find("immutable or append-only"), std::string::npos)
            << alerts.seen.back().message;
        // Met inside a folder, a flag is named too: an immutable file, an append-only one, and
        // a file in an immutable folder are left whole, and the run stops on them.
        const std::pair<std::string, int> flagged[] = {{"/immutable/file", FS_IMMUTABLE_FL},
                                                       {"/appended/file", FS_APPEND_FL},
                                                       {"/locked/in/file", FS_IMMUTABLE_FL}};
        for (const auto& [name, flag] : flagged) {
            const std::string file = mount + name;
            const std::string marked =
                flag == FS_APPEND_FL || name.find("/in/") == std::string::npos
                    ? file
                    : stringByDeletingLastPathComponent(file);
            ASSERT_EQ(std::system(("mkdir -p " + stringByDeletingLastPathComponent(file)).c_str()),
                      0);
            writeFile(file, "whole");
            const int markedFd = ::open(marked.c_str(), O_RDONLY);
            int set = flag;
            ASSERT_EQ(::ioctl(markedFd, FS_IOC_SETFLAGS, &set), 0);
            const std::string top = mount + "/" + name.substr(1, name.find('/', 1) - 1);
            shredder->shredFiles(top, true);
            set = 0;
            ::ioctl(markedFd, FS_IOC_SETFLAGS, &set);
            ::close(markedFd);
            EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Failed) << name;
            EXPECT_EQ(statusText.value,
                      "Left untouched: it could not be removed afterwards (it or "
                      "its folder is marked immutable or append-only): " +
                          marked);
            EXPECT_EQ(readFile(file), "whole");
        }
        flags = 0;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        ::close(fd);

        if (::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            throw std::runtime_error("cannot remount read-only");
        }
        shredder->shredFiles(mount + "/fixed", false);
        EXPECT_EQ(alerts.seen.back().message,
                  mount +
                      "/fixed is on a read-only file system: nothing on it can be removed, "
                      "so nothing is overwritten.");
        EXPECT_EQ(readFile(mount + "/fixed"), "fixed");
    });
}

}  // namespace
