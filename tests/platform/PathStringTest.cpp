#include <gtest/gtest.h>

#include "PathString.h"

// Trailing slashes and the root, where splitting a path goes wrong.
TEST(PathString, ComponentsWithTrailingSlashesAndRoot) {
    EXPECT_EQ(lastPathComponent("/tmp/lock/"), "lock");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(stringByDeletingLastPathComponent("/tmp"), "/");
    EXPECT_EQ(stringByDeletingLastPathComponent("plain"), "");
}
