#include "TempDir.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
constexpr uid_t kNobody = 65534;

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    ::chmod(path, 0700);
    return ::remove(path) == 0 ? 0 : 0;
}
int openUp(const char* path, const struct stat* st, int type, struct FTW*) {
    if (type != FTW_SL && type != FTW_SLN) {
        ::chmod(path, S_ISDIR(st->st_mode) ? 0777 : 0666);
    }
    return 0;
}
}  // namespace

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zurizede-test.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
    ::chmod(path_.c_str(), 0777);  // an ordinary user works in it too
}

TempDir::~TempDir() {
    ::nftw(path_.c_str(), openUp, 64, FTW_PHYS);
    ::nftw(path_.c_str(), removeEntry, 64, FTW_DEPTH | FTW_PHYS);
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0 || ::chmod(path.c_str(), 0777) != 0) {
        throw std::runtime_error("cannot make " + path);
    }
}

int makeFoldersDeeperThanPathMax(const std::string& top, const std::string& fileName) {
    const std::string name(200, 'd');
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 25 && fd >= 0; ++depth) {  // 25 x 201 bytes
        const int next = ::mkdirat(fd, name.c_str(), 0700) == 0
                             ? ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY)
                             : -1;
        ::close(fd);
        fd = next;
    }
    if (fd < 0) {
        throw std::runtime_error("cannot make a deep tree in " + top);
    }
    const int file = ::openat(fd, fileName.c_str(), O_RDWR | O_CREAT, 0600);
    ::close(fd);
    if (file < 0 || ::write(file, "secret", 6) != 6) {
        throw std::runtime_error("cannot make a deep file in " + top);
    }
    return file;
}

AsOrdinaryUser::AsOrdinaryUser() {
    if (::geteuid() == 0) {
        switched_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
    }
}

AsOrdinaryUser::~AsOrdinaryUser() {
    if (switched_) {
        ::seteuid(0);
        ::setegid(0);
    }
}
