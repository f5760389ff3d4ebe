#include "cli/netdisk_command.h"

#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "search/netdisk_search.h"
#include "sites/checked_sites.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"
#include "web/code_page.h"
#include "web/endpoints.h"

namespace orvanix {

namespace {

const std::vector<std::string> kCaptions{"序号",     "文件名",   "站点",
                                         "文件大小", "上传日期", "网盘链接"};

constexpr std::string_view kOptions[] = {"--count", "--site"};

}  // namespace

const char* netdiskUsage() {
    return "  orvanix-cli netdisk KEYWORD [--count TEXT] [--site NAME=ADDRESS]...\n"
           "      Searches the netdisk sites for KEYWORD, as the window's tab \"网盘搜索区\".\n"
           "      --count TEXT          hits per site: 20 (default), 40, 60, 80 or 100\n"
           "      --site NAME=ADDRESS   query this site; repeat for more, in order. Without\n"
           "                            it: the ticked sites of db/wp.edb and xz.db beside\n"
           "                            the program\n";
}

int runNetdiskCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<CommandWords> words = splitCommandWords(args, kOptions, err);
    if (!words) {
        err << "usage:\n" << netdiskUsage();
        return 2;
    }
    int countIndex = 0;
    std::optional<std::vector<SiteRecord>> sites;  // from --site, GBK
    bool valid = true;
    for (const auto& [name, value] : words->options) {
        if (name == "--count") {
            const std::optional<int> index = itemIndex(kNetdiskCounts, value, name, err);
            valid = valid && index.has_value();
            countIndex = index.value_or(0);
            continue;
        }
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos) {
            err << "orvanix-cli: --site takes NAME=ADDRESS, got \"" << value << "\"\n";
            valid = false;
            continue;
        }
        if (!sites) sites.emplace();
        sites->push_back({utf8ToGbk(value.substr(0, equals)), utf8ToGbk(value.substr(equals + 1))});
    }
    if (!valid) {
        err << "usage:\n" << netdiskUsage();
        return 2;
    }

    ConsolePort::Controls controls;
    controls.keyword = utf8ToGbk(words->keyword);
    controls.countIndex = countIndex;
    controls.countText = std::string(kNetdiskCounts[static_cast<std::size_t>(countIndex)]);
    NetdiskSearch::SiteLookup lookup;
    if (sites) {
        for (const SiteRecord& site : *sites) controls.checkedItems.push_back(site.name);
        lookup = [sites = *sites](const std::vector<std::string>&) { return sites; };
    } else {
        // As the window's list shows it right after loading: table order, file ticks.
        controls.checkedItems = tickedNamesAfterLoad(siteTablePath(), checkedSitesPath());
        lookup = [](const std::vector<std::string>& names) {
            return tickedSitePairs(siteTablePath(), names);
        };
    }
    NetdiskSearch search(endpointHost(Endpoint::webSearch), std::move(lookup));
    return runAndPrint(search, std::move(controls), kCaptions, out, err);
}

}  // namespace orvanix
