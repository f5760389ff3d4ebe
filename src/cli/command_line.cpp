#include "cli/command_line.h"

#include <algorithm>

#include "cli/row_output.h"
#include "search/search_frame.h"
#include "search/search_texts.h"
#include "web/code_page.h"
#include "web/stop_token.h"

namespace orvanix {

std::optional<CommandWords> splitCommandWords(const std::vector<std::string>& args,
                                              std::span<const std::string_view> known,
                                              std::ostream& err) {
    CommandWords words;
    bool haveKeyword = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                err << "orvanix-cli: unknown option \"" << arg << "\"\n";
                return std::nullopt;
            }
            if (equals != std::string::npos) {
                words.options.emplace_back(name, arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                words.options.emplace_back(name, args[++i]);
            } else {
                err << "orvanix-cli: " << name << " needs a value\n";
                return std::nullopt;
            }
        } else if (haveKeyword) {
            err << "orvanix-cli: more than one keyword (quote a keyword with blanks)\n";
            return std::nullopt;
        } else {
            words.keyword = arg;
            haveKeyword = true;
        }
    }
    if (!haveKeyword) {
        err << "orvanix-cli: the keyword is missing\n";
        return std::nullopt;
    }
    return words;
}

std::optional<int> itemIndex(std::span<const std::string_view> items, std::string_view value,
                             std::string_view option, std::ostream& err) {
    const auto found = std::find(items.begin(), items.end(), value);
    if (found != items.end()) return static_cast<int>(found - items.begin());
    err << "orvanix-cli: unknown " << option << " \"" << value << "\"; use one of ";
    for (std::size_t i = 0; i < items.size(); ++i) {
        err << (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") << items[i];
    }
    err << "\n";
    return std::nullopt;
}

int runAndPrint(SearchEngine& engine, ConsolePort::Controls controls,
                const std::vector<std::string>& captions, std::ostream& out, std::ostream& err) {
    ConsolePort port(std::move(controls), static_cast<int>(captions.size()), err);
    const SharedStopToken never = makeStopToken();
    port.setStatus(kStatusPart, search_text::kSearching);
    runSearch(engine, port, *never);

    writeRowLine(out, captions);
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
