#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file the program writes for the user, and what goes in it.
struct WholeFileContents {
    std::string path;
    std::string_view bytes;
};

// Why files were not written: the file, and an errno value. ELOOP: its name is a symbolic
// link, never written through.
struct WholeFileFailure {
    std::string path;
    int errorNumber = 0;
};

// Writes each file whole or not at all, readable by its owner alone whatever the umask: into
// a new file in the same folder, synced, then renamed over its name, so that a failure (a
// full disk) leaves the older file whole. A name that is a symbolic link is refused before
// anything is written; when one file cannot be written, none is replaced.
std::optional<WholeFileFailure> writeFilesWhole(const std::vector<WholeFileContents>& files);
