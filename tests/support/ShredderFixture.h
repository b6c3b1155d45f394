#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "Fakes.h"
#include "TempDir.h"
#include "controller/ZVORBAControlShredder.h"
#include "platform/posix/PosixFileManager.h"

// A controller on the real file system, with recorded fields and scripted answers. Numbers
// are shown without grouping: no formatter is given.
class ShredderFixture : public ::testing::Test {
protected:
    ShredderFixture() { reconnect(); }

    // A new controller on the connections, after a test changed them.
    void reconnect() {
        shredder = std::make_unique<ZVORBAControlShredder>(connections);
        shredder->awakeFromNib();
    }

    TempDir dir;
    RecordingBar bar;
    std::array<RecordingField, kFieldCount> fields;
    RecordingField& statusText = fields[static_cast<std::size_t>(Field::statusText)];
    PosixFileManager files;
    MapDefaults defaults;
    ScriptedAlerts alerts;
    RecordingLog log;
    ChoosingPanel panel;
    FakeApplication application;
    ShredderConnections connections{.display = statusDisplayOf(fields, bar),
                                    .fileManager = &files,
                                    .defaults = &defaults,
                                    .alerts = &alerts,
                                    .openPanel = &panel,
                                    .log = &log,
                                    .application = &application};
    std::unique_ptr<ZVORBAControlShredder> shredder;
};
