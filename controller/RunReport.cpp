#include "controller/RunReport.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ErrorText.h"

using namespace shredder_text;

namespace {

constexpr const char* kCouldNotOverwrite = "Could not overwrite the file (%@)";
constexpr const char* kMountPoint = "Is a mount point: nothing in it was touched";
constexpr const char* kNotRemovable = "Left untouched: it could not be removed afterwards (%@)";
constexpr const char* kFlagged = "it or its folder is marked immutable or append-only";
constexpr const char* kCouldNotExamine = "Could not examine the item (%@)";
constexpr const char* kNoRandomBytes =
    "Could not overwrite the file: the random device %@ could not be opened (%@)";
constexpr const char* kChangedWhileOverwritten =
    "The file kept growing while it was being overwritten";
constexpr const char* kUnverified =
    "The last pass read back differently from what was written: the file is kept";
constexpr const char* kUnreadable = "The last pass could not be read back (%@): the file is kept";

std::string listed(const NamedItems& items) {
    std::string text;
    for (const std::string& name : items.first) {
        text += (text.empty() ? "" : ", ") + name;
    }
    if (items.count > items.first.size()) {
        text += " and " + std::to_string(items.count - items.first.size()) + " more";
    }
    return text;
}

}  // namespace

std::string formatMessage(const std::string& format, std::initializer_list<std::string> args) {
    std::string result;
    auto next = args.begin();
    for (std::string::size_type i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '@' &&
            next != args.end()) {
            result += *next++;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

std::string humanBytes(std::uint64_t bytes) {
    // Decimal units, as the window's byte fields show them beside the exact figure.
    static const char* const units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    if (bytes < 1000) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    double value = static_cast<double>(bytes) / 1000;
    int unit = 0;
    while (value >= 999.95 && unit < 5) {
        value /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

std::string counted(std::uint64_t number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
}

std::string modeInWords(ShredMode mode) {
    switch (mode) {
        case ShredMode::FourPasses:
            return "4 passes";
        case ShredMode::ElevenPasses:
            return "11 passes";
        case ShredMode::RandomPass:
            break;
    }
    return "1 pass of random bytes";
}

std::string storageInWords(const StorageVerdict& verdict) {
    static const char* const reach[] = {
        "overwriting reaches the old data",
        "overwriting may not reach all old copies",
        "overwriting cannot reach the old copies",
        "overwriting is not needed: nothing is kept on a disk",
        "whether overwriting reaches the old data is unknown",
    };
    std::string text = "Storage";
    if (!verdict.fileSystem.empty()) {
        text += " (" + verdict.fileSystem + ")";
    }
    text += std::string(": ") + reach[static_cast<int>(verdict.reach)];
    if (!verdict.reason.empty()) {
        text += " (" + verdict.reason + ")";
    }
    if (verdict.encrypted) {
        text += "; it is encrypted, so old copies cannot be read without its key";
    }
    return text;
}

std::string namesInWords(const StorageVerdict& verdict) {
    return verdict.removedNamesWiped ? "the file system wipes removed names"
                                     : "renamed before removal";
}

std::string reasonInWords(const Reason& reason) {
    const std::string system = reason.errorNumber != 0 ? errorInWords(reason.errorNumber) : "";
    switch (reason.code) {
        case ReasonCode::SystemError:
            return system;
        case ReasonCode::MountPoint:
            return kMountPoint;
        case ReasonCode::NotRemovable:
            // EPERM here is a flag, not a permission: nothing a person fixes by asking.
            return formatMessage(kNotRemovable, {reason.errorNumber == EPERM ? kFlagged : system});
        case ReasonCode::StoppedByRequest:
            return kStoppedByRequest;
        case ReasonCode::StoppedInFirstPass:
            return kStoppedInFirstPass;
        case ReasonCode::CouldNotExamine:
            return formatMessage(kCouldNotExamine, {system});
        case ReasonCode::CouldNotOverwrite:
            return formatMessage(kCouldNotOverwrite, {system});
        case ReasonCode::NoRandomBytes:
            return formatMessage(kNoRandomBytes, {kRandomDevice, system});
        case ReasonCode::ChangedWhileOverwritten:
            return kChangedWhileOverwritten;
        case ReasonCode::Unverified:
            return reason.errorNumber != 0 ? formatMessage(kUnreadable, {system}) : kUnverified;
    }
    return system;
}

std::string exactBytes(std::uint64_t bytes, const Grouped& grouped) {
    const std::string human = humanBytes(bytes);
    return bytes < 1000 ? human : human + " (" + grouped(bytes) + " bytes)";
}

std::vector<std::string> unreachedWarnings(const RunAccount& account,
                                           const SelectionFindings& findings, std::uint64_t links) {
    std::vector<std::string> lines;
    if (account.storage && account.storage->reach != StorageReach::Reaches) {
        lines.push_back(storageInWords(*account.storage));
    }
    if (findings.shared.count > 0) {
        lines.push_back(counted(findings.shared.count, "file also has", "files also have") +
                        " names outside the selection: " + listed(findings.shared) +
                        ". Those names are removed here, and the contents stay on the disk "
                        "under the others (hard links)");
    }
    if (links > 0) {
        lines.push_back(counted(links, "symbolic link is removed; what it points to",
                                "symbolic links are removed; what they point to") +
                        " is left alone");
    }
    if (findings.specialFiles > 0) {
        lines.push_back(counted(findings.specialFiles,
                                "special file (device, pipe or socket) is removed; nothing in it",
                                "special files (devices, pipes or sockets) are removed; nothing "
                                "in them") +
                        " is overwritten");
    }
    return lines;
}

std::vector<std::string> confirmationDetails(const Selection& chosen,
                                             const SelectionFindings& findings,
                                             const RunAccount& account, const Grouped& grouped) {
    const std::string& path = chosen.path;
    std::string what = "What: " + path;
    if (chosen.isDirectory) {
        what = findings.topNames.count == 0
                   ? "What: the empty folder " + path
                   : "What: the folder " + path + " with " + listed(findings.topNames);
    }
    std::string much = "How much: " + counted(chosen.items, "item", "items");
    if (chosen.links > 0) {
        much += " (" + counted(chosen.links, "symbolic link", "symbolic links") + ")";
    }
    much += ", " + exactBytes(chosen.bytes, grouped);
    std::vector<std::string> lines = {
        what, much,
        "How: " + modeInWords(chosen.mode) + (chosen.verifying ? ", the last one read back" : "")};
    for (std::string& warning : unreachedWarnings(account, findings, chosen.links)) {
        lines.push_back(std::move(warning));
    }
    return lines;
}

std::string accountSummary(RunOutcome outcome, const RunAccount& a, ShredMode mode) {
    if (outcome == RunOutcome::Denied || outcome == RunOutcome::Cancelled) {
        return "Nothing was touched.";
    }
    std::string line = counted(a.filesOverwritten, "file", "files") + " overwritten (" +
                       humanBytes(a.bytesOverwritten) + ", " + modeInWords(mode) + ")";
    if (a.verifying) {
        line += " \u00b7 " + std::to_string(a.filesVerified) + " verified";
    }
    if (a.stillReachable.count > 0) {
        line += " \u00b7 " + counted(a.stillReachable.count, "name", "names") +
                " removed, contents still on the disk";
    }
    if (a.symbolicLinks.count > 0) {
        line += " \u00b7 " + counted(a.symbolicLinks.count, "link", "links") +
                " removed, targets untouched";
    }
    if (a.specialFiles.count > 0) {
        line += " \u00b7 " + counted(a.specialFiles.count, "special file", "special files") +
                " removed";
    }
    if (!a.kept.empty()) {
        line += " \u00b7 " + counted(a.kept.size(), "item", "items") + " kept";
    }
    const bool anyShort = std::any_of(a.storageOf.begin(), a.storageOf.end(), [](const auto& each) {
        return each.second.reach != StorageReach::Reaches;
    });
    if (anyShort || (a.storage && a.storage->reach != StorageReach::Reaches)) {
        line += " \u00b7 see the storage note";
    }
    return line;
}

std::vector<std::string> accountDetails(RunOutcome outcome, const RunAccount& a, ShredMode mode,
                                        const Grouped& grouped) {
    std::vector<std::string> lines;
    if (outcome != RunOutcome::Denied && outcome != RunOutcome::Cancelled) {
        lines.push_back("Overwritten: " + counted(a.filesOverwritten, "file", "files") + ", " +
                        exactBytes(a.bytesOverwritten, grouped) + ", " + modeInWords(mode) +
                        " each");
        if (a.verifying) {
            lines.push_back("Verified: " + grouped(a.filesVerified) + " of " +
                            grouped(a.filesOverwritten) +
                            " files read back from the device as the last pass wrote them");
        }
    }
    auto named = [&lines](const NamedItems& items, const std::string& what) {
        for (const std::string& path : items.first) {
            lines.push_back(what + ": " + path);
        }
        if (items.count > items.first.size()) {
            lines.push_back(what + ": and " + std::to_string(items.count - items.first.size()) +
                            " more");
        }
    };
    if (a.itemsBeyondCount > 0 || a.bytesBeyondCount > 0) {
        std::vector<std::string> beyond;
        if (a.itemsBeyondCount > 0) {
            beyond.push_back(counted(a.itemsBeyondCount, "file", "files") + " that appeared");
        }
        if (a.bytesBeyondCount > 0) {
            beyond.push_back(exactBytes(a.bytesBeyondCount, grouped) + " that files grew");
        }
        lines.push_back("Not in the count: " + beyond.front() +
                        (beyond.size() > 1 ? " and " + beyond.back() : "") + " after it was taken");
    }
    named(a.stoppedEarly, "Removed after fewer passes than chosen, when the run was stopped");
    named(a.stillReachable,
          "Removed, but its contents stay on the disk under another name (hard link)");
    named(a.symbolicLinks, "Removed; what it points to was not touched (symbolic link)");
    named(a.specialFiles, "Removed; nothing in it was overwritten (device, pipe or socket)");
    for (const auto& [path, why] : a.kept) {
        lines.push_back("Kept: " + path + ": " + why);
    }
    for (const auto& [folder, verdict] : a.storageOf) {
        lines.push_back(folder + ": " + storageInWords(verdict));
        lines.push_back(folder + ": names: " + namesInWords(verdict));
    }
    if (a.storage && a.storageOf.empty()) {
        lines.push_back(storageInWords(*a.storage));
        lines.push_back("Names" +
                        (a.storage->fileSystem.empty() ? "" : " (" + a.storage->fileSystem + ")") +
                        ": " + namesInWords(*a.storage));
    }
    return lines;
}

void addTo(RunAccount& total, const RunAccount& run) {
    total.itemsBeyondCount += run.itemsBeyondCount;
    total.bytesBeyondCount += run.bytesBeyondCount;
    total.filesOverwritten += run.filesOverwritten;
    total.bytesOverwritten += run.bytesOverwritten;
    total.filesVerified += run.filesVerified;
    total.verifying = total.verifying || run.verifying;
    for (const auto& [into, from] : {std::pair{&total.stoppedEarly, &run.stoppedEarly},
                                     std::pair{&total.stillReachable, &run.stillReachable},
                                     std::pair{&total.symbolicLinks, &run.symbolicLinks},
                                     std::pair{&total.specialFiles, &run.specialFiles}}) {
        for (const std::string& path : from->first) {
            into->add(path);
        }
        // Those past the first few are counted, not named.
        into->count += from->count - from->first.size();
    }
    total.kept.insert(total.kept.end(), run.kept.begin(), run.kept.end());
    // Runs on several file systems (the Trash's folders): the worst verdict is the one told.
    if (run.storage && (!total.storage || worseReach(total.storage->reach, run.storage->reach) !=
                                              total.storage->reach)) {
        total.storage = run.storage;
    }
}
