#include "app/process_state.h"

#include <filesystem>
#include <system_error>

namespace orvanix {

ProcessState& processState() {
    static ProcessState state;
    return state;
}

SplitPath splitExecutablePath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

bool platformStartup(ProcessState& state) {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return false;
    auto [directory, name] = splitExecutablePath(exe.string());
    state.runDirectory = directory;
    state.executableName = name;
    std::filesystem::current_path(directory.empty() ? "/" : directory, error);
    return !error;
}

}  // namespace orvanix
