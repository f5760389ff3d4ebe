#include "cli/netdisk_command.h"

#include <algorithm>
#include <optional>

#include "cli/console_port.h"
#include "cli/row_output.h"
#include "search/netdisk_search.h"
#include "search/search_texts.h"
#include "sites/checked_sites.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"
#include "web/code_page.h"
#include "web/endpoints.h"

namespace orvanix {

namespace {

const std::vector<std::string> kCaptions{"序号",     "文件名",   "站点",
                                         "文件大小", "上传日期", "网盘链接"};

struct NetdiskOptions {
    std::string keyword;  // GBK
    int countIndex = 0;
    std::optional<std::vector<SiteRecord>> sites;  // from --site, GBK
};

// Parses the arguments after "netdisk"; on a mistake writes it to err and gives nothing.
std::optional<NetdiskOptions> parse(const std::vector<std::string>& args, std::ostream& err) {
    NetdiskOptions options;
    std::optional<std::string> keyword;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string_view name) -> std::optional<std::string> {
            if (arg.rfind(std::string(name) + "=", 0) == 0) return arg.substr(name.size() + 1);
            if (arg != name) return std::nullopt;
            if (i + 1 >= args.size()) {
                err << "orvanix-cli: " << name << " needs a value\n";
                return std::nullopt;
            }
            return args[++i];
        };
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--count" || arg.rfind("--count=", 0) == 0)) {
            const std::optional<std::string> count = value("--count");
            if (!count) return std::nullopt;
            const auto found = std::find(kNetdiskCounts.begin(), kNetdiskCounts.end(), *count);
            if (found == kNetdiskCounts.end()) {
                err << "orvanix-cli: unknown --count \"" << *count
                    << "\"; use one of 20, 40, 60, 80, 100\n";
                return std::nullopt;
            }
            options.countIndex = static_cast<int>(found - kNetdiskCounts.begin());
        } else if (!optionsEnded && (arg == "--site" || arg.rfind("--site=", 0) == 0)) {
            const std::optional<std::string> site = value("--site");
            if (!site) return std::nullopt;
            const std::size_t equals = site->find('=');
            if (equals == std::string::npos) {
                err << "orvanix-cli: --site takes NAME=ADDRESS, got \"" << *site << "\"\n";
                return std::nullopt;
            }
            if (!options.sites) options.sites.emplace();
            options.sites->push_back(
                {utf8ToGbk(site->substr(0, equals)), utf8ToGbk(site->substr(equals + 1))});
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            err << "orvanix-cli: unknown option \"" << arg << "\"\n";
            return std::nullopt;
        } else if (keyword) {
            err << "orvanix-cli: more than one keyword (quote a keyword with blanks)\n";
            return std::nullopt;
        } else {
            keyword = arg;
        }
    }
    if (!keyword) {
        err << "orvanix-cli: the keyword is missing\n";
        return std::nullopt;
    }
    options.keyword = utf8ToGbk(*keyword);
    return options;
}

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
    const std::optional<NetdiskOptions> options = parse(args, err);
    if (!options) {
        err << "usage:\n" << netdiskUsage();
        return 2;
    }

    ConsolePort::Controls controls;
    controls.keyword = options->keyword;
    controls.countIndex = options->countIndex;
    controls.countText = std::string(kNetdiskCounts[static_cast<std::size_t>(options->countIndex)]);
    NetdiskSearch::SiteLookup lookup;
    if (options->sites) {
        for (const SiteRecord& site : *options->sites) controls.checkedItems.push_back(site.name);
        lookup = [sites = *options->sites](const std::vector<std::string>&) { return sites; };
    } else {
        // As the window's list shows it right after loading: table order, file ticks.
        controls.checkedItems = tickedNamesAfterLoad(siteTablePath(), checkedSitesPath());
        lookup = [](const std::vector<std::string>& names) {
            return tickedSitePairs(siteTablePath(), names);
        };
    }

    ConsolePort port(std::move(controls), static_cast<int>(kCaptions.size()), err);
    NetdiskSearch search(endpointHost(Endpoint::webSearch), std::move(lookup));
    const SharedStopToken never = makeStopToken();
    port.setStatus(kStatusPart, search_text::kSearching);
    runSearch(search, port, *never);

    writeRowLine(out, kCaptions);
    for (const std::vector<std::string>& row : port.rows()) {
        std::vector<std::string> cells;
        cells.reserve(row.size());
        for (const std::string& cell : row) cells.push_back(gbkToUtf8(cell));
        writeRowLine(out, cells);
    }
    out.flush();
    return 0;
}

}  // namespace orvanix
