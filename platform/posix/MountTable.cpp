#include "platform/posix/MountTable.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "base/UniqueFd.h"

namespace {

std::vector<std::string> splitted(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

std::optional<MountEntry> parsed(const std::string& line) {
    const std::vector<std::string> fields = splitted(line, ' ');
    if (fields.size() < 10) {
        return std::nullopt;
    }
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") {
        ++separator;
    }
    if (separator + 3 >= fields.size()) {
        return std::nullopt;
    }
    MountEntry entry{fields[0],
                     fields[2],
                     unescaped(fields[4]),
                     unescaped(fields[separator + 2]),
                     fields[separator + 1],
                     splitted(fields[5], ',')};
    for (std::string& option : splitted(fields[separator + 3], ',')) {
        entry.options.push_back(std::move(option));
    }
    return entry;
}

// Gives each mount to visit, in the table's order, until visit answers yes; answers whether
// it did.
bool visitMounts(const std::function<bool(const MountEntry&)>& visit) {
    const UniqueFd fd(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return false;
    }
    // A few thousand mounts take a megabyte or so; past the limit the table is not read on.
    constexpr std::size_t kLimit = 16 << 20;
    std::size_t total = 0;
    std::string pending;
    char chunk[16384];
    while (total < kLimit) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
        pending.append(chunk, static_cast<std::size_t>(got));
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const auto entry = parsed(pending.substr(start, end - start));
            if (entry && visit(*entry)) {
                return true;
            }
        }
        pending.erase(0, start);
    }
    return false;
}

}  // namespace

std::string unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            field.find_first_not_of("01234567", i + 1) >= i + 4) {
            text += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::optional<MountEntry> findMount(const std::string& mountId, const std::string& device) {
    std::optional<MountEntry> found;
    visitMounts([&](const MountEntry& entry) {
        if (mountId.empty() ? entry.device == device : entry.mountId == mountId) {
            found = entry;
        }
        return found.has_value();
    });
    return found;
}

std::vector<std::string> mountPoints() {
    // Automount points would be mounted by looking, and a network mount may hang.
    static const std::set<std::string> kPassedOver = {
        "autofs",  "proc",   "sysfs", "devpts", "cgroup",   "cgroup2", "securityfs",  "debugfs",
        "tracefs", "pstore", "bpf",   "mqueue", "configfs", "fusectl", "binfmt_misc", "nfs",
        "nfs4",    "cifs",   "smb3",  "9p",     "ceph",     "afs",     "fuse.sshfs"};
    std::vector<std::string> points;
    visitMounts([&](const MountEntry& entry) {
        if (kPassedOver.count(entry.type) == 0) {
            points.push_back(entry.mountPoint);
        }
        return false;
    });
    return points;
}
