#include "web/page_fetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "support/fixture_server.h"
#include "support/paths.h"

namespace orvanix {
namespace {

using namespace std::chrono_literals;
using test::FixtureResponse;
using test::FixtureServer;

constexpr const char* agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::string generatedPrefix(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = test::generatedByte(i);
    return text;
}

// Bounds short enough for a test to see a silent server given up on.
TransferSettings quickSettings() {
    TransferSettings settings;
    settings.idleTimeout = 500ms;
    settings.connectTimeout = 2000ms;
    return settings;
}

TEST(PageFetch, SendsAPlainHttp10GetWithTheFixedHeaders) {
    FixtureServer server;
    server.route("/page", FixtureResponse::page("hello"));

    EXPECT_EQ(pageFetch(server.url("/page?x=1#top")), "hello");

    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->head(),
              "GET /page?x=1 HTTP/1.0\r\n"
              "Host: " +
                  server.hostAndPort() +
                  "\r\n"
                  "User-Agent: " +
                  std::string(agent) +
                  "\r\n"
                  "Accept: */*");
    EXPECT_EQ(request->body, "");
}

TEST(PageFetch, SendsPathAndQueryUnchanged) {
    FixtureServer server;
    struct Case {
        const char* written;   // after the host
        const char* expected;  // request target received
    };
    const Case cases[] = {
        {"/s?wd=%D6%D0%CE%C4&rn=10", "/s?wd=%D6%D0%CE%C4&rn=10"},  // escapes not touched
        {"/s?wd=\xD6\xD0", "/s?wd=\xD6\xD0"},                      // raw GBK bytes kept
        {"/a/../b/./c", "/a/../b/./c"},                            // no dot-segment folding
        {"/p#frag#more", "/p"},                                    // cut at the first "#"
        {"?q=1", "/?q=1"},                                         // no path
        {"", "/"},
        {"/Mixed/CASE", "/Mixed/CASE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        server.clearRequests();
        pageFetch(server.url(c.written));
        const auto request = server.lastRequest();
        ASSERT_TRUE(request);
        EXPECT_EQ(request->target(), c.expected);
    }
}

TEST(PageFetch, AcceptsSchemeInAnyCase) {
    FixtureServer server;
    server.route("/x", FixtureResponse::page("x"));
    EXPECT_EQ(pageFetch("HTTP://" + server.hostAndPort() + "/x"), "x");
}

TEST(PageFetch, ReturnsTheBodyByteForByte) {
    FixtureServer server;
    const std::string zeros("a\0b\0\0c\xFF\x80", 8);
    server.route("/zeros", FixtureResponse::page(zeros, "application/octet-stream"));
    server.route("/missing", FixtureResponse::status(404, "<h1>gone</h1>"));
    server.route("/broken", FixtureResponse::status(500, "oops"));
    // Declared as gzip but the bytes must come back as sent: nothing is decoded.
    server.route("/gzip",
                 FixtureResponse::page("not really gzip").with("Content-Encoding", "gzip"));
    // A page in GBK: no code-page change.
    server.route("/gbk", FixtureResponse::page("\xD6\xD0\xCE\xC4", "text/html; charset=utf-8"));

    EXPECT_EQ(pageFetch(server.url("/zeros")), zeros);
    EXPECT_EQ(pageFetch(server.url("/missing")), "<h1>gone</h1>");
    EXPECT_EQ(pageFetch(server.url("/broken")), "oops");
    EXPECT_EQ(pageFetch(server.url("/gzip")), "not really gzip");
    EXPECT_EQ(pageFetch(server.url("/gbk")), "\xD6\xD0\xCE\xC4");
}

TEST(PageFetch, ServesFilesFromTheFixtureFolder) {
    FixtureServer server({.folder = test::fixturesDir() + "/web"});
    const auto file = test::readWholeFile(test::fixturesDir() + "/web/sample.html");
    ASSERT_TRUE(file);
    EXPECT_EQ(pageFetch(server.url("/sample.html")), *file);
    EXPECT_EQ(pageFetch(server.url("/../web/sample.html")), "not found");
}

TEST(PageFetch, UnusableAddressesGiveAnEmptyBufferAtOnce) {
    const char* addresses[] = {
        "",
        "ftp://127.0.0.1/file",
        "127.0.0.1/no-scheme",
        "http://",
        "http:///path",
        "http://127.0.0.1:99999/",
        "http://127.0.0.1:0/",
        "http://127.0.0.1:12ab/",
        "http://bad host/",
        "http://[::1/",
    };
    for (const char* address : addresses) {
        SCOPED_TRACE(address);
        EXPECT_EQ(pageFetch(address), "");
    }
}

TEST(PageFetch, RefusedConnectionGivesAnEmptyBuffer) {
    int port = 0;
    {
        FixtureServer closed;
        port = closed.port();
    }
    EXPECT_EQ(pageFetch("http://127.0.0.1:" + std::to_string(port) + "/"), "");
}

TEST(PageFetch, FollowsRedirectsOfEveryKind) {
    FixtureServer server;
    server.route("/final", FixtureResponse::page("arrived"));
    server.route("/dir/relative", FixtureResponse::redirect("../final", 302));
    server.route("/absolute", FixtureResponse::redirect(server.url("/dir/relative"), 301));
    server.route("/see-other", FixtureResponse::redirect("/absolute", 303));
    server.route("/temporary", FixtureResponse::redirect("/see-other#ignored", 307));
    server.route("/permanent",
                 FixtureResponse::redirect("//" + server.hostAndPort() + "/temporary", 308));

    EXPECT_EQ(pageFetch(server.url("/permanent")), "arrived");
    std::vector<std::string> targets;
    for (const auto& request : server.requests()) targets.push_back(request.target());
    EXPECT_EQ(targets, (std::vector<std::string>{"/permanent", "/temporary", "/see-other",
                                                 "/absolute", "/dir/relative", "/final"}));
}

TEST(PageFetch, RedirectHopsCarryNoCookies) {
    FixtureServer server;
    server.route("/set", FixtureResponse::redirect("/next").with("Set-Cookie", "id=7; Path=/"));
    server.route("/next", FixtureResponse::page("next"));
    EXPECT_EQ(pageFetch(server.url("/set")), "next");
    EXPECT_EQ(pageFetch(server.url("/next")), "next");
    for (const auto& request : server.requests()) EXPECT_FALSE(request.header("Cookie"));
}

TEST(PageFetch, ARedirectLoopEndsAfterTenRedirects) {
    FixtureServer server;
    server.route("/loop", FixtureResponse::redirect("/loop"));
    EXPECT_EQ(pageFetch(server.url("/loop")), "moved to /loop");  // the last reply's body
    EXPECT_EQ(server.requests().size(), 11u);  // the first request and ten redirects
}

TEST(PageFetch, HugeBodyIsCutAt64MiB) {
    constexpr std::size_t cap = std::size_t{64} << 20;
    FixtureServer server;
    server.route("/length", FixtureResponse::huge(cap + (1 << 20), true));
    server.route("/close", FixtureResponse::huge(cap + (1 << 20), false));
    server.route("/exact", FixtureResponse::huge(cap, true));
    for (const char* path : {"/length", "/close", "/exact"}) {
        SCOPED_TRACE(path);
        const std::string body = pageFetch(server.url(path));
        ASSERT_EQ(body.size(), cap);
        EXPECT_EQ(body.substr(cap - 30), generatedPrefix(cap).substr(cap - 30));
        EXPECT_EQ(body.substr(0, 30), generatedPrefix(30));
    }
}

TEST(PageFetch, ABodyWithoutLengthEndsWhenTheConnectionCloses) {
    FixtureServer server;
    server.route("/close", FixtureResponse::huge(100'000, false));
    EXPECT_EQ(pageFetch(server.url("/close")), generatedPrefix(100'000));
}

TEST(PageFetch, SlowServerIsWaitedFor) {
    FixtureServer server;
    const std::string body = generatedPrefix(400);
    server.route("/slow", FixtureResponse::slow(body, 50, 40ms));
    EXPECT_EQ(pageFetch(server.url("/slow"), nullptr, quickSettings()), body);
}

TEST(PageFetch, ConnectionResetMidBodyGivesTheBytesReadSoFar) {
    FixtureServer server;
    const std::string body = generatedPrefix(10'000);
    server.route("/reset", FixtureResponse::resetAfter(body, 4000));
    const std::string got = pageFetch(server.url("/reset"));
    EXPECT_LE(got.size(), 4000u);
    EXPECT_EQ(got, body.substr(0, got.size()));
}

TEST(PageFetch, SilentServerIsGivenUpAfterTheIdleTime) {
    FixtureServer server;
    server.route("/hang", FixtureResponse::hang());
    const std::string body = generatedPrefix(10'000);
    server.route("/stall", FixtureResponse::stallAfter(body, 3000));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(pageFetch(server.url("/hang"), nullptr, quickSettings()), "");
    EXPECT_EQ(pageFetch(server.url("/stall"), nullptr, quickSettings()), body.substr(0, 3000));
    // Two half-second idle limits; far below the 60 s of the defaults.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(PageFetch, StopTokenAbortsARunningFetch) {
    FixtureServer server;
    server.route("/hang", FixtureResponse::hang());
    server.route("/stall", FixtureResponse::stallAfter(generatedPrefix(1000), 10));
    for (const char* path : {"/hang", "/stall"}) {
        SCOPED_TRACE(path);
        StopToken stop;
        auto fetch =
            std::async(std::launch::async, [&] { return pageFetch(server.url(path), &stop); });
        ASSERT_TRUE(server.waitForRequests(1, 5s));
        server.clearRequests();
        std::this_thread::sleep_for(100ms);
        ASSERT_EQ(fetch.wait_for(0ms), std::future_status::timeout);  // it really hangs
        stop.requestStop();
        // Default settings: only the token can end it this soon.
        ASSERT_EQ(fetch.wait_for(5s), std::future_status::ready);
        fetch.get();
    }
}

TEST(PageFetch, SetTokenFetchesNothing) {
    FixtureServer server;
    server.route("/page", FixtureResponse::page("hello"));
    StopToken stop;
    stop.requestStop();
    EXPECT_EQ(pageFetch(server.url("/page"), &stop), "");
    EXPECT_TRUE(server.requests().empty());
}

TEST(PageFetch, HttpsWithTlsAndCertificateCheck) {
    FixtureServer server({.tls = true});
    ASSERT_TRUE(server.running());
    server.route("/secure", FixtureResponse::page("over tls"));
    TransferSettings trusting;
    trusting.caFile = test::tlsCaFile();

    EXPECT_EQ(pageFetch(server.url("/secure?q=1#frag"), nullptr, trusting), "over tls");
    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->tls);
    EXPECT_EQ(request->requestLine, "GET /secure?q=1 HTTP/1.0");

    // The test certificate is not trusted by the system: no body without it.
    server.clearRequests();
    EXPECT_EQ(pageFetch(server.url("/secure")), "");
    EXPECT_TRUE(server.requests().empty());
}

TEST(PageFetch, ManyThreadsFetchAtOnce) {
    FixtureServer server;
    constexpr int threads = 8;
    constexpr int fetchesEach = 10;
    for (int t = 0; t < threads; ++t) {
        server.route("/p" + std::to_string(t), FixtureResponse::page("page " + std::to_string(t)));
    }
    std::vector<std::future<int>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.push_back(std::async(std::launch::async, [&server, t] {
            int right = 0;
            for (int i = 0; i < fetchesEach; ++i) {
                right +=
                    pageFetch(server.url("/p" + std::to_string(t))) == "page " + std::to_string(t);
            }
            return right;
        }));
    }
    for (auto& worker : workers) EXPECT_EQ(worker.get(), fetchesEach);
}

TEST(TextFromBuffer, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(textFromBuffer(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(textFromBuffer(std::string("\0x", 2)), "");
    EXPECT_EQ(textFromBuffer("abc"), "abc");
    EXPECT_EQ(textFromBuffer(""), "");
}

}  // namespace
}  // namespace orvanix
