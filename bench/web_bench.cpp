// Per-request cost of the page fetch and the HTTP request routine against the
// fixture server program on 127.0.0.1, next to plain libcurl fetching the same page.
//
// The server is build/tests/orvanix-fixture-server (build it first), started here on
// a free port and serving tests/fixtures/web. Compare the medians: the difference
// between BM_PageFetch and BM_PlainCurlEasy is what our layer adds per request (URL
// split, own redirect loop, the multi-handle loop that watches the stop token).
// A full `curl` process per request (BM_CurlCommand) mostly measures process start.

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "web/curl_handles.h"
#include "web/http_request.h"
#include "web/page_fetch.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The fixture server as a child process; url() is empty when it could not start.
class ServerProcess {
public:
    ServerProcess() {
        const fs::path exe = fs::read_symlink("/proc/self/exe");
        const fs::path build = exe.parent_path().parent_path();
        const fs::path server = build / "tests" / "orvanix-fixture-server";
        const fs::path source = fs::path(__FILE__).parent_path().parent_path();
        const std::string folder = (source / "tests" / "fixtures" / "web").string();
        if (!fs::exists(server)) {
            std::fprintf(stderr, "web_bench: build %s first\n", server.c_str());
            return;
        }
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        std::string program = server.string();
        std::string quiet = "--quiet";
        std::string port = "0";
        std::string dir = folder;
        char* argv[] = {program.data(), quiet.data(), port.data(), dir.data(), nullptr};
        const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        if (spawned != 0) {
            pid_ = -1;
            ::close(pipeFds[0]);
            return;
        }
        // First line: "serving <folder> at http://127.0.0.1:<port>".
        std::string line;
        char c;
        while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') line += c;
        ::close(pipeFds[0]);
        const auto at = line.rfind(" at ");
        if (at != std::string::npos) url_ = line.substr(at + 4);
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& url() const { return url_; }

private:
    pid_t pid_ = -1;
    std::string url_;
};

ServerProcess& server() {
    static ServerProcess process;
    return process;
}

std::string pageUrl() {
    return server().url() + "/sample.html";
}

void BM_PageFetch(benchmark::State& state) {
    const std::string url = pageUrl();
    for (auto _ : state) {
        const std::string body = orvanix::pageFetch(url);
        if (body.empty()) state.SkipWithError("empty body");
        benchmark::DoNotOptimize(body.data());
    }
}

void BM_HttpRequestRoutine(benchmark::State& state) {
    const std::string url = pageUrl();
    for (auto _ : state) {
        std::string cookies;  // supplied: the process-wide store stays out
        const std::string body = orvanix::httpRequestRoutine(url, {.cookies = &cookies});
        if (body.empty()) state.SkipWithError("empty body");
        benchmark::DoNotOptimize(body.data());
    }
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

// The baseline: one easy handle per request, curl_easy_perform, nothing else.
void BM_PlainCurlEasy(benchmark::State& state) {
    const std::string url = pageUrl();
    for (auto _ : state) {
        std::string body;
        orvanix::CurlEasy easy = orvanix::makeCurlEasy();
        curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, collect);
        curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(easy.get()) != CURLE_OK || body.empty()) {
            state.SkipWithError("plain curl failed");
        }
        benchmark::DoNotOptimize(body.data());
    }
}

// The curl program, one process per request, as a person would run it.
void BM_CurlCommand(benchmark::State& state) {
    const std::string command = "curl -s -0 -o /dev/null " + pageUrl();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("curl command failed");
    }
}

}  // namespace

BENCHMARK(BM_PageFetch)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_HttpRequestRoutine)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainCurlEasy)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CurlCommand)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
