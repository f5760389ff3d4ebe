#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/console_port.h"

namespace orvanix {

class SearchEngine;

// The words after a subcommand: one keyword and "--name VALUE" (or
// "--name=VALUE") options, in the order given; "--" ends the options.
struct CommandWords {
    std::string keyword;                                       // UTF-8, as typed
    std::vector<std::pair<std::string, std::string>> options;  // name, value
};

// Splits the words; `known` lists the option names the subcommand takes. On a
// mistake writes it to err and gives nothing.
std::optional<CommandWords> splitCommandWords(const std::vector<std::string>& args,
                                              std::span<const std::string_view> known,
                                              std::ostream& err);

// The index of `value` among a combo's item texts, or nothing (with a message
// naming the choices on err).
std::optional<int> itemIndex(std::span<const std::string_view> items, std::string_view value,
                             std::string_view option, std::ostream& err);

// Runs a search through a console port with the given controls, then writes the
// caption line and every row (UTF-8) to out. The exit status of a search that
// ended: 0.
int runAndPrint(SearchEngine& engine, ConsolePort::Controls controls,
                const std::vector<std::string>& captions, std::ostream& out, std::ostream& err);

}  // namespace orvanix
