#include <gtest/gtest.h>

#include "PathString.h"

TEST(PathString, ComponentsWithTrailingSlashesAndRoot) {
    EXPECT_EQ(lastPathComponent("/tmp/scratch.tiff"), "scratch.tiff");
    EXPECT_EQ(lastPathComponent("/tmp/lock/"), "lock");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(lastPathComponent("plain"), "plain");
    EXPECT_EQ(stringByDeletingLastPathComponent("/tmp/scratch.tiff"), "/tmp");
    EXPECT_EQ(stringByDeletingLastPathComponent("/tmp/lock/"), "/tmp");
    EXPECT_EQ(stringByDeletingLastPathComponent("/tmp"), "/");
    EXPECT_EQ(stringByDeletingLastPathComponent("/"), "/");
    EXPECT_EQ(stringByDeletingLastPathComponent("plain"), "");
    EXPECT_EQ(stringByAppendingPathComponent("/tmp", "x"), "/tmp/x");
    EXPECT_EQ(stringByAppendingPathComponent("/tmp/", "x"), "/tmp/x");
    EXPECT_EQ(stringByAppendingPathComponent("/", "x"), "/x");
}
