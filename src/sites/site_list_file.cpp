#include "sites/site_list_file.h"

#include "web/code_page.h"

namespace orvanix {

std::vector<SiteRecord> parseSiteList(std::string_view utf8) {
    std::vector<SiteRecord> records;
    while (!utf8.empty()) {
        const auto end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const auto tab = line.find('\t');
        if (line.empty() || line.starts_with('#') || tab == std::string_view::npos) continue;
        records.push_back({utf8ToGbk(line.substr(0, tab)), utf8ToGbk(line.substr(tab + 1))});
    }
    return records;
}

}  // namespace orvanix
