#include "app/common/SystemServices.h"

#include <memory>

#include "platform/qt/QtCoreServices.h"

void SystemServices::connectTo(ShredderConnections& connections) {
    connections.fileManager = &files_;
    connections.log = &log_;
    connections.overwriters = &overwriters_;
    connections.freeSpace = &freeSpace_;
    connections.trash = &trash_;
    connections.makeNumberFormatter = [](const std::string&) {
        return std::make_unique<QtNumberFormatter>();
    };
}
