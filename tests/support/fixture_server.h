#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanix::test {

// One request exactly as it arrived: the request line and each header line without
// their CR LF, in the order sent, and the body (as long as its Content-Length).
struct RecordedRequest {
    std::string requestLine;
    std::vector<std::string> headerLines;
    std::string body;
    bool tls = false;  // arrived over TLS

    std::string method() const;  // first word of the request line
    std::string target() const;  // second word: path and query as sent
    std::string path() const;    // target up to its first '?'
    // The value of the first header of that name (ASCII case ignored), without the
    // blanks after the colon; nullopt when there is none.
    std::optional<std::string> header(std::string_view name) const;
    // Request line and header lines joined by CR LF, as on the wire, without the
    // blank line that ends them.
    std::string head() const;
};

// What the server answers to a request, and how.
struct FixtureResponse {
    enum class Behaviour {
        normal,        // status line, headers, body, then keep the connection for the next request
        hang,          // read the request, never answer (until the client goes or the server stops)
        slow,          // send the body in pieces of pieceBytes with pieceDelay between them
        stallMidBody,  // send splitAt bytes of the body, then go silent
        resetMidBody,  // send splitAt bytes of the body, then reset the connection (RST)
        raw,           // send `body` as the whole reply, bytes as given, then close
    };

    int statusCode = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // sent in this order
    std::string body;
    bool announceLength = true;  // Content-Length; false: the body ends when the connection closes
    Behaviour behaviour = Behaviour::normal;
    std::size_t splitAt = 0;
    std::size_t pieceBytes = 1;
    std::chrono::milliseconds pieceDelay{0};
    // When not zero, the body is this many bytes of a repeating pattern made while
    // sending (never held in memory) instead of `body`.
    std::size_t generatedBytes = 0;

    static FixtureResponse page(std::string body, std::string contentType = "text/html");
    static FixtureResponse status(int code, std::string body);  // a page with that status
    static FixtureResponse redirect(std::string location, int code = 302);
    static FixtureResponse hang();
    static FixtureResponse slow(std::string body, std::size_t pieceBytes,
                                std::chrono::milliseconds pieceDelay);
    static FixtureResponse stallAfter(std::string body, std::size_t bytesSent);
    static FixtureResponse resetAfter(std::string body, std::size_t bytesSent);
    static FixtureResponse huge(std::size_t bytes, bool announceLength);
    static FixtureResponse raw(std::string wholeReply);

    // Adds a header line (e.g. several "Set-Cookie"); returns *this for chaining.
    FixtureResponse& with(std::string name, std::string value);
};

// The byte the generated body of FixtureResponse::huge holds at offset i.
char generatedByte(std::size_t i);

// A real HTTP/1.x server on 127.0.0.1 with an ephemeral port, running in the test
// process. It answers from in-memory routes first (matched on the path, the target
// up to '?'), then from files under its folder, else 404. It records every request.
// Built on cpp-httplib's listener; connections are read and answered byte by byte
// by our own code so that the record is exact and misbehaviour is possible.
class FixtureServer {
public:
    struct Options {
        std::string folder{};  // files served for unrouted paths; empty: none
        bool tls = false;      // https with the test certificate of tlsCaFile()
        int port = 0;          // 0: an ephemeral port
    };

    FixtureServer();  // no folder, plain http
    explicit FixtureServer(Options options);
    ~FixtureServer();  // stops and ends every connection
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    bool running() const;
    int port() const;
    std::string hostAndPort() const;  // "127.0.0.1:<port>"
    std::string baseUrl() const;      // "http://127.0.0.1:<port>" (https when tls)
    std::string url(std::string_view pathAndQuery) const;  // baseUrl() + pathAndQuery

    // Answers requests for this path (exact, case counts) with a fixed response or a
    // function of the request. A later route for the same path replaces the earlier.
    void route(std::string path, FixtureResponse response);
    void route(std::string path, std::function<FixtureResponse(const RecordedRequest&)> handler);
    // Serves the files of folder under urlPrefix ("/netdisk/" + name -> folder/name).
    void serveFolder(std::string urlPrefix, std::string folder);

    std::vector<RecordedRequest> requests() const;  // in arrival order
    std::optional<RecordedRequest> lastRequest() const;
    void clearRequests();
    // Waits up to timeout until at least n requests were recorded.
    bool waitForRequests(std::size_t n, std::chrono::milliseconds timeout) const;

    // Stops listening and ends every open connection (a hung reply included).
    void stop();

    struct Impl;  // defined in the source file only

private:
    std::unique_ptr<Impl> impl_;
};

// The CA certificate (PEM) that signs the TLS server's certificate; give it to the
// client as TransferSettings::caFile.
std::string tlsCaFile();

// Reads a whole file; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace orvanix::test
