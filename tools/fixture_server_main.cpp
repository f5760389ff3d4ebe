// orvanix-fixture-server: serves a folder over HTTP on 127.0.0.1 for offline demos.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <string_view>
#include <thread>

#include "support/fixture_server.h"

namespace {

constexpr const char* usage_text =
    "Usage: orvanix-fixture-server [--tls] [--quiet] [--hang PATH]... PORT FOLDER\n"
    "\n"
    "Serves the files under FOLDER over HTTP on 127.0.0.1:PORT until it is\n"
    "interrupted (Ctrl+C or SIGTERM). A request for /a/b.html answers with\n"
    "FOLDER/a/b.html (a path ending in \"/\" gets its index.html); the query is\n"
    "not part of the file name; anything else gets 404. Bytes are sent as stored,\n"
    "with a Content-Type taken from the file name's extension.\n"
    "\n"
    "  PORT     1..65535, or 0 for a free port (the port chosen is printed)\n"
    "  FOLDER   the folder to serve\n"
    "  --tls    https with the test certificate (tests/fixtures/web/tls/cert.pem)\n"
    "  --quiet  do not print each request line\n"
    "  --hang PATH  never answer a request for PATH (a server that hangs)\n"
    "  --help   this text\n"
    "\n"
    "Point Orvanix at it with an endpoints file, e.g. demo.ini:\n"
    "  [endpoints]\n"
    "  web_search=127.0.0.1:8080\n"
    "and ORVANIX_ENDPOINTS=demo.ini orvanix\n";

volatile std::sig_atomic_t stop_signal = 0;

void onSignal(int) {
    stop_signal = 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool tls = false;
    bool quiet = false;
    std::string portText;
    std::string folder;
    std::vector<std::string> hanging;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage_text, stdout);
            return 0;
        } else if (arg == "--tls") {
            tls = true;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--hang" && i + 1 < argc) {
            hanging.emplace_back(argv[++i]);
        } else if (portText.empty()) {
            portText = arg;
        } else if (folder.empty()) {
            folder = arg;
        } else {
            std::fputs(usage_text, stderr);
            return 2;
        }
    }
    char* end = nullptr;
    const long port = portText.empty() ? -1 : std::strtol(portText.c_str(), &end, 10);
    if (port < 0 || port > 65535 || (end != nullptr && *end != '\0') || folder.empty()) {
        std::fputs(usage_text, stderr);
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "orvanix-fixture-server: not a folder: %s\n", folder.c_str());
        return 2;
    }

    orvanix::test::FixtureServer::Options options;
    options.folder = folder;
    options.tls = tls;
    options.port = static_cast<int>(port);
    orvanix::test::FixtureServer server(options);
    if (!server.running()) {
        std::fprintf(stderr, "orvanix-fixture-server: cannot listen on 127.0.0.1:%ld\n", port);
        return 1;
    }
    for (const std::string& path : hanging) server.route(path, orvanix::test::FixtureResponse::hang());
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("serving %s at %s\n", folder.c_str(), server.baseUrl().c_str());
    std::fflush(stdout);

    std::size_t shown = 0;
    while (stop_signal == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (quiet) continue;
        const auto requests = server.requests();
        for (; shown < requests.size(); ++shown) {
            std::printf("%s\n", requests[shown].requestLine.c_str());
        }
        std::fflush(stdout);
    }
    server.stop();
    return 0;
}
