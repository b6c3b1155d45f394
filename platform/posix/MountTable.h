#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One mount, as a line of /proc/self/mountinfo gives it.
struct MountEntry {
    std::string mountId;               // "36"
    std::string device;                // "8:2", the file system's device number
    std::string mountPoint;            // unescaped
    std::string source;                // what is mounted: "/dev/sda2"
    std::string type;                  // "ext4", "fuse.sshfs"
    std::vector<std::string> options;  // the mount's and its file system's
};

// The mount with that id where statx gave one (exact even among bind mounts), else the first
// with that device number. Nothing without /proc, and nothing is said about it.
std::optional<MountEntry> findMount(const std::string& mountId, const std::string& device);

// Where the file systems this process sees are mounted: those that hold files, not automount
// points, kernel interfaces or network mounts.
std::vector<std::string> mountPoints();

// A path as mountinfo and /proc/swaps write it, a space, a tab, a newline and a backslash as
// octal escapes ("\040"), in its own bytes again.
std::string unescaped(const std::string& field);
