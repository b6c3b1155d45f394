#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The descriptors a trash folder was checked through: the folder, its files/ and its info/
// (-1 where there is none). A run reaches everything in the trash through them, so that a
// folder renamed and replaced by someone else after the check leads nowhere else. They are
// closed when the last TrashFolder holding them goes.
struct TrashDescriptors {
    int folder = -1, files = -1, info = -1;
};

// A trash folder of the user's, as freedesktop.org desktops lay it out: files/
// holds the trashed items, info/ a NAME.trashinfo record of each, and directorysizes a line
// for each trashed folder.
struct TrashFolder {
    std::string path;    // "/home/ana/.local/share/Trash", "/media/usb/.Trash-1000"
    std::string topDir;  // the top of the file system it serves; empty for the home trash
    std::uint64_t device = 0;
    std::shared_ptr<const TrashDescriptors> held;
};

// A trash folder that exists but failed the trust check: nothing in it is touched.
struct UntrustedTrash {
    enum class Why { Link, NotAFolder, NotOwned, OthersMayWrite, NoStickyBit };
    std::string path;  // the trash folder
    std::string part;  // what failed: the folder itself, its files/ or info/, or the .Trash above
    Why why = Why::Link;
};

struct TrashFolders {
    std::vector<TrashFolder> trusted;
    std::vector<UntrustedTrash> passedOver;
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
    // The home trash and, on every mounted file system, $topdir/.Trash/$uid (below a real,
    // sticky .Trash folder) and $topdir/.Trash-$uid, where they exist. Each is opened one
    // component at a time, never through a link, and trusted only when it, its files/ and its
    // info/ are the user's own and nobody else may write them; the rest are passed over.
    virtual TrashFolders trashFolders() const = 0;
    virtual std::vector<TrashedItem> itemsIn(const TrashFolder& folder) const = 0;
    // Whether the folder's path, opened again as trashFolders opened it, still leads to the
    // folders it holds.
    virtual bool stillInPlace(const TrashFolder& folder) const = 0;
    // Drops the directorysizes lines of the named items: the kept lines go to a new file that
    // replaces the old one by a rename, after overwriteOld has overwritten the old one in
    // place (it is handed the trash folder's descriptor and the file's name there). Answers 0
    // or an errno value; 0 too when there is no such file.
    virtual int forgetSizes(
        const TrashFolder& folder, const std::vector<std::string>& names,
        const std::function<void(int folderFd, const std::string& name)>& overwriteOld) = 0;
};
