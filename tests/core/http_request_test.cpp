#include "web/http_request.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/fixture_server.h"
#include "web/curl_global.h"
#include "web/http_request_parts.h"

namespace orvanix {
namespace {

using test::FixtureResponse;
using test::FixtureServer;
using test::RecordedRequest;

constexpr const char* default_agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The header lines after Host, as the routine's callers fix them.
std::vector<std::string> headersAfterHost(const RecordedRequest& request) {
    std::vector<std::string> lines = request.headerLines;
    if (!lines.empty() && lines.front().starts_with("Host: ")) lines.erase(lines.begin());
    return lines;
}

class HttpRequestTest : public ::testing::Test {
protected:
    void SetUp() override { clearSharedCookies(); }
    FixtureServer server;
};

TEST(RoutineAddress, FollowsTheThreeAddressRules) {
    struct Case {
        const char* url;
        std::optional<RoutineAddress> expected;
    };
    const Case cases[] = {
        // No scheme: http on port 80, path in its own case.
        {"Example.COM/Path/File?q=A", RoutineAddress{"example.com", 80, "/Path/File?q=A", false}},
        // https, explicit port, query and fragment all kept in the path.
        {"https://Host.Example:8443/P/q?x=1#Frag",
         RoutineAddress{"host.example", 8443, "/P/q?x=1#Frag", true}},
        {"HTTP://WWW.EXAMPLE.COM/MiXed", RoutineAddress{"www.example.com", 80, "/MiXed", false}},
        {"HTTPS://secure.example", RoutineAddress{"secure.example", 443, "/", true}},
        {"http://a.example", RoutineAddress{"a.example", 80, "/", false}},
        {"http://a.example:8080", RoutineAddress{"a.example", 8080, "/", false}},
        // The rules take everything up to the first "/" as host: no such host.
        {"http://a.example?x=1", std::nullopt},
        // A port that is no number counts as none.
        {"http://a.example:/x", RoutineAddress{"a.example", 80, "/x", false}},
        // Impossible ports and empty or unusable hosts open nothing.
        {"http://a.example:70000/", std::nullopt},
        {"http:///path", std::nullopt},
        {"", std::nullopt},
        {"http://bad host/", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const auto got = routineAddress(c.url);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (!got) continue;
        EXPECT_EQ(got->host, c.expected->host);
        EXPECT_EQ(got->port, c.expected->port);
        EXPECT_EQ(got->objectPath, c.expected->objectPath);
        EXPECT_EQ(got->secure, c.expected->secure);
    }
}

TEST_F(HttpRequestTest, PageTextRequestSendsTheBrowserLikeHeaders) {
    server.route("/search", FixtureResponse::page(std::string("text\0after zero", 15)));
    const std::string url = server.url("/search?q=%E4%B8%AD&s=44");

    EXPECT_EQ(pageTextRequest(url), "text");

    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->requestLine, "GET /search?q=%E4%B8%AD&s=44 HTTP/1.1");
    EXPECT_EQ(request->headerLines.front(), "Host: " + server.hostAndPort());
    EXPECT_EQ(headersAfterHost(*request),
              (std::vector<std::string>{"User-Agent: " + std::string(default_agent), "Accept: */*",
                                        "Referer: " + url, "Accept-Language: zh-cn",
                                        "Content-Type: application/x-www-form-urlencoded"}));
    EXPECT_EQ(request->body, "");
}

TEST_F(HttpRequestTest, BodyKeepsZeroBytes) {
    const std::string bytes("a\0b\0", 4);
    server.route("/bin", FixtureResponse::page(bytes, "application/octet-stream"));
    EXPECT_EQ(httpRequestRoutine(server.url("/bin")), bytes);
}

TEST_F(HttpRequestTest, UrlWithoutSchemeIsHttpAndItsRefererIsUnchanged) {
    server.route("/p", FixtureResponse::page("plain"));
    const std::string url = server.hostAndPort() + "/p?x=1";
    EXPECT_EQ(httpRequestRoutine(url), "plain");
    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_FALSE(request->tls);
    EXPECT_EQ(request->target(), "/p?x=1");
    EXPECT_EQ(request->header("Referer"), url);
}

TEST_F(HttpRequestTest, UpperCaseHostIsLoweredButThePathKeepsItsCase) {
    server.route("/MiXed/Path", FixtureResponse::page("found"));
    const std::string url = "HTTP://LOCALHOST:" + std::to_string(server.port()) + "/MiXed/Path";
    EXPECT_EQ(httpRequestRoutine(url), "found");
    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->header("Host"), "localhost:" + std::to_string(server.port()));
    EXPECT_EQ(request->target(), "/MiXed/Path");
}

TEST_F(HttpRequestTest, HttpsWithExplicitPortSendsQueryAndFragment) {
    FixtureServer secure({.tls = true});
    ASSERT_TRUE(secure.running());
    secure.route("/p/q", FixtureResponse::page("secret"));
    TransferSettings trusting;
    trusting.caFile = test::tlsCaFile();

    EXPECT_EQ(httpRequestRoutine(secure.url("/p/q?x=1#frag"), {}, nullptr, trusting), "secret");
    const auto request = secure.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->tls);
    EXPECT_EQ(request->requestLine, "GET /p/q?x=1#frag HTTP/1.1");
}

TEST_F(HttpRequestTest, MethodArgumentPicksTheVerbAndTheBody) {
    server.route("/m", FixtureResponse::page("reply"));
    const std::string bytes("b\0y\0tes", 7);
    struct Case {
        int method;
        std::string_view postText;
        std::string_view postBytes;
        const char* verb;
        const char* sentBody;
        const char* reply;
    };
    const Case cases[] = {
        {0, "ignored", "", "GET", "", "reply"},
        {7, "ignored", "", "GET", "", "reply"},  // out of range: GET
        {-1, "", "", "GET", "", "reply"},
        {1, "a=1&b=2", "", "POST", "a=1&b=2", "reply"},
        {1, "", "", "POST", "", "reply"},
        {2, "", "", "HEAD", "", ""},
        {2, "h=1", "", "HEAD", "h=1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(httpRequestRoutine(
                      server.url("/m"),
                      {.method = c.method, .postText = c.postText, .postBytes = c.postBytes}),
                  c.reply);
        const auto request = server.lastRequest();
        ASSERT_TRUE(request);
        EXPECT_EQ(request->method(), c.verb);
        EXPECT_EQ(request->body, c.sentBody);
        EXPECT_FALSE(request->header("Expect"));
    }
    // Bytes win over text and keep their zero bytes.
    httpRequestRoutine(server.url("/m"), {.method = 1, .postText = "text", .postBytes = bytes});
    EXPECT_EQ(server.lastRequest()->body, bytes);
    EXPECT_EQ(server.lastRequest()->header("Content-Length"), "7");
    // A body above 1 KiB goes out at once, without waiting for "100 Continue".
    const std::string big(5000, 'x');
    httpRequestRoutine(server.url("/m"), {.method = 1, .postText = big});
    EXPECT_EQ(server.lastRequest()->body, big);
}

TEST_F(HttpRequestTest, ExtraHeadersAreCompletedAndTheirAgentUsed) {
    server.route("/h", FixtureResponse::page("ok"));
    const std::string url = server.url("/h");
    const std::string defaults = "\r\nAccept: */*\r\nReferer: " + url +
                                 "\r\nAccept-Language: zh-cn"
                                 "\r\nContent-Type: application/x-www-form-urlencoded";
    struct Case {
        std::string extra;
        std::string completed;
        std::vector<std::string> sentAfterHost;
    };
    const Case cases[] = {
        // The caller's agent line goes out as written, and no second one.
        {"User-Agent: Custom/1.0 \r\nX-A: 1",
         "User-Agent: Custom/1.0 \r\nX-A: 1" + defaults,
         {"User-Agent: Custom/1.0 ", "X-A: 1", "Accept: */*", "Referer: " + url,
          "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded"}},
        // Lines the caller gave are not added again.
        {"Accept: text/html\r\nReferer: http://from.example/\r\nAccept-Language: en\r\n"
         "Content-Type: text/plain",
         "Accept: text/html\r\nReferer: http://from.example/\r\nAccept-Language: en\r\n"
         "Content-Type: text/plain",
         {"User-Agent: " + std::string(default_agent), "Accept: text/html",
          "Referer: http://from.example/", "Accept-Language: en", "Content-Type: text/plain"}},
        // A lower-case agent line: the agent rule falls back, the line itself is sent.
        {"user-agent: low/2",
         "user-agent: low/2" + defaults,
         {"user-agent: low/2", "Accept: */*", "Referer: " + url, "Accept-Language: zh-cn",
          "Content-Type: application/x-www-form-urlencoded"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        std::string extra = c.extra;
        EXPECT_EQ(httpRequestRoutine(url, {.extraHeaders = &extra}), "ok");
        EXPECT_EQ(extra, c.completed);
        const auto request = server.lastRequest();
        ASSERT_TRUE(request);
        EXPECT_EQ(headersAfterHost(*request), c.sentAfterHost);
    }
}

TEST(RoutineUserAgent, TakesTheAgentFromTheExtraHeaders) {
    const std::pair<const char*, const char*> cases[] = {
        {"", default_agent},
        {"X-A: 1", default_agent},
        {"User-Agent: \xA1\xA1Tool/3 \r\nX: y", "Tool/3"},  // both kinds of blank trimmed
        {"X: first\r\nuser-agent: other", "first"},  // case differs: text after the first ":"
        {"User-Agent:\r\nX: y", ""},                 // nothing usable after a line break
    };
    for (const auto& [extra, agent] : cases) {
        SCOPED_TRACE(extra);
        EXPECT_EQ(routineUserAgent(extra), agent);
    }
}

TEST_F(HttpRequestTest, ALineBreakInTheUrlAddsNoHeader) {
    server.route("/a", FixtureResponse::page("a"));
    httpRequestRoutine(server.url("/a\r\nX-Injected: 1"));
    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_FALSE(request->header("X-Injected"));
    EXPECT_EQ(request->target(), "/a%0D%0AX-Injected:%201");
}

TEST_F(HttpRequestTest, SuppliedCookiesAreSentAndMergedWithWhatTheReplySets) {
    server.route("/c", FixtureResponse::page("cookies")
                           .with("Set-Cookie", "b=3; Path=/")
                           .with("Set-Cookie", "a=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT"));
    std::string cookies = "a=1; b=2";
    std::string returned = "stale";
    EXPECT_EQ(
        httpRequestRoutine(server.url("/c"), {.cookies = &cookies, .returnedCookies = &returned}),
        "cookies");
    EXPECT_EQ(server.lastRequest()->header("Cookie"), "a=1; b=2");
    EXPECT_EQ(cookies, "b=3");
    EXPECT_EQ(returned, "b=3;a=deleted");

    // The supplied form keeps the process-wide store out, both ways.
    server.route("/plain", FixtureResponse::page("plain"));
    httpRequestRoutine(server.url("/plain"));
    EXPECT_FALSE(server.lastRequest()->header("Cookie"));
}

TEST_F(HttpRequestTest, WithoutCookiesTheProcessStoreCarriesThemFromPageToPage) {
    server.route("/first", FixtureResponse::page("1").with("Set-Cookie", "session=abc; Path=/"));
    server.route("/second", FixtureResponse::page("2"));
    EXPECT_EQ(pageTextRequest(server.url("/first")), "1");
    EXPECT_EQ(pageTextRequest(server.url("/second")), "2");
    EXPECT_EQ(server.lastRequest()->header("Cookie"), "session=abc");

    // A call that supplies its own cookies sends only those.
    std::string mine = "own=1";
    httpRequestRoutine(server.url("/second"), {.cookies = &mine});
    EXPECT_EQ(server.lastRequest()->header("Cookie"), "own=1");
}

TEST_F(HttpRequestTest, ReturnedHeadersNormaliseSetCookieAndYieldTheCookies) {
    server.route("/raw", FixtureResponse::raw("HTTP/1.1 200 OK\r\n"
                                              "set-cookie: a=1; path=/\r\n"
                                              "SET-COOKIE:b=2\r\n"
                                              "X-Note: says set-cookie\r\n"
                                              "Content-Length: 4\r\n"
                                              "\r\n"
                                              "body"));
    server.route("/none", FixtureResponse::page("none"));
    std::string headers;
    std::string cookies = "stale";
    EXPECT_EQ(httpRequestRoutine(server.url("/raw"),
                                 {.returnedCookies = &cookies, .returnedHeaders = &headers}),
              "body");
    EXPECT_EQ(headers,
              "HTTP/1.1 200 OK\r\n"
              "Set-Cookie: a=1; path=/\r\n"
              "Set-Cookie:b=2\r\n"
              "X-Note: says Set-Cookie\r\n"
              "Content-Length: 4\r\n"
              "\r\n");
    // The note line counts too: it holds "Set-Cookie" and no ";".
    EXPECT_EQ(cookies, "a=1; b=2; X-Note: says Set-Cookie");

    EXPECT_EQ(httpRequestRoutine(server.url("/none"), {.returnedCookies = &cookies}), "none");
    EXPECT_EQ(cookies, "");
}

TEST_F(HttpRequestTest, RedirectsFollowedOrNot) {
    server.route("/from", FixtureResponse::redirect("/to"));
    server.route("/to", FixtureResponse::page("target"));
    server.route("/keep", FixtureResponse::redirect("/to", 307));

    EXPECT_EQ(httpRequestRoutine(server.url("/from")), "target");

    std::string headers;
    EXPECT_EQ(
        httpRequestRoutine(server.url("/from"), {.returnedHeaders = &headers, .noRedirect = true}),
        "moved to /to");
    EXPECT_NE(headers.find("Location: /to\r\n"), std::string::npos);
    EXPECT_EQ(server.lastRequest()->path(), "/from");

    // 302 turns a POST into a GET without body; 307 keeps both.
    server.clearRequests();
    httpRequestRoutine(server.url("/from"), {.method = 1, .postText = "x=1"});
    httpRequestRoutine(server.url("/keep"), {.method = 1, .postText = "y=2"});
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].requestLine, "GET /to HTTP/1.1");
    EXPECT_EQ(requests[1].body, "");
    EXPECT_EQ(requests[3].requestLine, "POST /to HTTP/1.1");
    EXPECT_EQ(requests[3].body, "y=2");
}

TEST_F(HttpRequestTest, ErrorStatusGivesItsBody) {
    server.route("/err", FixtureResponse::status(503, "try later"));
    EXPECT_EQ(httpRequestRoutine(server.url("/err")), "try later");
}

TEST_F(HttpRequestTest, ProxyGetsTheWholeAddress) {
    server.route("http://site.invalid:8080/page", FixtureResponse::page("via proxy"));
    EXPECT_EQ(httpRequestRoutine("http://site.invalid:8080/page?q=1",
                                 {.proxyAddress = server.hostAndPort()}),
              "via proxy");
    const auto request = server.lastRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->requestLine, "GET http://site.invalid:8080/page?q=1 HTTP/1.1");
    EXPECT_EQ(request->header("Host"), "site.invalid:8080");
}

TEST_F(HttpRequestTest, UnopenableRequestLeavesEveryOutputAlone) {
    std::string cookies = "a = 1";
    std::string returnedCookies = "old";
    std::string extra = "X: 1";
    std::string headers = "old";
    EXPECT_EQ(httpRequestRoutine("http://bad host/", {.cookies = &cookies,
                                                      .returnedCookies = &returnedCookies,
                                                      .extraHeaders = &extra,
                                                      .returnedHeaders = &headers}),
              "");
    EXPECT_EQ(cookies, "a = 1");
    EXPECT_EQ(returnedCookies, "old");
    EXPECT_EQ(extra, "X: 1");
    EXPECT_EQ(headers, "old");
}

TEST_F(HttpRequestTest, UnreachableServerStillMergesTheSuppliedCookies) {
    int port = 0;
    {
        FixtureServer closed;
        port = closed.port();
    }
    std::string cookies = "a = 1; gone=deleted";
    std::string headers = "old";
    EXPECT_EQ(httpRequestRoutine("http://127.0.0.1:" + std::to_string(port) + "/",
                                 {.cookies = &cookies, .returnedHeaders = &headers}),
              "");
    EXPECT_EQ(cookies, "a=1");
    EXPECT_EQ(headers, "");
}

TEST_F(HttpRequestTest, StopTokenAbortsAHungRequest) {
    server.route("/hang", FixtureResponse::hang());
    StopToken stop;
    std::thread stopper([&] {
        server.waitForRequests(1, std::chrono::seconds(5));
        stop.requestStop();
    });
    EXPECT_EQ(pageTextRequest(server.url("/hang"), &stop), "");  // returns: no 60 s wait
    stopper.join();
}

TEST(CookieMerge, NewOverridesOldAndDeletedDisappear) {
    struct Case {
        const char* cookies;
        const char* newCookies;
        const char* merged;
        const char* newRewritten;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3; a=deleted", "b=3", "b=3;a=deleted"},
        {"a=1; b=2", "", "a=1; b=2", ""},
        {"", "x=1; y=2", "x=1; y=2", "x=1;y=2"},
        {"a=1; c=3", "b=2", "b=2; a=1; c=3", "b=2"},
        {"a=1;a=2", "", "a=1", ""},                           // the first of a name wins
        {"a=1", "a=1; a=1", "a=1", "a=1;a=1"},                // exact repeats collapse
        {"flag; a=1", "flag=on", "flag=on; a=1", "flag=on"},  // no "=": the whole item is the name
        {"a=1\xA1\xA1; b = 2", "", "a=1; b=2", ""},           // full-width and half-width blanks go
        {"k=\xA1\xA1v", "", "k=v", ""},
        {"k=\xB0\xA1", "", "k=\xB0\xA1", ""},  // a GBK character is no blank
        {"a=deleted", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cookies) + " + " + c.newCookies);
        std::string cookies = c.cookies;
        std::string newCookies = c.newCookies;
        cookieMerge(cookies, newCookies);
        EXPECT_EQ(cookies, c.merged);
        EXPECT_EQ(newCookies, c.newRewritten);
    }
}

}  // namespace
}  // namespace orvanix
