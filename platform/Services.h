#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

// The standard user defaults over a layer of registered defaults.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;
    // A stored value wins over a registered one; a missing or non-integer value reads 0.
    virtual std::int32_t integerForKey(const std::string& key) const = 0;
    virtual void registerDefaults(const std::map<std::string, std::int32_t>& defaults) = 0;
};

// One line per call in the system log.
class SystemLog {
public:
    virtual ~SystemLog() = default;
    virtual void log(const std::string& line) = 0;
};

// The application object: quitting, resources and facts about the process.
class Application {
public:
    virtual ~Application() = default;
    // Asks the application to quit; it runs applicationWillTerminate once, then ends.
    virtual void terminate() = 0;
    // The path of a bundled resource, or nothing when it is missing.
    virtual std::optional<std::string> pathForResource(const std::string& name,
                                                       const std::string& type) const = 0;
    // A property list of integers, or nothing when it cannot be read as one.
    virtual std::optional<std::map<std::string, std::int32_t>> dictionaryWithContentsOfFile(
        const std::string& path) const = 0;
    virtual std::string processName() const = 0;
    virtual int processIdentifier() const = 0;
    // The user's temporary directory, or nothing.
    virtual std::optional<std::string> temporaryDirectory() const = 0;
    // The user's home folder, or nothing.
    virtual std::optional<std::string> homeDirectory() const = 0;
};

// Opens URLs and files with the user's applications.
class Workspace {
public:
    virtual ~Workspace() = default;
    virtual bool openURL(const std::string& url) = 0;
    // Opens the file (or, with nothing, just launches the application) with the application
    // known by that name, bringing it to the front.
    virtual bool openFile(const std::optional<std::string>& path,
                          const std::string& application) = 0;
};

// Runs tasks on threads of its own, several at once: the overwrites of many small files, so
// that their syncs are in flight together.
class TaskPool {
public:
    virtual ~TaskPool() = default;
    // Starts the task; wait(ticket) returns once it has run.
    virtual std::uint64_t start(std::function<void()> task) = 0;
    virtual void wait(std::uint64_t ticket) = 0;
};
