#pragma once

#include <functional>
#include <string>

// Runs body in a child process with a mount namespace of its own, so that it may mount and
// unmount freely and everything it mounted goes with it. With hideProc, an empty file system
// lies over /proc there. Answers Unavailable where this machine does not allow it (not root,
// or a container without the right); the caller skips the test then, saying so.
enum class PrivateMountsResult { Passed, Failed, Unavailable };
PrivateMountsResult inPrivateMountNamespace(const std::function<void()>& body, bool hideProc);

// Mounts a fresh tmpfs at path, or binds what is at source over target (a folder or a file).
void mountTmpfs(const std::string& path);
void bindMount(const std::string& source, const std::string& target);

#define RUN_IN_PRIVATE_MOUNTS(hideProc, ...)                                                    \
    do {                                                                                        \
        const PrivateMountsResult result_ = inPrivateMountNamespace(__VA_ARGS__, hideProc);     \
        if (result_ == PrivateMountsResult::Unavailable) {                                      \
            GTEST_SKIP() << "mounting in a private mount namespace is not allowed here (needs " \
                            "root and CAP_SYS_ADMIN)";                                          \
        }                                                                                       \
        EXPECT_EQ(result_, PrivateMountsResult::Passed) << "see the failures printed above";    \
    } while (false)
