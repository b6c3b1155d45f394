#pragma once

// Stand-ins for what a person sees (fields, bar) and does (answering alerts).

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/Panels.h"
#include "platform/Services.h"

class RecordingField : public TextField {
public:
    void setStringValue(const std::string& text) override {
        value = text;
        shown.push_back(text);
    }
    void display() override {}
    std::string value;
    std::vector<std::string> shown;  // every value it was given
};

class RecordingBar : public ProgressIndicator {
public:
    void setMinValue(double) override {}
    void setMaxValue(double) override {}
    void setDoubleValue(double) override {}
    void incrementBy(double) override {}
    void setHidden(bool h) override { hidden = h; }
    void display() override {}
    bool hidden = true;
};

// Nothing is registered: the application below has no defaults file.
class MapDefaults : public UserDefaults {
public:
    std::int32_t integerForKey(const std::string& key) const override {
        return values.contains(key) ? values.at(key) : 0;
    }
    void registerDefaults(const std::map<std::string, std::int32_t>&) override {}
    std::map<std::string, std::int32_t> values;
};

// Answers alerts from a script; with the script used up, presses the default button.
class ScriptedAlerts : public AlertPanels {
public:
    int run(const Alert& alert) override {
        seen.push_back(alert);
        const int answer = answers.empty() ? 1 : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    std::deque<int> answers;
    std::vector<Alert> seen;
};

class RecordingLog : public SystemLog {
public:
    void log(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Without resources or a private folder.
class FakeApplication : public Application {
public:
    using Optional = std::optional<std::string>;
    void terminate() override {}
    Optional pathForResource(const std::string&, const std::string&) const override { return {}; }
    std::optional<std::map<std::string, std::int32_t>> dictionaryWithContentsOfFile(
        const std::string&) const override {
        return std::nullopt;
    }
    std::string processName() const override { return "zurizede-test"; }
    int processIdentifier() const override { return 4242; }
    Optional temporaryDirectory() const override { return {}; }
    Optional homeDirectory() const override { return home; }
    Optional home;
};

// The person at the open panel: confirms with the paths given.
class ChoosingPanel : public OpenPanel {
public:
    int runModal(const OpenPanelSettings&) override { return kOpenPanelOK; }
    std::vector<std::string> filenames() const override { return paths; }
    std::vector<std::string> paths;
};
