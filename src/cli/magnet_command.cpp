#include "cli/magnet_command.h"

#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "search/magnet_search.h"
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

constexpr std::string_view kOptions[] = {"--mode", "--count"};

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
    const std::optional<CommandWords> words = splitCommandWords(args, kOptions, err);
    if (!words) {
        err << "usage:\n" << magnetUsage();
        return 2;
    }
    int modeIndex = 0;
    int countIndex = 0;
    bool valid = true;
    std::vector<std::string_view> modeNames;
    for (const ModeName& mode : kModes) modeNames.push_back(mode.option);
    for (const auto& [name, value] : words->options) {
        const std::optional<int> index = name == "--mode"
                                             ? itemIndex(modeNames, value, name, err)
                                             : itemIndex(kMagnetCounts, value, name, err);
        if (!index) valid = false;
        (name == "--mode" ? modeIndex : countIndex) = index.value_or(0);
    }
    if (!valid) {
        err << "usage:\n" << magnetUsage();
        return 2;
    }

    ConsolePort::Controls controls;
    controls.keyword = utf8ToGbk(words->keyword);
    controls.countIndex = countIndex;
    controls.countText = std::string(kMagnetCounts[static_cast<std::size_t>(countIndex)]);
    controls.modeIndex = modeIndex;
    controls.modeText = utf8ToGbk(kModes[modeIndex].item);
    MagnetSearch search(endpointHost(Endpoint::magnetBt), endpointHost(Endpoint::magnetDht));
    return runAndPrint(search, std::move(controls), kCaptions, out, err);
}

}  // namespace orvanix
