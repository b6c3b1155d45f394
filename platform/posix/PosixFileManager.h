#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/FileManager.h"

// The file manager on POSIX file calls. Its delete walk works relative to directory file
// descriptors: it never follows a symbolic link, never leaves the tree it was given even
// if the tree changes while it runs, never crosses into another mount, needs no /proc, and
// works on trees deeper than PATH_MAX.
class PosixFileManager : public FileManager {
public:
    std::unique_ptr<FolderHold> holdFolder(const std::string& path, int folderFd) override;
    bool isDeletableFileAtPath(const std::string& path) const override;
    int removalBlockerAtPath(const std::string& path) const override;
    StorageVerdict storageVerdictAtPath(const std::string& path) const override;
    MemoryOnDisk unencryptedMemoryCopies() const override;
    std::optional<FileAttributes> fileAttributesAtPath(const std::string& path,
                                                       bool traverseLink) const override;
    std::unique_ptr<DirectoryEnumerator> enumeratorAtPath(const std::string& path) const override;
    bool fileExistsAtPath(const std::string& path, bool& isDirectory) const override;
    ItemExamination examineLinkTarget(const WalkItem& link) const override;
    int removeAnnouncedFile(int folderFd, const std::string& name, bool renameFirst) const override;
    bool removeFileAtPath(const std::string& path, RemovalHandler& handler) override;
    bool copyPath(const std::string& source, const std::string& destination) override;
    std::optional<std::string> makeUniqueDirectory(const std::string& pathTemplate) override;
    std::string currentDirectoryPath() const override;

private:
    std::vector<std::pair<std::string, int>> holds_;  // the held folders' paths, descriptors
};
