#pragma once

#include <mutex>
#include <string>
#include <utility>

namespace orvanix {

// A text that one thread may set while others read it.
class GuardedText {
public:
    GuardedText& operator=(std::string text) {
        std::lock_guard lock(mutex_);
        text_ = std::move(text);
        return *this;
    }
    void clear() { *this = std::string(); }
    std::string get() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

// The few objects that several parts of the program share for the whole run.
// Created by the start sequence, released when the program ends.
struct ProcessState {
    std::string runDirectory;    // folder of the executable, no trailing slash
    std::string executableName;  // file name of the executable, no folder
    std::string settingsPath;    // runDirectory + "/config.ini", set by the created handler
    GuardedText dbDirectory;     // runDirectory + "/db/", set by the start-up restore
                                 // while handlers on the GUI thread may read it
    std::mutex startupLock;      // held by each start-up worker for its whole run
};

// The process-wide instance.
ProcessState& processState();

// Finds the executable's folder and name and makes the folder the current
// directory. Returns false when the executable's path cannot be found.
bool platformStartup(ProcessState& state);

// Splits an executable path at its last slash into folder and file name.
// "/opt/orvanix/orvanix" gives {"/opt/orvanix", "orvanix"}; "/orvanix" gives {"", "orvanix"}.
struct SplitPath {
    std::string directory;
    std::string name;
};
SplitPath splitExecutablePath(const std::string& path);

}  // namespace orvanix
