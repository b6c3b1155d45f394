// The floor for many small files: for each file one pass of random bytes, its own fdatasync, a
// rename and an unlink, on many threads, with no checks at all; then the folders. It is what
// the disk allows, not a shredder: it follows no rule a shredder must keep.
//   shred_floor TREE [THREADS]
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// Files in any order, folders deepest first.
void collect(const std::string& folder, std::vector<std::string>& files,
             std::vector<std::string>& folders) {
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        if (entry->d_type == DT_DIR) {
            collect(path, files, folders);
        } else {
            files.push_back(path);
        }
    }
    ::closedir(entries);
    folders.push_back(folder);
}

void shredOne(const std::string& path, std::vector<unsigned char>& buffer) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && ::fstat(fd, &st) == 0) {
        for (off_t at = 0; at < st.st_size;) {
            const std::size_t n = std::min<std::size_t>(buffer.size(), st.st_size - at);
            if (::getrandom(buffer.data(), n, 0) < 0 || ::pwrite(fd, buffer.data(), n, at) < 0) {
                break;
            }
            at += static_cast<off_t>(n);
        }
        ::fdatasync(fd);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    const std::string hidden = path.substr(0, path.rfind('/') + 1) + "zzzzzzzzzzzz" +
                               std::to_string(std::hash<std::string>{}(path) % 1000000);
    ::rename(path.c_str(), hidden.c_str());
    ::unlink(hidden.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: shred_floor TREE [THREADS]\n");
        return 2;
    }
    const int threads = argc > 2 ? std::atoi(argv[2]) : 64;
    std::vector<std::string> files, folders;
    collect(argv[1], files, folders);
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            std::vector<unsigned char> buffer(1 << 16);
            for (std::size_t i; (i = next++) < files.size();) {
                shredOne(files[i], buffer);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (const std::string& folder : folders) {
        ::rmdir(folder.c_str());
    }
    return 0;
}
