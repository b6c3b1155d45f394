#pragma once

#include <optional>
#include <string>

#include "Trash.h"

// The freedesktop trash folders of the user running this process.
class PosixTrashCan : public TrashCan {
public:
    // The home trash lies in dataHome ($XDG_DATA_HOME, else ~/.local/share); nothing when
    // neither is known.
    explicit PosixTrashCan(std::optional<std::string> dataHome);
    std::vector<TrashFolder> trashFolders() const override;
    std::vector<TrashedItem> itemsIn(const TrashFolder& folder) const override;
    int forgetSizes(const TrashFolder& folder, const std::vector<std::string>& names,
                    const std::function<void(const std::string& oldFile)>& overwriteOld) override;

private:
    std::optional<std::string> dataHome_;
};
