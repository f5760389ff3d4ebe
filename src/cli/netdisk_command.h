#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvanix {

// `orvanix-cli netdisk KEYWORD [--count TEXT] [--site NAME=ADDRESS]...`: the
// netdisk search of the window's first tab, run on this thread. Rows go to `out`
// (a caption line, then one line per row), status texts to `err`. Returns the
// exit status: 0 when the search ended, 2 for a wrong command line.
int runNetdiskCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage lines of the netdisk subcommand.
const char* netdiskUsage();

}  // namespace orvanix
