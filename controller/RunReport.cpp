#include "controller/RunReport.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ErrorText.h"

using namespace shredder_text;

namespace {

std::string listed(const NamedItems& items) {
    std::string text;
    for (const std::string& name : items.first) {
        text += (text.empty() ? "" : ", ") + name;
    }
    if (items.count > items.first.size()) {
        text = withArgs(translatedCount("Account", "%1 and %n more", "%1 and %n more",
                                        items.count - items.first.size()),
                        {text});
    }
    return text;
}

// Files that appeared, and bytes that files grew, after the count was taken.
std::string beyondTheCount(const RunAccount& a, const Grouped& grouped) {
    const std::string files = translatedCount("Account", "%n file that appeared",
                                              "%n files that appeared", a.itemsBeyondCount);
    const std::string bytes = withArgs(translated("Account", "%1 that files grew"),
                                       {exactBytes(a.bytesBeyondCount, grouped)});
    if (a.itemsBeyondCount > 0 && a.bytesBeyondCount > 0) {
        return withArgs(translated("Account", "Not in the count: %1 and %2 after it was taken"),
                        {files, bytes});
    }
    return withArgs(translated("Account", "Not in the count: %1 after it was taken"),
                    {a.itemsBeyondCount > 0 ? files : bytes});
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
    static const char* const units[] = {TRANSLATABLE("Bytes", "kB"), TRANSLATABLE("Bytes", "MB"),
                                        TRANSLATABLE("Bytes", "GB"), TRANSLATABLE("Bytes", "TB"),
                                        TRANSLATABLE("Bytes", "PB"), TRANSLATABLE("Bytes", "EB")};
    if (bytes < 1000) {
        return translatedCount("Bytes", "%n byte", "%n bytes", bytes);
    }
    double value = static_cast<double>(bytes) / 1000;
    int unit = 0;
    while (value >= 999.95 && unit < 5) {
        value /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, translated("Bytes", units[unit]).c_str());
    return text;
}

std::string modeInWords(ShredMode mode) {
    switch (mode) {
        case ShredMode::FourPasses:
            return translated("Account", "4 passes");
        case ShredMode::ElevenPasses:
            return translated("Account", "11 passes");
        case ShredMode::RandomPass:
            break;
    }
    return translated("Account", "1 pass of random bytes");
}

std::string storageInWords(const StorageVerdict& verdict) {
    static const char* const reach[] = {
        TRANSLATABLE("Storage", "overwriting reaches the old data"),
        TRANSLATABLE("Storage", "overwriting may not reach all old copies"),
        TRANSLATABLE("Storage", "overwriting cannot reach the old copies"),
        TRANSLATABLE("Storage", "overwriting is not needed: nothing is kept on a disk"),
        TRANSLATABLE("Storage", "whether overwriting reaches the old data is unknown"),
    };
    const std::string reaches = translated("Storage", reach[static_cast<int>(verdict.reach)]);
    std::string text =
        verdict.fileSystem.empty()
            ? withArgs(translated("Storage", "Storage: %1"), {reaches})
            : withArgs(translated("Storage", "Storage (%1): %2"), {verdict.fileSystem, reaches});
    if (!verdict.reason.empty()) {
        text = withArgs(translated("Storage", "%1 (%2)"), {text, verdict.reason});
    }
    if (verdict.encrypted) {
        text = withArgs(
            translated("Storage",
                       "%1; it is encrypted, so old copies cannot be read without its key"),
            {text});
    }
    return text;
}

const char* namesForReport(const StorageVerdict& verdict) {
    return verdict.removedNamesWiped
               ? TRANSLATABLE("Storage", "the file system wipes removed names")
               : TRANSLATABLE("Storage", "renamed before removal");
}

std::string namesInWords(const StorageVerdict& verdict) {
    return translated("Storage", namesForReport(verdict));
}

std::string reasonInWords(const Reason& reason) {
    const std::string system = reason.errorNumber != 0 ? errorInWords(reason.errorNumber) : "";
    switch (reason.code) {
        case ReasonCode::SystemError:
            return system;
        case ReasonCode::MountPoint:
            return translated("Account", "Is a mount point: nothing in it was touched");
        case ReasonCode::NotRemovable:
            // EPERM here is a flag, not a permission: nothing a person fixes by asking.
            return withArgs(
                translated("Account", "Left untouched: it could not be removed afterwards (%1)"),
                {reason.errorNumber == EPERM
                     ? translated("Account", "it or its folder is marked immutable or append-only")
                     : system});
        case ReasonCode::StoppedByRequest:
            return translated("ShredRun", kStoppedByRequest);
        case ReasonCode::StoppedInFirstPass:
            return translated("ShredRun", kStoppedInFirstPass);
        case ReasonCode::CouldNotExamine:
            return withArgs(translated("Account", "Could not examine the item (%1)"), {system});
        case ReasonCode::CouldNotOverwrite:
            return withArgs(translated("Account", "Could not overwrite the file (%1)"), {system});
        case ReasonCode::NoRandomBytes:
            return withArgs(
                translated(
                    "Account",
                    "Could not overwrite the file: the random device %1 could not be opened (%2)"),
                {kRandomDevice, system});
        case ReasonCode::ChangedWhileOverwritten:
            return translated("Account", "The file kept growing while it was being overwritten");
        case ReasonCode::Unverified:
            return reason.errorNumber != 0
                       ? withArgs(
                             translated(
                                 "Account",
                                 "The last pass could not be read back (%1): the file is kept"),
                             {system})
                       : translated("Account",
                                    "The last pass read back differently from what was written: "
                                    "the file is kept");
    }
    return system;
}

std::string exactBytes(std::uint64_t bytes, const Grouped& grouped) {
    const std::string human = humanBytes(bytes);
    return bytes < 1000 ? human
                        : withArgs(translated("Bytes", "%1 (%2 bytes)"), {human, grouped(bytes)});
}

std::vector<std::string> unreachedWarnings(const RunAccount& account,
                                           const SelectionFindings& findings, std::uint64_t links) {
    std::vector<std::string> lines;
    if (account.storage && account.storage->reach != StorageReach::Reaches) {
        lines.push_back(storageInWords(*account.storage));
    }
    if (findings.shared.count > 0) {
        lines.push_back(withArgs(
            translatedCount("Account",
                            "%n file also has names outside the selection: %1. Those names are "
                            "removed here, and the contents stay on the disk under the others "
                            "(hard links)",
                            "%n files also have names outside the selection: %1. Those names are "
                            "removed here, and the contents stay on the disk under the others "
                            "(hard links)",
                            findings.shared.count),
            {listed(findings.shared)}));
    }
    if (links > 0) {
        lines.push_back(translatedCount(
            "Account", "%n symbolic link is removed; what it points to is left alone",
            "%n symbolic links are removed; what they point to is left alone", links));
    }
    if (findings.specialFiles > 0) {
        lines.push_back(translatedCount(
            "Account",
            "%n special file (device, pipe or socket) is removed; nothing in it is overwritten",
            "%n special files (devices, pipes or sockets) are removed; nothing in them is "
            "overwritten",
            findings.specialFiles));
    }
    return lines;
}

std::vector<std::string> confirmationDetails(const Selection& chosen,
                                             const SelectionFindings& findings,
                                             const RunAccount& account, const Grouped& grouped) {
    const std::string& path = chosen.path;
    std::string what = withArgs(translated("Account", "What: %1"), {path});
    if (chosen.isDirectory) {
        what = findings.topNames.count == 0
                   ? withArgs(translated("Account", "What: the empty folder %1"), {path})
                   : withArgs(translated("Account", "What: the folder %1 with %2"),
                              {path, listed(findings.topNames)});
    }
    std::string items = translatedCount("Account", "%n item", "%n items", chosen.items);
    if (chosen.links > 0) {
        items = withArgs(translatedCount("Account", "%1 (%n symbolic link)",
                                         "%1 (%n symbolic links)", chosen.links),
                         {items});
    }
    std::vector<std::string> lines = {
        what,
        withArgs(translated("Account", "How much: %1, %2"),
                 {items, exactBytes(chosen.bytes, grouped)}),
        withArgs(chosen.verifying ? translated("Account", "How: %1, the last one read back")
                                  : translated("Account", "How: %1"),
                 {modeInWords(chosen.mode)})};
    for (std::string& warning : unreachedWarnings(account, findings, chosen.links)) {
        lines.push_back(std::move(warning));
    }
    return lines;
}

std::string accountSummary(RunOutcome outcome, const RunAccount& a, ShredMode mode) {
    if (outcome == RunOutcome::Denied || outcome == RunOutcome::Cancelled) {
        return translated("Account", "Nothing was touched.");
    }
    // The parts are a list, joined by middle dots.
    std::string line =
        withArgs(translatedCount("Account", "%n file overwritten (%1, %2)",
                                 "%n files overwritten (%1, %2)", a.filesOverwritten),
                 {humanBytes(a.bytesOverwritten), modeInWords(mode)});
    if (a.verifying) {
        line +=
            " \u00b7 " + translatedCount("Account", "%n verified", "%n verified", a.filesVerified);
    }
    if (a.stillReachable.count > 0) {
        line +=
            " \u00b7 " + translatedCount("Account", "%n name removed, contents still on the disk",
                                         "%n names removed, contents still on the disk",
                                         a.stillReachable.count);
    }
    if (a.symbolicLinks.count > 0) {
        line += " \u00b7 " + translatedCount("Account", "%n link removed, targets untouched",
                                             "%n links removed, targets untouched",
                                             a.symbolicLinks.count);
    }
    if (a.specialFiles.count > 0) {
        line += " \u00b7 " + translatedCount("Account", "%n special file removed",
                                             "%n special files removed", a.specialFiles.count);
    }
    if (!a.kept.empty()) {
        line +=
            " \u00b7 " + translatedCount("Account", "%n item kept", "%n items kept", a.kept.size());
    }
    const bool anyShort = std::any_of(a.storageOf.begin(), a.storageOf.end(), [](const auto& each) {
        return each.second.reach != StorageReach::Reaches;
    });
    if (anyShort || (a.storage && a.storage->reach != StorageReach::Reaches)) {
        line += " \u00b7 " + translated("Account", "see the storage note");
    }
    return line;
}

std::vector<std::string> accountDetails(RunOutcome outcome, const RunAccount& a, ShredMode mode,
                                        const Grouped& grouped) {
    std::vector<std::string> lines;
    if (outcome != RunOutcome::Denied && outcome != RunOutcome::Cancelled) {
        lines.push_back(
            withArgs(translatedCount("Account", "Overwritten: %n file, %1, %2 each",
                                     "Overwritten: %n files, %1, %2 each", a.filesOverwritten),
                     {exactBytes(a.bytesOverwritten, grouped), modeInWords(mode)}));
        if (a.verifying) {
            lines.push_back(withArgs(translated("Account",
                                                "Verified: %1 of %2 files read back from the "
                                                "device as the last pass wrote them"),
                                     {grouped(a.filesVerified), grouped(a.filesOverwritten)}));
        }
    }
    if (a.itemsBeyondCount > 0 || a.bytesBeyondCount > 0) {
        lines.push_back(beyondTheCount(a, grouped));
    }
    auto named = [&lines](const NamedItems& items, const std::string& what) {
        for (const std::string& path : items.first) {
            lines.push_back(withArgs(translated("Account", "%1: %2"), {what, path}));
        }
        if (items.count > items.first.size()) {
            lines.push_back(
                withArgs(translatedCount("Account", "%1: and %n more", "%1: and %n more",
                                         items.count - items.first.size()),
                         {what}));
        }
    };
    named(a.stoppedEarly, translated("Account",
                                     "Removed after fewer passes than chosen, when the "
                                     "run was stopped"));
    named(a.stillReachable, translated("Account",
                                       "Removed, but its contents stay on the disk "
                                       "under another name (hard link)"));
    named(a.symbolicLinks,
          translated("Account", "Removed; what it points to was not touched (symbolic link)"));
    named(a.specialFiles,
          translated("Account", "Removed; nothing in it was overwritten (device, pipe or socket)"));
    for (const auto& [path, why] : a.kept) {
        lines.push_back(withArgs(translated("Account", "Kept: %1: %2"), {path, why}));
    }
    for (const auto& [folder, verdict] : a.storageOf) {
        lines.push_back(
            withArgs(translated("Account", "%1: %2"), {folder, storageInWords(verdict)}));
        lines.push_back(
            withArgs(translated("Account", "%1: names: %2"), {folder, namesInWords(verdict)}));
    }
    if (a.storage && a.storageOf.empty()) {
        lines.push_back(storageInWords(*a.storage));
        lines.push_back(
            a.storage->fileSystem.empty()
                ? withArgs(translated("Account", "Names: %1"), {namesInWords(*a.storage)})
                : withArgs(translated("Account", "Names (%1): %2"),
                           {a.storage->fileSystem, namesInWords(*a.storage)}));
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
