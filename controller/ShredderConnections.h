#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Display.h"
#include "platform/FileManager.h"
#include "platform/FreeSpace.h"
#include "platform/Panels.h"
#include "platform/Services.h"
#include "platform/Trash.h"

// What the interface file connects: the window, its status display and the platform's
// services. The controller uses them and never owns them.
struct ShredderConnections {
    StatusDisplay display;  // made by statusDisplayOf
    Window* window = nullptr;

    FileManager* fileManager = nullptr;
    UserDefaults* defaults = nullptr;
    AlertPanels* alerts = nullptr;
    OpenPanel* openPanel = nullptr;
    SystemLog* log = nullptr;
    AccountView* account = nullptr;  // optional
    Application* application = nullptr;
    Workspace* workspace = nullptr;
    // Makes a number formatter for the pattern it is given.
    std::function<std::unique_ptr<NumberFormatter>(const std::string& pattern)> makeNumberFormatter;
    // Asked before each item of a walk and between blocks of a file; YES stops the walk
    // there, as a removal error would. Stop in the window, and a signal in the terminal.
    std::function<bool()> stopRequested;
    // Optional: small files are overwritten on its threads, their syncs in flight together.
    // Without it every file is overwritten in turn.
    TaskPool* overwriters = nullptr;
    // Replaces the sync that makes each pass reach the device (tests); answers 0 or errno.
    std::function<int(int fd)> syncPass;
    // The remedies for what overwriting in place cannot reach; optional.
    FreeSpaceWiper* freeSpace = nullptr;
    TrashCan* trash = nullptr;
    // Keep every item of a run for its report (the window, and the terminal when one is
    // asked for): the memory a run takes then grows with the items it has.
    bool recordItems = false;
};
