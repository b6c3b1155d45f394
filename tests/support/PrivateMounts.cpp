#include "PrivateMounts.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {
constexpr int kUnavailable = 77;
}

PrivateMountsResult inPrivateMountNamespace(const std::function<void()>& body, bool hideProc) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            (hideProc && ::mount("none", "/proc", "tmpfs", 0, "size=64k") != 0)) {
            ::_exit(kUnavailable);
        }
        body();
        // gtest printed each failure as it happened; the parent only needs the verdict.
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return PrivateMountsResult::Failed;
    if (WEXITSTATUS(status) == kUnavailable)
        return PrivateMountsResult::Unavailable;
    return WEXITSTATUS(status) == 0 ? PrivateMountsResult::Passed : PrivateMountsResult::Failed;
}

void mountTmpfs(const std::string& path) {
    ASSERT_EQ(::mount("none", path.c_str(), "tmpfs", 0, "size=1m"), 0) << path;
}

void bindMount(const std::string& source, const std::string& target) {
    ASSERT_EQ(::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr), 0) << target;
}
