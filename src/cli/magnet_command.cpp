#include "cli/magnet_command.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/console_port.h"
#include "cli/row_output.h"
#include "search/magnet_search.h"
#include "search/search_texts.h"
#include "web/code_page.h"
#include "web/endpoints.h"

namespace orvanix {

namespace {

const std::vector<std::string> kCaptions{"序号", "文件名", "文件大小", "收录时间", "磁链"};

// The items of the mode combo `组合框_模式`, by the names the command line uses.
struct ModeName {
    std::string_view option;
    const char* item;  // UTF-8
};
constexpr ModeName kModes[] = {{"bt", "BT樱桃"}, {"dht", "DHT"}};

struct MagnetOptions {
    std::string keyword;  // GBK
    int modeIndex = 0;
    int countIndex = 0;
};

// The value of "--name VALUE" or "--name=VALUE" at args[i] (i moves past it), or
// nothing when args[i] is not that option; `missing` is set when the value is absent.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name, bool& missing) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (arg != name) return std::nullopt;
    if (i + 1 >= args.size()) {
        missing = true;
        return std::nullopt;
    }
    return args[++i];
}

// Parses the arguments after "magnet"; on a mistake writes it to err and gives nothing.
std::optional<MagnetOptions> parse(const std::vector<std::string>& args, std::ostream& err) {
    MagnetOptions options;
    std::optional<std::string> keyword;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool missing = false;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (auto mode = optionValue(args, i, "--mode", missing)) {
                const auto found =
                    std::find_if(std::begin(kModes), std::end(kModes),
                                 [&](const ModeName& m) { return m.option == *mode; });
                if (found == std::end(kModes)) {
                    err << "orvanix-cli: unknown --mode \"" << *mode << "\"; use bt or dht\n";
                    return std::nullopt;
                }
                options.modeIndex = static_cast<int>(found - std::begin(kModes));
            } else if (auto count = optionValue(args, i, "--count", missing)) {
                const auto found = std::find(kMagnetCounts.begin(), kMagnetCounts.end(), *count);
                if (found == kMagnetCounts.end()) {
                    err << "orvanix-cli: unknown --count \"" << *count
                        << "\"; use one of 20, 40, 60, 80, 100\n";
                    return std::nullopt;
                }
                options.countIndex = static_cast<int>(found - kMagnetCounts.begin());
            } else {
                if (missing) {
                    err << "orvanix-cli: " << arg << " needs a value\n";
                } else {
                    err << "orvanix-cli: unknown option \"" << arg << "\"\n";
                }
                return std::nullopt;
            }
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

const char* magnetUsage() {
    return "  orvanix-cli magnet KEYWORD [--mode bt|dht] [--count TEXT]\n"
           "      Searches magnet links for KEYWORD, as the window's tab \"★大片★资料★磁链搜索 "
           "\".\n"
           "      --mode bt|dht   the search site: BT樱桃 (default) or DHT\n"
           "      --count TEXT    results wanted: 20 (default), 40, 60, 80 or 100; BT樱桃\n"
           "                      gives 20 a page, DHT 10\n";
}

int runMagnetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<MagnetOptions> options = parse(args, err);
    if (!options) {
        err << "usage:\n" << magnetUsage();
        return 2;
    }

    ConsolePort::Controls controls;
    controls.keyword = options->keyword;
    controls.countIndex = options->countIndex;
    controls.countText = std::string(kMagnetCounts[static_cast<std::size_t>(options->countIndex)]);
    controls.modeIndex = options->modeIndex;
    controls.modeText = utf8ToGbk(kModes[options->modeIndex].item);

    ConsolePort port(std::move(controls), static_cast<int>(kCaptions.size()), err);
    MagnetSearch search(endpointHost(Endpoint::magnetBt), endpointHost(Endpoint::magnetDht));
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
