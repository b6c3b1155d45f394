#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "Fakes.h"
#include "PosixFileManager.h"
#include "TempDir.h"
#include "ZVORBAControlShredder.h"

// A controller on the real file system, with recorded fields and scripted answers.
class ShredderFixture : public ::testing::Test {
protected:
    ShredderFixture() {
        ShredderConnections& c = connections;
        c.display = statusDisplayOf(fields, bar);
        c.fileManager = &files;
        c.defaults = &defaults;
        c.alerts = &alerts;
        c.log = &log;
        c.openPanel = &panel;
        c.application = &application;
        c.makeNumberFormatter = [](const std::string&) {
            return std::make_unique<CommaFormatter>();
        };
        application.tempDir = dir.path();
        reconnect();
    }

    // A new controller on the connections, after a test changed them.
    void reconnect() {
        shredder = std::make_unique<ZVORBAControlShredder>(connections);
        shredder->awakeFromNib();
    }

    // After every run, whatever its end: nothing left over from its progress.
    void expectProgressReset() {
        EXPECT_TRUE(bar.hidden);
        EXPECT_EQ(progressCount.value, "");
        EXPECT_EQ(progressLinks.value, "");
        EXPECT_EQ(progressBytes.value, "");
    }

    TempDir dir;
    RecordingBar bar;
    std::array<RecordingField, kFieldCount> fields;
    // Each field by its name, as the tests read them.
    RecordingField& field(Field which) { return fields[static_cast<std::size_t>(which)]; }
    RecordingField& folderText = field(Field::folderText);
    RecordingField& fileText = field(Field::fileText);
    RecordingField& statusText = field(Field::statusText);
    RecordingField& totalCount = field(Field::totalCount);
    RecordingField& totalLinks = field(Field::totalLinks);
    RecordingField& totalBytes = field(Field::totalBytes);
    RecordingField& progressCount = field(Field::progressCount);
    RecordingField& progressLinks = field(Field::progressLinks);
    RecordingField& progressBytes = field(Field::progressBytes);
    PosixFileManager files;
    MapDefaults defaults;
    ScriptedAlerts alerts;
    RecordingLog log;
    ChoosingPanel panel;
    FakeApplication application;
    ShredderConnections connections;
    std::unique_ptr<ZVORBAControlShredder> shredder;
};
