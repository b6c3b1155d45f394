#pragma once

#include <sys/types.h>
#include <string>

// A real temporary folder, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    // In another folder, such as /dev/shm for a memory file system.
    explicit TempDir(const std::string& under);
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    void make();
    std::string path_;
};

void writeFile(const std::string& path, const std::string& contents);
std::string readFile(const std::string& path);
bool exists(const std::string& path);  // lstat: a dangling link exists too
void makeFolder(const std::string& path);
// Runs a shell command (its errors go to the test's output) and answers whether it worked,
// with the first line it printed.
bool sh(const std::string& command, std::string* firstLine = nullptr);
// Makes a chain of folders below top whose path is longer than PATH_MAX, with a file named
// fileName holding "secret" at its end; answers that file, open for reading and writing.
int makeFoldersDeeperThanPathMax(
    const std::string& top, const std::string& fileName);  // open to everyone, whatever the umask

// Runs the rest of a scope as an ordinary user when the tests run as root, so that
// permission bits mean what they mean for the people who use the program.
class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();

private:
    bool switched_ = false;
};
