#include "platform/posix/SwapCheck.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/PathString.h"
#include "platform/posix/DeviceStack.h"
#include "platform/posix/MountTable.h"

namespace {

// Memory may lie there in the clear: a disk (not memory) without dm-crypt on every way down,
// or one that could not be judged at all.
bool unencrypted(const std::optional<DeviceJudgement>& judgement) {
    return !judgement || (judgement->reach != StorageReach::NotNeeded && !judgement->encrypted);
}

std::optional<DeviceJudgement> judgedDevice(const std::string& sysfsRoot,
                                            const std::string& number) {
    if (number.empty()) {
        return std::nullopt;
    }
    int devicesLeft = kDevicesAWalkVisits;
    return judgeDevice({sysfsRoot, 0, &devicesLeft}, number);
}

}  // namespace

MemoryOnDisk unencryptedMemoryCopies(const std::string& sysfsRoot, const std::string& swapsFile) {
    MemoryOnDisk found;
    std::vector<std::string> swapDevices;
    std::ifstream swaps(swapsFile);
    std::string line;
    std::getline(swaps, line);  // the heading
    while (std::getline(swaps, line)) {
        std::istringstream fields(line);
        std::string name, type;
        if (!(fields >> name >> type)) {
            continue;
        }
        name = unescaped(name);
        std::optional<DeviceJudgement> judgement;
        if (type == "file") {
            int devicesLeft = kDevicesAWalkVisits;
            judgement = judgeFileHolder({sysfsRoot, 0, &devicesLeft}, name);
        } else {
            swapDevices.push_back(blockDeviceNumber(sysfsRoot, name));
            judgement = judgedDevice(sysfsRoot, swapDevices.back());
        }
        if (unencrypted(judgement)) {
            found.swapAreas.push_back(name);
        }
    }
    // "0:0" when no image is to be resumed from.
    const std::string resume = readSysfsLine(sysfsRoot + "/power/resume");
    if (!resume.empty() && resume != "0:0" &&
        std::find(swapDevices.begin(), swapDevices.end(), resume) == swapDevices.end() &&
        unencrypted(judgedDevice(sysfsRoot, resume))) {
        char real[PATH_MAX];
        const std::string at = sysfsRoot + "/dev/block/" + resume;
        found.hibernationDevice =
            ::realpath(at.c_str(), real) != nullptr ? "/dev/" + lastPathComponent(real) : resume;
    }
    return found;
}
