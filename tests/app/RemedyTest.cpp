// Wipe Free Space and Shred Trash, run by zurizede-cli on small file systems made for them
// on loop devices: never on a file system of the machine itself.

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

#include "CliRunner.h"

namespace {

using namespace std::chrono_literals;

// A file system in an image file, mounted on a loop device at mnt. Discard is off on the
// device, so that only what the program writes changes what the image holds.
class LoopImage {
public:
    LoopImage(const std::string& image, const std::string& mnt, const std::string& mkfs,
              const std::string& size, const std::string& options = "")
        : image_(image), mnt_(mnt) {
        std::filesystem::create_directories(mnt);
        mounted_ = sh("truncate -s " + size + " '" + image + "' && " + mkfs + " '" + image +
                      "' >/dev/null 2>&1 && mount -o loop" + options + " '" + image + "' '" + mnt +
                      "' && echo 0 > /sys/block/$(basename $(findmnt -no SOURCE '" + mnt +
                      "'))/queue/discard_max_bytes");
    }
    ~LoopImage() { unmount(); }
    bool mounted() const { return mounted_; }
    void unmount() {
        if (mounted_) {
            sh("umount '" + mnt_ + "'");
            mounted_ = false;
        }
    }
    // Whether the image file, as the device holds it, contains the text anywhere.
    bool holds(const std::string& text) const {
        sh("sync");
        return readFile(image_).find(text) != npos;
    }
    // The loop device's kernel name, as sysfs knows it: "loop3".
    std::string device() const {
        std::string name;
        sh("basename $(findmnt -no SOURCE '" + mnt_ + "')", &name);
        return name;
    }
    std::uint64_t freeBytes() const {
        struct statvfs fs {};
        ::statvfs(mnt_.c_str(), &fs);
        return static_cast<std::uint64_t>(fs.f_bfree) * fs.f_frsize;
    }

private:
    std::string image_, mnt_;
    bool mounted_ = false;
};

class Remedy : public Cli {
protected:
    void SetUp() override {
        if (::geteuid() != 0 || ::access("/dev/loop-control", W_OK) != 0)
            GTEST_SKIP() << "needs root and loop devices to mount file systems made for the test";
    }
    // The files of the fill are gone: the file system holds what it held before.
    static std::vector<std::string> namesIn(const std::string& mnt) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(mnt))
            names.push_back(entry.path().lexically_relative(mnt));
        return names;
    }
};

constexpr const char* kMarker = "ZURIZEDE-MARKER-";

std::string markerLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += kMarker + std::to_string(i) + "\n";
    return text;
}

// How many times the text holds part: marker lines in a raw image, say.
std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != npos; at = text.find(part, at + 1)) ++found;
    return found;
}

// A file of marker lines as large as the file system lets it grow: every block a user's
// data may take once held a marker.
void fillWithMarkers(const std::string& file) {
    std::FILE* out = std::fopen(file.c_str(), "w");
    ASSERT_NE(out, nullptr);
    const std::string block = markerLines(4000);
    while (std::fwrite(block.data(), 1, block.size(), out) == block.size() && !std::ferror(out)) {
    }
    std::fclose(out);
}

// What earlier deletes and copy-on-write left in free blocks is gone from the raw image,
// but for what the file system keeps back for itself, which is said in bytes; the free
// space is back as it was, and ext4's own reserve is never lowered to reach it.
TEST_F(Remedy, TheFreeSpaceWipeReachesWhatDeletesAndCopyOnWriteLeft) {
    struct Case {
        const char* what;
        const char* mkfs;
        const char* size;
        bool shredFirst;      // else removed with a plain delete
        int files, lines;     // none: one file as large as the file system allows
        bool asUser = false;  // else as root
    };
    for (const Case& c :
         {Case{"ext4", "mkfs.ext4 -q -F -b 4096", "160M", false, 0, 0},
          Case{"ext4 as a user", "mkfs.ext4 -q -F -b 4096", "160M", false, 0, 0, true},
          Case{"xfs", "mkfs.xfs -q -f", "320M", false, 0, 0},
          Case{"xfs as a user", "mkfs.xfs -q -f", "320M", false, 0, 0, true},
          Case{"btrfs", "mkfs.btrfs -q -f", "160M", true, 1, 3000},
          Case{"ext4 inline_data", "mkfs.ext4 -q -F -b 4096 -I 256 -O inline_data", "160M", false,
               200, 1}}) {
        SCOPED_TRACE(c.what);
        LoopImage image(dir / "image", dir / "mnt", c.mkfs, c.size);
        ASSERT_TRUE(image.mounted());
        if (c.files == 0)
            fillWithMarkers(dir / "mnt/m0");
        for (int i = 0; i < c.files; ++i)
            writeFile(dir / ("mnt/m" + std::to_string(i)), markerLines(c.lines));
        sh("sync");
        for (int i = 0; i < std::max(c.files, 1); ++i) {
            const std::string file = dir / ("mnt/m" + std::to_string(i));
            if (c.shredFirst) {
                EXPECT_EQ(run({"--yes", "-q", file}).status, 0);
            } else {
                std::filesystem::remove(file);
            }
        }
        ASSERT_TRUE(image.holds(kMarker)) << "nothing left behind to wipe";
        const std::uint64_t before = image.freeBytes();
        const std::string reserve =
            readFile("/sys/fs/ext4/" + image.device() + "/reserved_clusters");

        std::filesystem::remove_all(dir / "reports");
        std::filesystem::create_directories(dir / "reports");
        if (c.asUser) {
            std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
            std::filesystem::permissions(dir / "mnt", std::filesystem::perms(0777));
            std::filesystem::permissions(dir / "reports", std::filesystem::perms(0777));
            runAs = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        }
        const Finished done =
            run({"--yes", "--free-space", dir / "mnt", "--report", dir / "reports/wipe.json"});
        runAs.clear();
        EXPECT_EQ(done.status, 0) << done.output;
        EXPECT_TRUE(said(done, "Free space has been wiped"));
        EXPECT_NEAR(double(image.freeBytes()), double(before), before * 0.01);
        EXPECT_EQ(readFile("/sys/fs/ext4/" + image.device() + "/reserved_clusters"), reserve);
        const bool keepsLostFound = std::string(c.what).rfind("ext4", 0) == 0;
        EXPECT_EQ(namesIn(dir / "mnt").size(), keepsLostFound ? 1u : 0u);
        image.unmount();
        // Whatever old data is left lies in the space the wipe said it could not fill.
        const std::string json = readFile(dir / "reports/wipe.json");
        const std::size_t at = json.find("\"bytesLeftUnfilled\": ");
        ASSERT_NE(at, npos) << json;
        const std::uint64_t unfilled = std::stoull(json.substr(at + 21));
        const std::size_t left = count(readFile(dir / "image"), kMarker);
        std::cout << c.what << ": " << left << " marker lines left, " << unfilled
                  << " bytes said to be left unfilled\n";
        const bool uncounted = done.output.find("which only root can count") != npos;
        EXPECT_TRUE(uncounted || left * markerLines(1).size() <= unfilled);
        EXPECT_TRUE(c.files == 0 || left == 0) << "small files leave nothing behind";
        EXPECT_TRUE(std::string(c.what) != "xfs" || unfilled > 0) << "its reserves go unsaid";
        EXPECT_EQ(uncounted, std::string(c.what) == "xfs as a user");
        std::filesystem::remove(dir / "image");
    }
}

// The folder is checked and filled through one descriptor: a folder swapped for a link to a
// memory file system while the question is open still has its own file system filled.
TEST_F(Remedy, TheWipeFillsTheFolderItChecked) {
    LoopImage image(dir / "image", dir / "mnt", "mkfs.ext4 -q -F", "64M");
    ASSERT_TRUE(image.mounted());
    makeFolder(dir / "mnt/d");
    makeFolder(dir / "ram");
    ASSERT_EQ(::mount("none", (dir / "ram").c_str(), "tmpfs", 0, "size=32m"), 0);
    const auto swap = [&] {
        std::filesystem::rename(dir / "mnt/d", dir / "mnt/d-checked");
        std::filesystem::create_directory_symlink(dir / "ram", dir / "mnt/d");
    };
    const Finished done = finish(start({"--free-space", dir / "mnt/d"}, true), "y\n", swap);
    struct statvfs ram {};
    ::statvfs((dir / "ram").c_str(), &ram);
    ::umount((dir / "ram").c_str());
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_EQ(ram.f_bfree, ram.f_blocks) << "the memory file system was filled";
    EXPECT_TRUE(said(done, "Free space has been wiped"));
}

// However the fill ends early, killed or stopped, the space is free again at once and no
// file of it is left.
TEST_F(Remedy, AFillEndedEarlyGivesTheSpaceBackAtOnce) {
    for (const int signal : {SIGKILL, SIGINT}) {
        SCOPED_TRACE(signal);
        LoopImage image(dir / "image", dir / "mnt", "mkfs.ext4 -q -F -b 4096", "1536M");
        ASSERT_TRUE(image.mounted());
        const std::uint64_t before = image.freeBytes();
        const Started started = start({"--yes", "--free-space", dir / "mnt"});
        ASSERT_TRUE(waitUntil([&] { return image.freeBytes() < before / 2; }, 60s))
            << "the fill never got under way";
        ::kill(started.first, signal);
        const auto signalled = std::chrono::steady_clock::now();
        waitUntil([&] { return image.freeBytes() >= before * 0.99; }, 5s);
        EXPECT_LE(std::chrono::steady_clock::now() - signalled, 1s);
        const Finished done = finish(started);
        if (signal == SIGINT) {
            EXPECT_EQ(done.status, 1);
            EXPECT_TRUE(said(done, "The wipe was stopped: the space it filled is free again."));
        }
        EXPECT_EQ(namesIn(dir / "mnt"), std::vector<std::string>{"lost+found"});
        image.unmount();
        std::filesystem::remove(dir / "image");
    }
}

// Memory and read-only file systems are refused; nobody answering is a cancel.
TEST_F(Remedy, WhatNeedsNoWipeOrCannotTakeOneIsRefused) {
    std::filesystem::create_directories(dir / "memory");
    ASSERT_EQ(::mount("none", (dir / "memory").c_str(), "tmpfs", 0, "size=1m"), 0);
    Finished done = run({"--yes", "--free-space", dir / "memory"});
    ::umount((dir / "memory").c_str());
    EXPECT_EQ(done.status, 1);
    EXPECT_TRUE(said(done, "is on a memory file system (tmpfs)"));
    EXPECT_FALSE(said(done, dir / "memory" + ": \n")) << "an empty account";

    LoopImage readOnly(dir / "image", dir / "mnt", "mkfs.ext4 -q -F", "16M", ",ro");
    ASSERT_TRUE(readOnly.mounted());
    done = run({"--yes", "--free-space", dir / "mnt"});
    EXPECT_EQ(done.status, 1);
    EXPECT_TRUE(said(done, "is on a read-only file system"));
    readOnly.unmount();

    LoopImage writable(dir / "image2", dir / "mnt", "mkfs.ext4 -q -F", "16M");
    const std::uint64_t before = writable.freeBytes();
    done = run({"--free-space", dir / "mnt"});
    EXPECT_EQ(done.status, 1);
    EXPECT_TRUE(said(done, "Wipe cancelled: nothing was filled"));
    EXPECT_EQ(writable.freeBytes(), before);
}

// Every trash folder is emptied through shred runs, records and directorysizes lines too
// (those that are passed over: UntrustedTrashFoldersArePassedOverAndNamed).
TEST_F(Remedy, ShreddingTheTrashEmptiesEveryTrashFolderAndNothingElse) {
    LoopImage home(dir / "home.img", dir / "home", "mkfs.ext4 -q -F", "32M");
    LoopImage usb(dir / "usb.img", dir / "usb", "mkfs.ext4 -q -F", "32M");
    ASSERT_TRUE(home.mounted() && usb.mounted());
    const std::string homeTrash = dir / "home/data/Trash";
    trashItem(homeTrash, "notes.txt", markerLines(400), "/home/ana/notes.txt");
    trashItem(homeTrash, "from usb", markerLines(400), dir / "usb/photos/from usb");
    std::filesystem::create_directories(homeTrash + "/files/my folder");
    writeFile(homeTrash + "/files/my folder/inner", markerLines(400));
    writeFile(homeTrash + "/info/my folder.trashinfo",
              "[Trash Info]\nPath=/home/ana/my%20folder\nDeletionDate=2026-12-01T10:00:00\n");
    // Over three MiB of lines for folders trashed long ago, the shredded folder's among them.
    std::string kept;
    for (int i = 0; i < 100000; ++i)
        kept += "4096 1764583200 old%20folder%20" + std::to_string(i) + "\n";
    const std::size_t middle = kept.find('\n', kept.size() / 2) + 1;
    writeFile(homeTrash + "/directorysizes",
              kept.substr(0, middle) + "16384 1764583200 my%20folder\n" + kept.substr(middle));
    ASSERT_GT(kept.size(), 3u << 20);
    trashItem(dir / "usb/.Trash-0", "report.pdf", markerLines(400), "report.pdf");
    sh("sync");

    const Finished done =
        finish(start({"--yes", "--confirm", "--trash"}, false, dir / "home/data"));
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_TRUE(said(done, "4 items"));  // the home trash's count
    EXPECT_TRUE(said(done, "from usb was trashed from another file system"));
    for (const std::string& trash : {homeTrash, dir / "usb/.Trash-0"}) {  // asked, and told
        EXPECT_EQ(count(done.output, trash + ": Storage (ext4): "), 2u) << done.output;
        EXPECT_EQ(count(done.output, trash + ": names: "), 1u) << done.output;  // told
    }
    for (const std::string& trash : {homeTrash, dir / "usb/.Trash-0"}) {
        EXPECT_EQ(entries(trash + "/files"), 0) << trash;
        EXPECT_EQ(entries(trash + "/info"), 0) << trash;
    }
    EXPECT_TRUE(readFile(homeTrash + "/directorysizes") == kept) << "its line stays, or others go";
    home.unmount();
    usb.unmount();
    EXPECT_FALSE(home.holds(kMarker));
    EXPECT_FALSE(usb.holds(kMarker));
}

// Runs a shell command as an ordinary user of no group of ours: another person at the machine.
bool asAnotherUser(const std::string& command) {
    return sh("setpriv --reuid=65534 --regid=65534 --clear-groups sh -c \"" + command + "\"");
}

// Whether the process holds a file open whose path ends so.
bool holdsOpen(pid_t pid, const std::string& ending) {
    std::error_code error;
    for (const auto& fd :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (std::filesystem::read_symlink(fd.path(), error).string().ends_with(ending))
            return true;
    }
    return false;
}

// On a stick whose top anyone may write, another user renames the trash folder and puts a
// link to a folder of the user's own in its place: while the question is open, or while the
// first item is overwritten. The user's file outside the trash stays as it was, the run
// stops there and says so, and the rest of the trash is left alone.
TEST_F(Remedy, ATrashFolderSwappedByAnotherUserLeadsNowhereElse) {
    struct Case {
        const char* when;
        bool whileAsked;  // else while the first item is overwritten
    };
    const std::string usb = dir / "usb", victim = dir / "victim";
    const std::string mine = "the user's own, outside any trash";
    const std::string swap = "cd '" + usb + "' && mv .Trash-0 moved && mkdir evil && ln -s '" +
                             victim + "' evil/files && ln -s evil .Trash-0";
    for (const Case& c :
         {Case{"while the question is open", true}, Case{"between two items", false}}) {
        SCOPED_TRACE(c.when);
        LoopImage image(dir / "usb.img", usb, "mkfs.ext4 -q -F", "64M");
        ASSERT_TRUE(image.mounted());
        ::chmod(usb.c_str(), 0777);  // a shared stick: anyone may rename at its top
        makeFolder(victim);
        writeFile(victim + "/b-last", mine);
        trashItem(usb + "/.Trash-0", "a-first", std::string(16 << 20, 'a'), "a-first");
        trashItem(usb + "/.Trash-0", "b-last", "in the trash", "b-last");
        Finished done;
        if (c.whileAsked) {
            done = finish(start({"--confirm", "--trash"}, true, dir / "data"), "y\n",
                          [&] { EXPECT_TRUE(asAnotherUser(swap)); });
        } else {
            const Started started = start({"--yes", "-m", "2", "--trash"}, false, dir / "data");
            std::thread other([&] {
                waitUntil([&] { return holdsOpen(started.first, "/files/a-first"); }, 30s);
                EXPECT_TRUE(asAnotherUser(swap));
            });
            done = finish(started);
            other.join();
        }
        EXPECT_EQ(done.status, 1) << done.output;
        EXPECT_TRUE(said(done, usb + "/.Trash-0 was moved or replaced while the trash was "
                                     "shredded: the rest of the trash was left alone."));
        EXPECT_EQ(readFile(victim + "/b-last"), mine);
        EXPECT_EQ(readFile(usb + "/moved/files/b-last"), "in the trash");
        EXPECT_EQ(exists(usb + "/moved/files/a-first"), c.whileAsked);
        image.unmount();
        std::filesystem::remove_all(victim);
        std::filesystem::remove(dir / "usb.img");
    }
}

// A trash folder that others could have filled is passed over, each named with why, and
// nothing in it is touched; with nothing else in the trash, the run says just that.
TEST_F(Remedy, UntrustedTrashFoldersArePassedOverAndNamed) {
    struct Case {
        const char* setUp;  // in the stick's top, from a trash folder t holding t/files/planted
        const char* trash;
        const char* why;  // @ stands for the stick's top
        const char* planted;
    };
    const std::string usb = dir / "usb";
    LoopImage image(dir / "usb.img", usb, "mkfs.ext4 -q -F", "16M");
    ASSERT_TRUE(image.mounted());
    for (const Case& c : {
             Case{"ln -s t .Trash-0", ".Trash-0", "it is a link", "t"},
             Case{"mv t .Trash-0 && chown 65534 .Trash-0", ".Trash-0", "it is not owned by you",
                  ".Trash-0"},
             Case{"mv t .Trash-0 && chmod 0777 .Trash-0", ".Trash-0", "others may write in it",
                  ".Trash-0"},
             Case{"mv t .Trash-0 && chmod 0777 .Trash-0/info", ".Trash-0",
                  "others may write in @/.Trash-0/info", ".Trash-0"},
             Case{"mkdir -m 0777 .Trash && mv t .Trash/0", ".Trash/0",
                  "there is no sticky bit on @/.Trash, so others may rename what is in it",
                  ".Trash/0"},
             Case{"mkdir -m 1777 s && mv t s/0 && ln -s s .Trash", ".Trash/0", "@/.Trash is a link",
                  "s/0"},
         }) {
        SCOPED_TRACE(c.setUp);
        ASSERT_TRUE(sh("cd '" + usb + "' && rm -rf t s .Trash .Trash-0 && mkdir -p t/info " +
                       "t/files && echo kept > t/files/planted && " + c.setUp));
        const Finished done = run({"--yes", "--trash"});
        std::string why = c.why;
        if (const std::size_t at = why.find('@'); at != npos)
            why.replace(at, 1, usb);
        EXPECT_EQ(done.status, 0) << done.output;
        EXPECT_TRUE(said(done, usb + "/" + c.trash +
                                   " was passed over, and nothing in it touched: " + why + "."));
        EXPECT_TRUE(said(done,
                         "The trash you may trust is empty, but 1 trash folder was "
                         "passed over: nothing was shredded."));
        EXPECT_EQ(readFile(usb + "/" + c.planted + "/files/planted"), "kept\n");
    }
}

// A directorysizes that cannot be rewritten, or whose old copy cannot be overwritten, is said
// in the account, and the run falls short.
TEST_F(Remedy, ADirectorysizesLeftAsItWasIsSaid) {
    struct Case {
        const char* setUp;  // in the trash folder
        const char* said;
        bool lineGone;
    };
    const std::string usb = dir / "usb", trash = dir / "usb/.Trash-0";
    LoopImage image(dir / "usb.img", usb, "mkfs.ext4 -q -F", "16M");
    ASSERT_TRUE(image.mounted());
    for (const Case& c :
         {Case{"chown 65534 directorysizes", "its lines for the items shredded stay", false},
          Case{"ln directorysizes ../second-name",
               "its old copy, with the lines of the items shredded, was not "
               "overwritten",
               true}}) {
        SCOPED_TRACE(c.setUp);
        ASSERT_TRUE(sh("cd '" + usb + "' && rm -rf .Trash-0 second-name"));
        trashItem(trash, "old", "a file", "old");
        makeFolder(trash + "/files/folder");
        writeFile(trash + "/directorysizes", "1 2 folder\n3 4 other\n");
        ASSERT_TRUE(sh("cd '" + trash + "' && " + c.setUp));
        const Finished done = run({"--yes", "--trash"});
        EXPECT_EQ(done.status, 1) << done.output;
        EXPECT_TRUE(said(done, "Kept: " + trash + "/directorysizes: " + c.said));
        EXPECT_EQ(readFile(trash + "/directorysizes"),
                  c.lineGone ? "3 4 other\n" : "1 2 folder\n3 4 other\n");
        EXPECT_EQ(entries(trash + "/files"), 0);
    }
}

}  // namespace
