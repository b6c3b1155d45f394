#pragma once

#include <optional>
#include <string>

#include "platform/Trash.h"

// The freedesktop trash folders of the user running this process.
class PosixTrashCan : public TrashCan {
public:
    // The home trash lies in the user's data folder: $XDG_DATA_HOME when it is an absolute
    // path, else ~/.local/share; there is none when neither is known.
    PosixTrashCan();
    TrashFolders trashFolders() const override;
    std::vector<TrashedItem> itemsIn(const TrashFolder& folder) const override;
    bool stillInPlace(const TrashFolder& folder) const override;
    int forgetSizes(const TrashFolder& folder, const std::vector<std::string>& names,
                    const std::function<void(int, const std::string&)>& overwriteOld) override;

private:
    std::optional<std::string> dataHome_;
};
