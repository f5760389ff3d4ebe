#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvanix {

// `orvanix-cli magnet KEYWORD [--mode bt|dht] [--count TEXT]`: the magnet search of
// the window's second tab, run on this thread. Rows go to `out` (a caption line,
// then one line per row), status texts to `err`. Returns the exit status: 0 when
// the search ended, 2 for a wrong command line.
int runMagnetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage lines of the magnet subcommand.
const char* magnetUsage();

}  // namespace orvanix
