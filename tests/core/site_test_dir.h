#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace orvanix::test {

// A fresh directory under the system's temporary folder, removed afterwards.
class SiteTestDir {
public:
    SiteTestDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("orvanix-sites-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~SiteTestDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    SiteTestDir(const SiteTestDir&) = delete;
    SiteTestDir& operator=(const SiteTestDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace orvanix::test
