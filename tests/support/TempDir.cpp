#include "TempDir.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {
constexpr uid_t kNobody = 65534;

int openUp(const char* path, const struct stat* st, int type, struct FTW*) {
    if (type != FTW_SL && type != FTW_SLN)
        ::chmod(path, S_ISDIR(st->st_mode) ? 0777 : 0666);
    return 0;
}
}  // namespace

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    path_ = std::string(base && *base ? base : "/tmp") + "/zurizede-test.XXXXXX";
    make();
}

TempDir::TempDir(const std::string& under) {
    path_ = under + "/zurizede-test.XXXXXX";
    make();
}

void TempDir::make() {
    if (::mkdtemp(path_.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    ::chmod(path_.c_str(), 0777);  // an ordinary user works in it too
}

// Opened up first, so that what a test locked can be removed; links are never followed.
TempDir::~TempDir() {
    ::nftw(path_.c_str(), openUp, 64, FTW_PHYS);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& contents) {
    if (!(std::ofstream(path, std::ios::binary | std::ios::trunc) << contents))
        throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    // In blocks, not a character at a time: the tests read whole disk images with it.
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool sh(const std::string& command, std::string* firstLine) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    std::string printed;
    for (char buffer[256]; std::fgets(buffer, sizeof buffer, pipe) != nullptr;) printed += buffer;
    if (firstLine != nullptr)
        *firstLine = printed.substr(0, printed.find('\n'));
    return ::pclose(pipe) == 0;
}

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0 || ::chmod(path.c_str(), 0777) != 0)
        throw std::runtime_error("cannot make " + path);
}

int makeFoldersDeeperThanPathMax(const std::string& top, const std::string& fileName) {
    const std::string name(200, 'd');
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 25 && fd >= 0; ++depth) {  // 25 x 201 bytes
        ::mkdirat(fd, name.c_str(), 0700);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    const int file = fd < 0 ? -1 : ::openat(fd, fileName.c_str(), O_RDWR | O_CREAT, 0600);
    ::close(fd);
    if (file < 0 || ::write(file, "secret", 6) != 6)
        throw std::runtime_error("cannot make a deep file in " + top);
    return file;
}

AsOrdinaryUser::AsOrdinaryUser() {
    if (::geteuid() == 0)
        switched_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
}

AsOrdinaryUser::~AsOrdinaryUser() {
    if (switched_) {
        ::seteuid(0);
        ::setegid(0);
    }
}
