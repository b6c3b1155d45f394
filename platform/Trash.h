#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A trash folder of the user's, as freedesktop.org desktops lay it out: files/
// holds the trashed items, info/ a NAME.trashinfo record of each, and directorysizes a line
// for each trashed folder.
struct TrashFolder {
    std::string path;    // "/home/ana/.local/share/Trash", "/media/usb/.Trash-1000"
    std::string topDir;  // the top of the file system it serves; empty for the home trash
    std::uint64_t device = 0;
};

// One item in files/, with what its record says of it.
struct TrashedItem {
    std::string name;          // its name in files/ and, with ".trashinfo", in info/
    bool isDirectory = false;  // a folder (never through a link)
    std::string originalPath;  // from the record's Path=, decoded; empty when unknown
    // The folder it was trashed from lies on another file system than the trash: moving it
    // copied it, and the original's blocks are free space there.
    bool fromAnotherFileSystem = false;
    std::string originalMount;  // where that file system is mounted, when it is
};

class TrashCan {
public:
    virtual ~TrashCan() = default;
    // The home trash and, on every mounted file system, $topdir/.Trash/$uid (only below a real,
    // sticky .Trash folder, never through a link) and $topdir/.Trash-$uid, where they exist.
    virtual std::vector<TrashFolder> trashFolders() const = 0;
    virtual std::vector<TrashedItem> itemsIn(const TrashFolder& folder) const = 0;
    // Drops the directorysizes lines of the named items: the kept lines go to a new file that
    // replaces the old one by a rename, after overwriteOld has overwritten the old one in
    // place. Answers 0 or an errno value; 0 too when there is no such file.
    virtual int forgetSizes(
        const TrashFolder& folder, const std::vector<std::string>& names,
        const std::function<void(const std::string& oldFile)>& overwriteOld) = 0;
};
