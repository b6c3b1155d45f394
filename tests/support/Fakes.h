#pragma once

// Stand-ins for what a person sees (fields, bar) and does (answering alerts).

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "Display.h"
#include "Panels.h"
#include "Services.h"

class RecordingField : public TextField {
public:
    void setStringValue(const std::string& text) override { value = text; }
    void display() override { shown.push_back(value); }
    std::string value;
    std::vector<std::string> shown;  // the value at each redraw
};

class RecordingBar : public ProgressIndicator {
public:
    void setMinValue(double) override {}
    void setMaxValue(double v) override { max = v; }
    void setDoubleValue(double v) override {
        value = v;
        history.push_back(v);
    }
    void incrementBy(double d) override { value += d; }
    void setHidden(bool h) override { hidden = h; }
    void display() override {}
    double max = -1, value = -1;
    bool hidden = true;
    std::vector<double> history;  // every value set
};

class CommaFormatter : public NumberFormatter {
public:
    std::string stringFromNumber(unsigned long long n) const override {
        std::string digits = std::to_string(n);
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
            digits.insert(static_cast<std::size_t>(i), ",");
        }
        return digits;
    }
};

// Nothing is registered: the application below has no defaults file.
class MapDefaults : public UserDefaults {
public:
    std::int32_t integerForKey(const std::string& key) const override {
        auto it = values.find(key);
        return it != values.end() ? it->second : 0;
    }
    void registerDefaults(const std::map<std::string, std::int32_t>&) override {}
    std::map<std::string, std::int32_t> values;
};

// Answers alerts from a script; with the script used up, presses the default button.
class ScriptedAlerts : public AlertPanels {
public:
    int run(const Alert& alert) override {
        seen.push_back(alert);
        if (answers.empty())
            return 1;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<int> answers;
    std::vector<Alert> seen;
};

class RecordingLog : public SystemLog {
public:
    void log(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// Without resources; its private folder goes into tempDir.
class FakeApplication : public Application {
public:
    void terminate() override {}
    std::optional<std::string> pathForResource(const std::string&,
                                               const std::string&) const override {
        return std::nullopt;
    }
    std::optional<std::map<std::string, std::int32_t>> dictionaryWithContentsOfFile(
        const std::string&) const override {
        return std::nullopt;
    }
    std::string processName() const override { return "zurizede-test"; }
    int processIdentifier() const override { return 4242; }
    std::optional<std::string> temporaryDirectory() const override { return tempDir; }
    std::optional<std::string> homeDirectory() const override { return home; }
    std::optional<std::string> tempDir;
    std::optional<std::string> home;
};

// The person at the open panel: confirms with the paths given, or cancels.
class ChoosingPanel : public OpenPanel {
public:
    int runModal(const OpenPanelSettings& s) override {
        shown.push_back(s);
        return confirm ? kOpenPanelOK : 0;
    }
    std::vector<std::string> filenames() const override { return paths; }
    bool confirm = true;
    std::vector<std::string> paths;
    std::vector<OpenPanelSettings> shown;
};
