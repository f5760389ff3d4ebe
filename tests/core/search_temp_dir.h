#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace orvanix::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class SearchTempDir {
public:
    SearchTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvanix-search-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~SearchTempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    SearchTempDir(const SearchTempDir&) = delete;
    SearchTempDir& operator=(const SearchTempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace orvanix::test
