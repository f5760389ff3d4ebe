// orvanix-cli: the searches of the Orvanix window, run from a terminal.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/heap_tuning.h"
#include "app/process_state.h"
#include "cli/magnet_command.h"
#include "cli/netdisk_command.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: orvanix-cli SUBCOMMAND ...\n"
        << orvanix::netdiskUsage() << orvanix::magnetUsage()
        << "Rows go to standard output as UTF-8: a caption line, then one line per row,\n"
           "cells separated by tabs (tab, CR, LF and backslash written as \\t, \\r, \\n, \\\\).\n"
           "Status texts go to standard error. Hosts come from the [endpoints] section of\n"
           "the INI file named by ORVANIX_ENDPOINTS.\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvanix;
    keepPageMemory();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        printUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }

    // The site table and the ticks are found beside the program, as in the window.
    ProcessState& state = processState();
    platformStartup(state);
    state.dbDirectory = state.runDirectory + "/db/";

    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "netdisk") return runNetdiskCommand(rest, std::cout, std::cerr);
    if (args[0] == "magnet") return runMagnetCommand(rest, std::cout, std::cerr);
    std::cerr << "orvanix-cli: unknown subcommand \"" << args[0] << "\"\n";
    printUsage(std::cerr);
    return 2;
}
