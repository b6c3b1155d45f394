#pragma once

// Runs the built zurizede-cli as a user would, on real temporary folders.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"

constexpr auto npos = std::string::npos;

using Started = std::pair<pid_t, int>;  // the process, and where its output is read

struct Finished {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string output;
};

// Whether the run said text; its whole output is shown when it did not.
inline ::testing::AssertionResult said(const Finished& done, const std::string& text) {
    if (done.output.find(text) != npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not said: " << text << "\n" << done.output;
}

class Cli : public ::testing::Test {
protected:
    // Starts the program in the temporary folder, with its output into a pipe and its input
    // from /dev/null, or on a terminal of its own. Answers its process and where its output
    // is read (and a terminal's answer written).
    Started start(const std::vector<std::string>& args, bool onTerminal = false,
                  const std::string& dataHome = {}) {
        std::vector<std::string> all = runAs;
        const std::vector<std::string> env = {
            "/usr/bin/env",       "-i",
            "HOME=" + dir.path(), "XDG_CONFIG_HOME=" + (dir / "config"),
            "LANG=C.UTF-8",       "PATH=/usr/bin:/bin"};
        all.insert(all.end(), env.begin(), env.end());
        all.insert(all.end(), environment.begin(), environment.end());
        if (!dataHome.empty())
            all.push_back("XDG_DATA_HOME=" + dataHome);
        all.push_back(ZURIZEDE_CLI);
        all.insert(all.end(), args.begin(), args.end());
        int fds[2] = {-1, -1};
        EXPECT_EQ(onTerminal ? 0 : ::pipe(fds), 0);
        const pid_t pid = onTerminal ? ::forkpty(&fds[0], nullptr, nullptr, nullptr) : ::fork();
        if (pid == 0) {
            if (!onTerminal) {
                ::dup2(::open("/dev/null", O_RDONLY), 0);
                ::dup2(fds[1], 1);
                ::dup2(fds[1], 2);
            }
            std::vector<char*> argv;
            for (std::string& s : all) argv.push_back(s.data());
            argv.push_back(nullptr);
            if (::chdir(dir.path().c_str()) == 0)
                ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        if (!onTerminal)
            ::close(fds[1]);
        return {pid, fds[0]};
    }

    // Reads all it says, answering the confirmation when it asks on a terminal; whileAsked
    // runs first, as another person could act while the question is open.
    static Finished finish(Started started, std::string answer = {},
                           const std::function<void()>& whileAsked = {}) {
        const auto [pid, fd] = started;
        Finished done;
        char buffer[4096];
        pollfd p{fd, POLLIN, 0};
        for (ssize_t n; ::poll(&p, 1, 60000) > 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            done.output.append(buffer, n);  // a terminal reads EIO once the program has gone
            if (!answer.empty() && done.output.find("[y/N]") != npos) {
                if (whileAsked)
                    whileAsked();
                EXPECT_EQ(::write(fd, answer.data(), answer.size()), (ssize_t)answer.size());
                answer.clear();
            }
        }
        ::close(fd);
        int status = 0;
        ::waitpid(pid, &status, 0);
        done.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return done;
    }

    Finished run(const std::vector<std::string>& args) { return finish(start(args)); }

    void storeSettings(const std::string& lines) {
        std::filesystem::create_directories(dir / "config/ORBA");
        writeFile(dir / "config/ORBA/Zurizede.conf", "[General]\n" + lines);
    }

    static std::string fileOf(const std::string& top, int i) {
        return top + (i % 2 ? "/sub/f" : "/f") + std::to_string(i);
    }

    void makeTree(const std::string& top, int files) {
        makeFolder(top);
        makeFolder(top + "/sub");
        for (int i = 0; i < files; ++i) writeFile(fileOf(top, i), "contents " + std::to_string(i));
    }

    // An item in a trash folder as a file manager puts it there, with its record beside it.
    static void trashItem(const std::string& trash, const std::string& name,
                          const std::string& contents, const std::string& originalPath) {
        std::filesystem::create_directories(trash + "/files");
        std::filesystem::create_directories(trash + "/info");
        writeFile(trash + "/files/" + name, contents);
        writeFile(trash + "/info/" + name + ".trashinfo",
                  "[Trash Info]\nPath=" + originalPath + "\nDeletionDate=2026-12-01T10:00:00\n");
    }

    // Waits until done() holds, up to limit; answers whether it came to hold.
    static bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return done();
    }

    static int entries(const std::string& folder) {
        std::error_code gone;
        return std::distance(std::filesystem::directory_iterator(folder, gone), {});
    }

    TempDir dir;
    // A command the program is started through, such as setpriv as another user.
    std::vector<std::string> runAs;
    // Variables set after the ones above, such as another LANG.
    std::vector<std::string> environment;
};
