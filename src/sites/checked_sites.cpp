#include "sites/checked_sites.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/process_state.h"

namespace orvanix {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string checkedSitesPath() {
    const std::string& run = processState().runDirectory;
    return run.empty() ? std::string("xz.db") : run + "/xz.db";
}

std::string checkedSitesText(const std::vector<std::string>& tickedNames) {
    std::string text;
    for (const std::string& name : tickedNames) {
        text += name;
        text += kLineEnd;
    }
    return text;
}

std::vector<std::string> splitCheckedSites(std::string_view text) {
    std::vector<std::string> names;
    while (!text.empty()) {
        const auto end = text.find(kLineEnd);
        names.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + kLineEnd.size());
    }
    return names;
}

std::vector<std::string> readCheckedSites(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return {};
    // The file is text: it ends at a zero byte, if there is one.
    return splitCheckedSites(std::string_view(bytes).substr(0, bytes.find('\0')));
}

bool writeCheckedSites(const std::string& path, const std::vector<std::string>& tickedNames) {
    const std::string text = checkedSitesText(tickedNames);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace orvanix
