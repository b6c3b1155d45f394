// Runs the built zurizede-cli as a user would, on real temporary folders.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"

namespace {

struct Finished {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string output;
};

class Cli : public ::testing::Test {
protected:
    std::vector<std::string> environment() const {
        return {"HOME=" + dir.path(), "XDG_CONFIG_HOME=" + (dir / "config"), "LANG=C.UTF-8",
                "PATH=/usr/bin:/bin"};
    }

    static std::vector<char*> pointers(std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& s : strings) result.push_back(s.data());
        result.push_back(nullptr);
        return result;
    }

    // Starts the program with standard input from /dev/null and its output into a pipe.
    pid_t start(std::vector<std::string> args, int& outputFd, const std::string& cwd = {}) {
        args.insert(args.begin(), ZURIZEDE_CLI);
        std::vector<std::string> env = environment();
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int in = ::open("/dev/null", O_RDONLY);
            ::dup2(in, 0);
            ::dup2(fds[1], 1);
            ::dup2(fds[1], 2);
            ::close(fds[0]);
            if (!cwd.empty() && ::chdir(cwd.c_str()) != 0)
                ::_exit(127);
            auto argv = pointers(args);
            auto envp = pointers(env);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        outputFd = fds[0];
        return pid;
    }

    static Finished finish(pid_t pid, int outputFd) {
        Finished done;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(outputFd, buffer, sizeof buffer)) > 0) done.output.append(buffer, n);
        ::close(outputFd);
        int status = 0;
        ::waitpid(pid, &status, 0);
        done.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return done;
    }

    Finished run(std::vector<std::string> args, const std::string& cwd = {}) {
        int fd = -1;
        const pid_t pid = start(std::move(args), fd, cwd);
        return finish(pid, fd);
    }

    void storeSettings(const std::string& lines) {
        ::mkdir((dir / "config").c_str(), 0700);
        ::mkdir((dir / "config/ORBA").c_str(), 0700);
        writeFile(dir / "config/ORBA/Zurizede.conf", "[General]\n" + lines);
    }

    void makeTree(const std::string& top, int files) {
        makeFolder(top);
        makeFolder(top + "/sub");
        for (int i = 0; i < files; ++i) {
            writeFile(top + (i % 2 ? "/sub/f" : "/f") + std::to_string(i),
                      "contents " + std::to_string(i));
        }
    }

    static int entries(const std::string& folder) {
        int n = 0;
        if (DIR* d = ::opendir(folder.c_str())) {
            while (dirent* e = ::readdir(d)) n += e->d_name[0] != '.';
            ::closedir(d);
        }
        return n;
    }

    TempDir dir;
};

TEST_F(Cli, BadUsageExitsTwoWithOneLine) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"-m", "x", "a"},
                                               {"--mode=1x", "a"},
                                               {"-m", "7", "a"},
                                               {"--bogus", "a"},
                                               {"-z", "a"},
                                               {"-y"},
                                               {"--mode"},
                                               {"--yes=1", "a"},
                                               {"--ver", "a"}}) {
        const Finished done = run(args);
        EXPECT_EQ(done.status, 2) << done.output;
        EXPECT_EQ(std::count(done.output.begin(), done.output.end(), '\n'), 1) << done.output;
        EXPECT_EQ(done.output.rfind("zurizede-cli: ", 0), 0u) << done.output;
    }
    const Finished help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Usage: zurizede-cli"), std::string::npos);
    const Finished version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("zurizede-cli ", 0), 0u);
}

// As GNU tools take them: options after a path, letters together with the mode's value
// attached, "--" ending the options, a lone "-" naming a file.
TEST_F(Cli, OptionsAsGnuToolsTakeThem) {
    for (const char* name : {"a", "-", "-y"}) writeFile(dir / name, "contents");
    const Finished done = run({"a", "-ym1", "-", "--", "-y"}, dir.path());
    EXPECT_EQ(done.status, 0) << done.output;
    for (const char* name : {"a", "-", "-y"}) {
        EXPECT_NE(::access((dir / name).c_str(), F_OK), 0) << name;
    }
    EXPECT_NE(done.output.find("4 passes"), std::string::npos) << done.output;
}

// A name holding terminal escape sequences never reaches the terminal raw.
TEST_F(Cli, ControlCharactersInNamesAreEscaped) {
    const std::string name = "evil\x1b[2K\rFiles have been shredded.";
    makeFolder(dir / name);
    const Finished missing = run({"-y", dir / (name + "-missing"), "--bogus\x1b[1A"});
    const Finished denied = run({dir / name});  // no terminal: the confirmation is cancelled
    for (const Finished& done : {missing, denied}) {
        EXPECT_EQ(done.output.find('\x1b'), std::string::npos) << done.output;
        EXPECT_EQ(done.output.find('\r'), std::string::npos) << done.output;
    }
    EXPECT_NE(denied.output.find("evil\\x1b[2K\\x0dFiles"), std::string::npos) << denied.output;
}

TEST_F(Cli, NothingIsShreddedWithoutConsentWhenNoTerminalCanAsk) {
    makeTree(dir / "tree", 4);
    const Finished done = run({dir / "tree"});  // the registered defaults ask first
    EXPECT_EQ(done.status, 1);
    EXPECT_NE(done.output.find("Shred Alert: If you proceed"), std::string::npos);
    EXPECT_NE(done.output.find("No files were touched - shredding cancelled."), std::string::npos);
    EXPECT_EQ(entries(dir / "tree"), 3);
    EXPECT_EQ(readFile(dir / "tree/f0"), "contents 0");

    storeSettings("shredWarning=0\n");
    const Finished forced = run({"--confirm", dir / "tree"});
    EXPECT_EQ(forced.status, 1);
    EXPECT_TRUE(exists(dir / "tree/f0"));
}

TEST_F(Cli, YesShredsEveryPathInOrderAndAMissingOneMakesItOne) {
    makeTree(dir / "first", 6);
    writeFile(dir / "second", "second");
    const Finished done = run({"-y", "-m", "1", dir / "first", dir / "missing", dir / "second"});
    EXPECT_EQ(done.status, 1) << done.output;
    EXPECT_FALSE(exists(dir / "first"));
    EXPECT_FALSE(exists(dir / "second"));
    const auto first = done.output.find(dir / "first: Files have been shredded.");
    const auto missing = done.output.find(dir / "missing: No such file or folder");
    const auto second = done.output.find(dir / "second: Files have been shredded.");
    ASSERT_NE(first, std::string::npos) << done.output;
    ASSERT_NE(missing, std::string::npos) << done.output;
    ASSERT_NE(second, std::string::npos) << done.output;
    EXPECT_LT(first, missing);
    EXPECT_LT(missing, second);

    makeTree(dir / "again", 2);
    const Finished quiet = run({"--yes", "-q", dir / "again"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.output, "");  // the answered confirmation and the success left out
    EXPECT_FALSE(exists(dir / "again"));
}

// Exit 0 claims every chosen file's contents were destroyed: a name whose contents stay
// under another name makes it 1, and a link is removed with its target untouched.
TEST_F(Cli, TheAccountSaysWhatWasNotDestroyedAndTheExitStatusFollowsIt) {
    makeTree(dir / "tree", 2);
    writeFile(dir / "backup", "still here");
    ASSERT_EQ(::link((dir / "backup").c_str(), (dir / "tree/copy").c_str()), 0);
    const Finished shared = run({"--yes", "-q", "--verify", dir / "tree"});
    EXPECT_EQ(shared.status, 1) << shared.output;
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(dir / "backup"), "still here");
    EXPECT_NE(shared.output.find("2 files overwritten"), std::string::npos) << shared.output;
    EXPECT_NE(shared.output.find("Verified: 2 of 2 files read back"), std::string::npos);
    EXPECT_NE(shared.output.find("1 name was removed while its contents stay reachable through "
                                 "another link"),
              std::string::npos);

    // Both names given: the contents are overwritten at the last, and that settles the first.
    ASSERT_EQ(::link((dir / "backup").c_str(), (dir / "second").c_str()), 0);
    const Finished both = run({"--yes", dir / "backup", dir / "second"});
    EXPECT_EQ(both.status, 0) << both.output;
    EXPECT_FALSE(exists(dir / "backup") || exists(dir / "second"));
    EXPECT_NE(both.output.find("the contents of 1 name removed above were overwritten later"),
              std::string::npos)
        << both.output;

    // A link named directly is an item, whether its target is a folder, missing or itself.
    makeTree(dir / "target", 2);
    ASSERT_EQ(::symlink("target", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink("no-file", (dir / "dangling").c_str()), 0);
    ASSERT_EQ(::symlink("looping", (dir / "looping").c_str()), 0);
    const Finished link = run({"--yes", dir / "link/", dir / "dangling", dir / "looping"});
    EXPECT_EQ(link.status, 0) << link.output;
    EXPECT_EQ(readFile(dir / "target/f0"), "contents 0");
    for (const char* name : {"link", "dangling", "looping"}) {
        EXPECT_FALSE(exists(dir / name)) << name;
        EXPECT_NE(link.output.find("Removed; what it points to was not touched (symbolic link): " +
                                   (dir / name)),
                  std::string::npos)
            << link.output;
    }
}

TEST_F(Cli, StoredSettingsAreObeyedAndLoggingCanBeAsked) {
    storeSettings("shredWarning=0\nshredLogging=1\n");
    writeFile(dir / "five", "12345");
    const Finished done = run({dir / "five"});
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_FALSE(exists(dir / "five"));
    EXPECT_NE(done.output.find("Shred 5 bytes @ path '" + (dir / "five") + "'"), std::string::npos)
        << done.output;
    EXPECT_EQ(done.output.find("Shred Alert"), std::string::npos);

    storeSettings("shredWarning=0\nshredLogging=0\n");
    writeFile(dir / "quiet", "123");
    const Finished quiet = run({"-q", "--log", dir / "quiet"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.output, "Shred 3 bytes @ path '" + (dir / "quiet") + "'\n");
}

TEST_F(Cli, AnInterruptStopsTheWalkBetweenItemsAndExitsOne) {
    makeTree(dir / "big", 4000);
    int fd = -1;
    const pid_t pid = start({"-y", "-m", "2", dir / "big", dir / "never"}, fd);
    // Eleven synced passes per file: the walk takes many seconds; interrupt it once it began.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (entries(dir / "big") + entries(dir / "big/sub") > 3990 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGTERM);
    const Finished done = finish(pid, fd);
    EXPECT_EQ(done.status, 1) << done.output;
    EXPECT_NE(done.output.find("Shredding was interrupted"), std::string::npos) << done.output;
    EXPECT_NE(done.output.find("interrupted; "), std::string::npos);
    EXPECT_NE(done.output.find(dir / "never: not shredded"), std::string::npos);
    EXPECT_EQ(done.output.find("Files have been shredded."), std::string::npos);
    ASSERT_TRUE(exists(dir / "big"));
    // What is left is whole: every remaining file still holds what it held. The figures
    // printed are exact: every item still there, the top folder too, and the bytes of the
    // files alone.
    int checked = 0;
    std::uint64_t bytes = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string path = (dir / "big") + (i % 2 ? "/sub/f" : "/f") + std::to_string(i);
        if (exists(path)) {
            EXPECT_EQ(readFile(path), "contents " + std::to_string(i));
            bytes += readFile(path).size();
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
    const int items = 1 + entries(dir / "big") + entries(dir / "big/sub");
    auto grouped = [](std::uint64_t n) {
        std::string digits = std::to_string(n);
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
        return digits;
    };
    EXPECT_NE(done.output.find("interrupted; " + grouped(items) + " items and " + grouped(bytes) +
                               " bytes were left in place"),
              std::string::npos)
        << done.output;
}

// On a terminal the confirmation is asked and the status line drawn.
TEST_F(Cli, OnATerminalTheConfirmationIsAsked) {
    for (const std::string answer : {"n", "y"}) {
        const std::string tree = dir / ("tree-" + answer);
        makeTree(tree, 2);
        // Named in the confirmation and on the status line: never sent to the terminal raw.
        writeFile(tree + "/evil\x1b]0;owned\x07\x1b[2K", "x");
        std::vector<std::string> args = {ZURIZEDE_CLI, tree};
        std::vector<std::string> env = environment();
        int master = -1;
        const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            auto argv = pointers(args);
            auto envp = pointers(env);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        std::string output;
        bool answered = false;
        char buffer[1024];
        for (;;) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 30000) <= 0)
                break;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;  // EIO once the program has gone
            output.append(buffer, n);
            if (!answered && output.find("[y/N]") != std::string::npos) {
                const std::string line = answer + "\n";
                ASSERT_EQ(::write(master, line.data(), line.size()), (ssize_t)line.size());
                answered = true;
            }
        }
        ::close(master);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(answered) << output;
        if (answer == "n") {
            EXPECT_EQ(WEXITSTATUS(status), 1) << output;
            EXPECT_TRUE(exists(tree + "/f0"));
        } else {
            EXPECT_EQ(WEXITSTATUS(status), 0) << output;
            EXPECT_FALSE(exists(tree));
            EXPECT_NE(output.find("\r\033[K"), std::string::npos);  // the status line
        }
        EXPECT_NE(output.find("evil\\x1b]0;owned\\x07"), std::string::npos) << output;
        for (std::size_t at; (at = output.find("\033[K")) != std::string::npos;) {
            output.erase(at, 3);  // the status line's own erasing
        }
        EXPECT_EQ(output.find_first_of("\x1b\x07"), std::string::npos) << output;
    }
}

}  // namespace
