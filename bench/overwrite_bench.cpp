// Measures the engine and the delete walk on real files; run by bench/run.sh, never a test.
//   overwrite_bench file PATH       overwriteFile throughput per pass for modes 0, 1, 2
//   overwrite_bench walk PATH MODE  one delete walk with the controller as handler
//   overwrite_bench tree PATH       makes 100 folders of 100 files of 4 KiB, synced
//   overwrite_bench verify PATH [ROUNDS]  modes 0 and 1 with and without reading the last
//                                         pass back, against one direct read of the file
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controller/ZVORBAControlShredder.h"
#include "engine/ZVUtility.h"
#include "platform/posix/PosixFileManager.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seconds for one overwrite of path; negative when it did not end as expected. afterLastPass
// gets the seconds from the last pass reaching the device to the end: mostly the read-back.
double timedOverwrite(const char* path, int mode, bool verify, double* afterLastPass = nullptr) {
    OverwriteSeams seams;
    seams.verifyLastPass = verify;
    auto lastPass = std::chrono::steady_clock::now();
    seams.afterPass = [&](int, int) { lastPass = std::chrono::steady_clock::now(); };
    const auto start = std::chrono::steady_clock::now();
    const OverwriteOutcome outcome = overwriteFileAt(AT_FDCWD, path, shredModeFrom(mode), seams);
    const double took = seconds(start);
    if (afterLastPass != nullptr) {
        *afterLastPass = seconds(lastPass);
    }
    const bool expected =
        outcome.status == OverwriteStatus::Overwritten && outcome.verified == verify;
    return expected ? took : -1;
}

// Seconds for reading path once from the device, 8 MiB at a time as the verification does.
double timedDirectRead(const char* path) {
    constexpr std::size_t kBlock = 8 << 20;
    const int fd = ::open(path, O_RDONLY | O_DIRECT | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    void* buffer = std::aligned_alloc(4096, kBlock);
    if (buffer == nullptr) {
        ::close(fd);
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    ssize_t n;
    for (off_t at = 0; (n = ::pread(fd, buffer, kBlock, at)) > 0; at += n) {
    }
    const double took = seconds(start);
    std::free(buffer);
    ::close(fd);
    return n == 0 ? took : -1;
}

// The cost of verification: each mode without and with it, in turn over the rounds (the order
// turning each round) so that the device's and the machine's drifts touch both alike. Each
// run without is followed by one direct read of what it wrote, the least verifying can cost:
// read at once, like the verification's, not later from a cache the device may have warmed.
int verifyCost(const char* path, int rounds) {
    struct stat st;
    if (::stat(path, &st) != 0)
        return 1;
    const double megabytes = static_cast<double>(st.st_size) / 1e6;
    bool failed = false;
    auto sample = [&](double took, std::vector<double>& into) {
        failed |= took < 0;
        into.push_back(took);
    };
    for (int mode : {0, 1}) {
        std::vector<double> plain, verified, read, readBack, passes;
        auto withVerification = [&] {
            double back = 0;
            const double took = timedOverwrite(path, mode, true, &back);
            sample(took, verified);
            readBack.push_back(back);
            passes.push_back(took - back);
        };
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 == 1) {
                withVerification();
            }
            sample(timedOverwrite(path, mode, false), plain);
            sample(timedDirectRead(path), read);
            if (round % 2 == 0) {
                withVerification();
            }
        }
        const double p = median(plain), v = median(verified), r = median(read);
        const double b = median(readBack), w = median(passes);
        auto spread = [](const std::vector<double>& values) {
            const auto [low, high] = std::minmax_element(values.begin(), values.end());
            char text[32];
            std::snprintf(text, sizeof text, "%.2f-%.2f", *low, *high);
            return std::string(text);
        };
        std::printf("mode %d, medians of %d runs (range in s):\n", mode, rounds);
        std::printf("  without: %.2f s (%s), %.0f MB/s\n", p, spread(plain).c_str(), megabytes / p);
        std::printf("  with:    %.2f s (%s), %.0f MB/s\n", v, spread(verified).c_str(),
                    megabytes / v);
        std::printf("  one direct read after a run without: %.2f s (%s), %.0f MB/s\n", r,
                    spread(read).c_str(), megabytes / r);
        std::printf(
            "  within a run with: the passes %.2f s (%s), the read-back %.2f s (%s), %.0f MB/s\n",
            w, spread(passes).c_str(), b, spread(readBack).c_str(), megabytes / b);
        std::printf("  speed with/without %.2f; time added %.2f s = %.2f direct reads\n", p / v,
                    v - p, (v - p) / r);
    }
    if (failed)
        std::printf("(FAILED: a run did not end as expected)\n");
    return failed ? 1 : 0;
}

class NullField : public TextField {
public:
    void setStringValue(const std::string&) override {}
    void display() override {}
};
class NullBar : public ProgressIndicator {
public:
    void setMinValue(double) override {}
    void setMaxValue(double) override {}
    void setDoubleValue(double) override {}
    void incrementBy(double) override {}
    void setHidden(bool) override {}
    void display() override {}
};
class Plain : public NumberFormatter {
public:
    std::string stringFromNumber(unsigned long long n) const override { return std::to_string(n); }
};
class FixedMode : public UserDefaults {
public:
    explicit FixedMode(int mode) : mode_(mode) {}
    std::int32_t integerForKey(const std::string& key) const override {
        return key == settings_key::kShredMode ? mode_ : 0;
    }
    void registerDefaults(const std::map<std::string, std::int32_t>&) override {}
    int mode_;
};
class NoAlerts : public AlertPanels {
public:
    int run(const Alert& alert) override {
        std::fprintf(stderr, "%s: %s\n", alert.title.c_str(), alert.message.c_str());
        return 1;
    }
};

}  // namespace

// One command per benchmark, each a few lines: read as a table, not split up.
int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "file") == 0) {
        struct stat st;
        if (::stat(argv[2], &st) != 0)
            return 1;
        const double megabytes = static_cast<double>(st.st_size) / 1e6;
        for (int mode : {0, 1, 2}) {
            const int passes = mode == 1 ? 4 : mode == 2 ? 11 : 1;
            auto start = std::chrono::steady_clock::now();
            const auto bytes = overwriteFile(argv[2], mode);
            const double took = seconds(start);
            std::printf("mode %d: %d pass(es), %.0f MB/s per pass%s\n", mode, passes,
                        megabytes * passes / took, bytes == 0 ? " (FAILED)" : "");
        }
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "walk") == 0) {
        std::array<NullField, kFieldCount> fields;
        NullBar bar;
        PosixFileManager files;
        FixedMode defaults(std::atoi(argv[3]));
        NoAlerts alerts;
        ShredderConnections c;
        c.display = statusDisplayOf(fields, bar);
        c.fileManager = &files;
        c.defaults = &defaults;
        c.alerts = &alerts;
        c.makeNumberFormatter = [](const std::string&) { return std::make_unique<Plain>(); };
        ZVORBAControlShredder shredder(c);
        auto start = std::chrono::steady_clock::now();
        shredder.shredFiles(argv[2], true);
        struct rusage usage;
        ::getrusage(RUSAGE_SELF, &usage);
        const bool shredded = shredder.lastRunOutcome() == RunOutcome::Shredded;
        std::printf("walk: %.2f s, peak memory %ld KiB, %s\n", seconds(start), usage.ru_maxrss,
                    shredded ? "shredded" : "not shredded");
        return shredded ? 0 : 1;
    }
    if (argc >= 3 && std::strcmp(argv[1], "tree") == 0) {
        const std::string top = argv[2];
        const std::string block(4096, 'z');
        if (::mkdir(top.c_str(), 0700) != 0)
            return 1;
        for (int d = 1; d <= 100; ++d) {
            const std::string folder = top + "/d" + std::to_string(d);
            if (::mkdir(folder.c_str(), 0700) != 0)
                return 1;
            for (int f = 1; f <= 100; ++f) {
                const std::string path = folder + "/f" + std::to_string(f);
                const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
                if (fd < 0 || ::write(fd, block.data(), block.size()) != 4096)
                    return 1;
                ::close(fd);
            }
        }
        ::sync();
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "verify") == 0) {
        return verifyCost(argv[2], argc >= 4 ? std::atoi(argv[3]) : 5);
    }
    std::fprintf(stderr,
                 "usage: overwrite_bench file PATH | walk PATH MODE | tree PATH | verify PATH "
                 "[ROUNDS]\n");
    return 2;
}
