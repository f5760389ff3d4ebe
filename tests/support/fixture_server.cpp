#include "support/fixture_server.h"

#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/paths.h"

namespace orvanix::test {

namespace {

constexpr int poll_slice_ms = 20;
constexpr std::size_t max_head_bytes = 1 << 20;
constexpr std::size_t max_body_bytes = std::size_t{256} << 20;
constexpr std::chrono::seconds keep_alive_idle{10};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string_view word(std::string_view line, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = line.find(' ', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    return line.substr(start, std::min(line.find(' ', start), line.size()) - start);
}

std::string reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 307:
            return "Temporary Redirect";
        case 308:
            return "Permanent Redirect";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

std::string contentTypeFor(std::string_view path) {
    const auto dot = path.rfind('.');
    const std::string ext = dot == std::string_view::npos ? "" : std::string(path.substr(dot + 1));
    if (ext == "html" || ext == "htm" || ext == "php") return "text/html";  // served pages stand for scripts
    if (ext == "txt") return "text/plain";
    if (ext == "json") return "application/json";
    if (ext == "js") return "application/javascript";
    if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
    if (ext == "png") return "image/png";
    if (ext == "gif") return "image/gif";
    return "application/octet-stream";
}

// One accepted connection, plain or TLS, with the few operations the server needs.
class Connection {
public:
    explicit Connection(int fd) : fd_(fd) {
        // Replies go out in several writes; without this the second waits for an ACK.
        const int on = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    virtual ~Connection() = default;

    // Waits up to ms for input; true when there is some (or the peer closed).
    virtual bool waitReadable(int ms) {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }
    // Bytes read, 0 when the peer closed, -1 on error.
    virtual long readSome(char* buffer, std::size_t size) {
        const auto n = ::recv(fd_, buffer, size, 0);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return -2;
        return static_cast<long>(n);
    }
    virtual bool writeAll(std::string_view bytes, const std::atomic<bool>& stopping) {
        while (!bytes.empty()) {
            if (stopping) return false;
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, poll_slice_ms) <= 0) continue;
            const auto n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    // Ends the connection with a TCP reset instead of an orderly close.
    void reset() {
        linger hard{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        resetting_ = true;
    }
    bool resetting() const { return resetting_; }
    virtual void finish() {}
    int fd() const { return fd_; }

protected:
    int fd_;
    bool resetting_ = false;
};

// Closes an accepted socket: orderly, or with a reset when one was asked for.
void closeSocket(int fd, bool reset) {
    if (!reset) ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}

class TlsConnection : public Connection {
public:
    TlsConnection(int fd, SSL_CTX* context) : Connection(fd), ssl_(SSL_new(context)) {
        if (ssl_ == nullptr) return;
        SSL_set_fd(ssl_, fd);
        ready_ = SSL_accept(ssl_) == 1;
    }
    ~TlsConnection() override {
        if (ssl_ != nullptr) SSL_free(ssl_);
    }
    bool ready() const { return ready_; }

    bool waitReadable(int ms) override {
        return SSL_pending(ssl_) > 0 || Connection::waitReadable(ms);
    }
    long readSome(char* buffer, std::size_t size) override {
        const int n =
            SSL_read(ssl_, buffer, static_cast<int>(std::min<std::size_t>(size, 1 << 20)));
        if (n > 0) return n;
        const int error = SSL_get_error(ssl_, n);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) return -2;
        return error == SSL_ERROR_ZERO_RETURN ? 0 : -1;
    }
    bool writeAll(std::string_view bytes, const std::atomic<bool>& stopping) override {
        while (!bytes.empty()) {
            if (stopping) return false;
            const int n = SSL_write(ssl_, bytes.data(),
                                    static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 16)));
            if (n <= 0) {
                const int error = SSL_get_error(ssl_, n);
                if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) continue;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    void finish() override {
        if (ready_ && !resetting()) SSL_shutdown(ssl_);
    }

private:
    SSL* ssl_;
    bool ready_ = false;
};

}  // namespace

// ---------------------------------------------------------------- RecordedRequest

std::string RecordedRequest::method() const {
    return std::string(word(requestLine, 0));
}
std::string RecordedRequest::target() const {
    return std::string(word(requestLine, 1));
}
std::string RecordedRequest::path() const {
    const std::string all = target();
    return all.substr(0, std::min(all.find('?'), all.size()));
}

std::optional<std::string> RecordedRequest::header(std::string_view name) const {
    for (const std::string& line : headerLines) {
        const auto colon = line.find(':');
        if (colon == std::string::npos || !equalsIgnoringCase(line.substr(0, colon), name))
            continue;
        const auto value = line.find_first_not_of(" \t", colon + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return std::nullopt;
}

std::string RecordedRequest::head() const {
    std::string text = requestLine;
    for (const std::string& line : headerLines) text += "\r\n" + line;
    return text;
}

// ---------------------------------------------------------------- FixtureResponse

FixtureResponse FixtureResponse::page(std::string body, std::string contentType) {
    FixtureResponse response;
    response.body = std::move(body);
    response.headers.emplace_back("Content-Type", std::move(contentType));
    return response;
}

FixtureResponse FixtureResponse::status(int code, std::string body) {
    FixtureResponse response = page(std::move(body));
    response.statusCode = code;
    return response;
}

FixtureResponse FixtureResponse::redirect(std::string location, int code) {
    FixtureResponse response = status(code, "moved to " + location);
    response.headers.emplace_back("Location", std::move(location));
    return response;
}

FixtureResponse FixtureResponse::hang() {
    FixtureResponse response;
    response.behaviour = Behaviour::hang;
    return response;
}

FixtureResponse FixtureResponse::slow(std::string body, std::size_t pieceBytes,
                                      std::chrono::milliseconds pieceDelay) {
    FixtureResponse response = page(std::move(body));
    response.behaviour = Behaviour::slow;
    response.pieceBytes = std::max<std::size_t>(1, pieceBytes);
    response.pieceDelay = pieceDelay;
    return response;
}

FixtureResponse FixtureResponse::stallAfter(std::string body, std::size_t bytesSent) {
    FixtureResponse response = page(std::move(body));
    response.behaviour = Behaviour::stallMidBody;
    response.splitAt = bytesSent;
    return response;
}

FixtureResponse FixtureResponse::resetAfter(std::string body, std::size_t bytesSent) {
    FixtureResponse response = page(std::move(body));
    response.behaviour = Behaviour::resetMidBody;
    response.splitAt = bytesSent;
    return response;
}

FixtureResponse FixtureResponse::huge(std::size_t bytes, bool announceLength) {
    FixtureResponse response = page({}, "application/octet-stream");
    response.generatedBytes = bytes;
    response.announceLength = announceLength;
    return response;
}

FixtureResponse FixtureResponse::raw(std::string wholeReply) {
    FixtureResponse response;
    response.behaviour = Behaviour::raw;
    response.body = std::move(wholeReply);
    return response;
}

FixtureResponse& FixtureResponse::with(std::string name, std::string value) {
    headers.emplace_back(std::move(name), std::move(value));
    return *this;
}

char generatedByte(std::size_t i) {
    return static_cast<char>('a' + i % 26);
}

namespace {

// size (at most 64 KiB) bytes of the generated body from offset on.
std::string_view generatedPiece(std::size_t offset, std::size_t size) {
    static const std::string pattern = [] {
        std::string bytes((1 << 16) + 26, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = generatedByte(i);
        return bytes;
    }();
    return std::string_view(pattern).substr(offset % 26, std::min<std::size_t>(size, 1 << 16));
}

}  // namespace

// ---------------------------------------------------------------- the server

using Handler = std::function<FixtureResponse(const RecordedRequest&)>;

struct FixtureServer::Impl {
    Options options;
    std::unique_ptr<httplib::Server> server;
    std::thread listener;
    int port = 0;
    int listeningSocket = -1;
    std::atomic<bool> stopping{false};

    mutable std::mutex mutex;
    mutable std::condition_variable recorded;
    std::vector<RecordedRequest> requests;
    std::map<std::string, Handler> routes;
    std::vector<std::pair<std::string, std::string>> folders;  // url prefix, folder

    void serve(Connection& connection, bool tls);
    // Reads one request; nullopt when the peer closed, went silent or the server stops.
    std::optional<RecordedRequest> readRequest(Connection& connection, std::string& pending);
    FixtureResponse answer(const RecordedRequest& request);
    // Sends the reply; false when the connection must end afterwards.
    bool respond(Connection& connection, const RecordedRequest& request,
                 const FixtureResponse& response);
    // Waits until the peer closes or the server stops.
    void waitForClose(Connection& connection);
    void pause(std::chrono::milliseconds duration);
};

namespace {

class RawServer : public httplib::Server {
public:
    explicit RawServer(FixtureServer::Impl& impl) : impl_(impl) {}

private:
    bool process_and_close_socket(socket_t sock) override {
        bool reset = false;
        {
            Connection connection(sock);
            impl_.serve(connection, false);
            reset = connection.resetting();
        }
        closeSocket(sock, reset);
        return true;
    }
    FixtureServer::Impl& impl_;
};

class RawTlsServer : public httplib::SSLServer {
public:
    RawTlsServer(FixtureServer::Impl& impl, const std::string& cert, const std::string& key)
        : httplib::SSLServer(cert.c_str(), key.c_str()), impl_(impl) {}

private:
    bool process_and_close_socket(socket_t sock) override {
        bool reset = false;
        {
            TlsConnection connection(sock, ssl_context());
            if (connection.ready()) impl_.serve(connection, true);
            reset = connection.resetting();
        }
        closeSocket(sock, reset);
        return true;
    }
    FixtureServer::Impl& impl_;
};

}  // namespace

void FixtureServer::Impl::pause(std::chrono::milliseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (!stopping && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::min(duration, std::chrono::milliseconds(poll_slice_ms)));
    }
}

void FixtureServer::Impl::waitForClose(Connection& connection) {
    char sink[4096];
    while (!stopping) {
        if (!connection.waitReadable(poll_slice_ms)) continue;
        const long n = connection.readSome(sink, sizeof sink);
        if (n == 0 || n == -1) return;
    }
}

std::optional<RecordedRequest> FixtureServer::Impl::readRequest(Connection& connection,
                                                                std::string& pending) {
    char buffer[65536];
    const auto idleUntil = std::chrono::steady_clock::now() + keep_alive_idle;
    // Reads more bytes into pending; false when no more will come.
    auto readMore = [&]() {
        while (!stopping) {
            if (std::chrono::steady_clock::now() > idleUntil && pending.empty()) return false;
            if (!connection.waitReadable(poll_slice_ms)) continue;
            const long n = connection.readSome(buffer, sizeof buffer);
            if (n == -2) continue;
            if (n <= 0) return false;
            pending.append(buffer, static_cast<std::size_t>(n));
            return true;
        }
        return false;
    };

    std::size_t headEnd;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
        if (pending.size() > max_head_bytes || !readMore()) return std::nullopt;
    }
    RecordedRequest request;
    const std::string_view head(pending.data(), headEnd);
    std::size_t start = 0;
    bool first = true;
    while (start <= head.size()) {
        const auto end = std::min(head.find("\r\n", start), head.size());
        std::string line(head.substr(start, end - start));
        if (first) {
            request.requestLine = std::move(line);
            first = false;
        } else {
            request.headerLines.push_back(std::move(line));
        }
        start = end + 2;
    }
    pending.erase(0, headEnd + 4);

    std::size_t length = 0;
    if (const auto text = request.header("Content-Length")) {
        length = std::min<std::size_t>(std::strtoull(text->c_str(), nullptr, 10), max_body_bytes);
    }
    while (pending.size() < length) {
        if (!readMore()) return std::nullopt;
    }
    request.body = pending.substr(0, length);
    pending.erase(0, length);
    return request;
}

FixtureResponse FixtureServer::Impl::answer(const RecordedRequest& request) {
    const std::string path = request.path();
    Handler handler;
    std::vector<std::pair<std::string, std::string>> folderList;
    {
        std::lock_guard lock(mutex);
        if (const auto found = routes.find(path); found != routes.end()) handler = found->second;
        folderList = folders;
    }
    if (handler) return handler(request);

    // Longest matching folder prefix; ".." never leaves the folder.
    std::sort(folderList.begin(), folderList.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [prefix, folder] : folderList) {
        if (!path.starts_with(prefix)) continue;
        std::string rest = path.substr(prefix.size());
        if (rest.empty() || rest.ends_with('/')) rest += "index.html";
        if (rest.find("..") != std::string::npos) break;
        if (auto bytes = readWholeFile(folder + "/" + rest)) {
            return FixtureResponse::page(std::move(*bytes), contentTypeFor(rest));
        }
        break;
    }
    return FixtureResponse::status(404, "not found");
}

bool FixtureServer::Impl::respond(Connection& connection, const RecordedRequest& request,
                                  const FixtureResponse& response) {
    using Behaviour = FixtureResponse::Behaviour;
    if (response.behaviour == Behaviour::hang) {
        waitForClose(connection);
        return false;
    }
    if (response.behaviour == Behaviour::raw) {
        connection.writeAll(response.body, stopping);
        return false;
    }

    const bool generated = response.generatedBytes > 0;
    const std::size_t bodySize = generated ? response.generatedBytes : response.body.size();
    std::string head = "HTTP/1.1 " + std::to_string(response.statusCode) + " " +
                       reasonPhrase(response.statusCode) + "\r\n";
    bool lengthGiven = false;
    for (const auto& [name, value] : response.headers) {
        head += name + ": " + value + "\r\n";
        lengthGiven = lengthGiven || equalsIgnoringCase(name, "Content-Length");
    }
    if (response.announceLength && !lengthGiven) {
        head += "Content-Length: " + std::to_string(bodySize) + "\r\n";
    }
    // The connection stays open only for a request that asked for it; a reply on a
    // connection that is about to close says so, as servers do.
    const bool http10 = request.requestLine.ends_with("HTTP/1.0");
    const auto connectionHeader = request.header("Connection");
    const bool keepAlive =
        response.announceLength &&
        !(connectionHeader && equalsIgnoringCase(*connectionHeader, "close")) &&
        (!http10 || (connectionHeader && equalsIgnoringCase(*connectionHeader, "keep-alive")));
    if (!keepAlive) head += "Connection: close\r\n";
    head += "\r\n";
    if (!connection.writeAll(head, stopping)) return false;
    if (request.method() == "HEAD") return keepAlive;

    auto bodyPiece = [&](std::size_t offset, std::size_t size) {
        if (!generated) return std::string_view(response.body).substr(offset, size);
        return generatedPiece(offset, size);
    };

    switch (response.behaviour) {
        case Behaviour::slow:
            for (std::size_t offset = 0, step = std::min<std::size_t>(response.pieceBytes, 1 << 16);
                 offset < bodySize; offset += step) {
                if (offset > 0) pause(response.pieceDelay);
                const std::size_t size = std::min(step, bodySize - offset);
                if (stopping || !connection.writeAll(bodyPiece(offset, size), stopping))
                    return false;
            }
            break;
        case Behaviour::stallMidBody:
            connection.writeAll(bodyPiece(0, std::min(response.splitAt, bodySize)), stopping);
            waitForClose(connection);
            return false;
        case Behaviour::resetMidBody:
            connection.writeAll(bodyPiece(0, std::min(response.splitAt, bodySize)), stopping);
            std::this_thread::sleep_for(
                std::chrono::milliseconds(50));  // let the bytes go out first
            connection.reset();
            return false;
        default:
            for (std::size_t offset = 0; offset < bodySize; offset += 1 << 16) {
                const std::size_t size = std::min<std::size_t>(1 << 16, bodySize - offset);
                if (!connection.writeAll(bodyPiece(offset, size), stopping)) return false;
            }
            break;
    }
    return keepAlive;
}

void FixtureServer::Impl::serve(Connection& connection, bool tls) {
    std::string pending;
    while (!stopping) {
        auto request = readRequest(connection, pending);
        if (!request) break;
        request->tls = tls;
        {
            std::lock_guard lock(mutex);
            requests.push_back(*request);
        }
        recorded.notify_all();
        if (!respond(connection, *request, answer(*request))) break;
    }
    connection.finish();
}

FixtureServer::FixtureServer() : FixtureServer(Options{}) {}

FixtureServer::FixtureServer(Options options) : impl_(std::make_unique<Impl>()) {
    std::signal(SIGPIPE, SIG_IGN);  // a client that goes away must not end the test program
    impl_->options = std::move(options);
    if (!impl_->options.folder.empty()) {
        impl_->folders.emplace_back("/", impl_->options.folder);
    }
    if (impl_->options.tls) {
        const std::string dir = fixturesDir() + "/web/tls/";
        impl_->server = std::make_unique<RawTlsServer>(*impl_, dir + "cert.pem", dir + "key.pem");
    } else {
        impl_->server = std::make_unique<RawServer>(*impl_);
    }
    httplib::Server& server = *impl_->server;
    if (!server.is_valid()) return;
    // Hung and slow replies each hold a worker; the listener takes ownership of the pool.
    server.new_task_queue = [] { return new httplib::ThreadPool(16); };
    server.set_socket_options([impl = impl_.get()](socket_t sock) {
        const int on = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        impl->listeningSocket = sock;
    });
    if (impl_->options.port == 0) {
        impl_->port = server.bind_to_any_port("127.0.0.1");
    } else if (server.bind_to_port("127.0.0.1", impl_->options.port)) {
        impl_->port = impl_->options.port;
    }
    if (impl_->port <= 0) {
        impl_->port = 0;
        return;
    }
    // The listener's backlog of 5 drops bursts of connects (each dropped SYN costs the
    // client a second); a longer one takes them all.
    if (impl_->listeningSocket >= 0) ::listen(impl_->listeningSocket, SOMAXCONN);
    impl_->listener = std::thread([&server] { server.listen_after_bind(); });
    for (int i = 0; i < 500 && !server.is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

FixtureServer::~FixtureServer() {
    stop();
}

void FixtureServer::stop() {
    impl_->stopping = true;
    if (impl_->server) impl_->server->stop();
    if (impl_->listener.joinable()) impl_->listener.join();
}

bool FixtureServer::running() const {
    return impl_->server && impl_->port > 0 && !impl_->stopping && impl_->server->is_running();
}

int FixtureServer::port() const {
    return impl_->port;
}

std::string FixtureServer::hostAndPort() const {
    return "127.0.0.1:" + std::to_string(impl_->port);
}

std::string FixtureServer::baseUrl() const {
    return (impl_->options.tls ? "https://" : "http://") + hostAndPort();
}

std::string FixtureServer::url(std::string_view pathAndQuery) const {
    return baseUrl() + std::string(pathAndQuery);
}

void FixtureServer::route(std::string path, FixtureResponse response) {
    route(std::move(path),
          [response = std::move(response)](const RecordedRequest&) { return response; });
}

void FixtureServer::route(std::string path,
                          std::function<FixtureResponse(const RecordedRequest&)> handler) {
    std::lock_guard lock(impl_->mutex);
    impl_->routes[std::move(path)] = std::move(handler);
}

void FixtureServer::serveFolder(std::string urlPrefix, std::string folder) {
    std::lock_guard lock(impl_->mutex);
    impl_->folders.emplace_back(std::move(urlPrefix), std::move(folder));
}

std::vector<RecordedRequest> FixtureServer::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::optional<RecordedRequest> FixtureServer::lastRequest() const {
    std::lock_guard lock(impl_->mutex);
    if (impl_->requests.empty()) return std::nullopt;
    return impl_->requests.back();
}

void FixtureServer::clearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->requests.clear();
}

bool FixtureServer::waitForRequests(std::size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->recorded.wait_for(lock, timeout, [&] { return impl_->requests.size() >= n; });
}

std::string tlsCaFile() {
    return fixturesDir() + "/web/tls/cert.pem";
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace orvanix::test
