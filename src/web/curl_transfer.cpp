#include "web/curl_transfer.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "web/curl_global.h"
#include "web/curl_handles.h"

namespace orvanix {

namespace {

constexpr int poll_slice_ms = 50;  // how often a running transfer looks at its stop token

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

int defaultPort(bool secure) {
    return secure ? 443 : 80;
}

// "1".."65535" -> the number; anything else -> 0.
int parsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value <= 65535 ? value : 0;
}

// Text before the first "#".
std::string_view withoutFragment(std::string_view text) {
    return text.substr(0, std::min(text.find('#'), text.size()));
}

// Whether text begins with "scheme:" (RFC 3986 scheme characters).
bool hasScheme(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

struct TransferState {
    std::string body;
    std::string headerBlock;
    std::size_t maxBodyBytes = 0;
    const StopToken* stop = nullptr;
    bool endAfterHead = false;  // stop once the final response's head is complete
    std::chrono::steady_clock::time_point lastActivity;  // when a byte last moved
    curl_off_t bytesSent = 0;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& state = *static_cast<TransferState*>(user);
    const std::size_t bytes = size * count;
    state.lastActivity = std::chrono::steady_clock::now();
    const std::size_t room = state.maxBodyBytes - std::min(state.maxBodyBytes, state.body.size());
    if (bytes > room) {
        state.body.append(data, room);
        return 0;  // the cap is reached: libcurl ends the transfer here
    }
    state.body.append(data, bytes);
    return bytes;
}

std::size_t onHeaderLine(char* data, std::size_t size, std::size_t count, void* user) {
    auto& state = *static_cast<TransferState*>(user);
    const std::string_view line(data, size * count);
    state.lastActivity = std::chrono::steady_clock::now();
    // Each response (an interim 1xx, a proxy's CONNECT reply, the real one) starts
    // with its status line; only the last response's block is kept.
    if (line.starts_with("HTTP/")) state.headerBlock.clear();
    state.headerBlock.append(line);
    const bool interim = state.headerBlock.size() > 9 && state.headerBlock[9] == '1';
    if (state.endAfterHead && (line == "\r\n" || line == "\n") && !interim) return 0;
    return line.size();
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
    auto& state = *static_cast<TransferState*>(user);
    if (uploaded != state.bytesSent) {
        state.bytesSent = uploaded;
        state.lastActivity = std::chrono::steady_clock::now();
    }
    return stopRequested(state.stop) ? 1 : 0;  // non-zero aborts the transfer
}

// Sets the per-request options of one hop.
void prepareHop(CURL* easy, const TransferRequest& request, HttpMethod method,
                const std::string& connectUrl, const std::string& target) {
    curlEasySetopt(easy, CURLOPT_URL, connectUrl.c_str());
    curlEasySetopt(easy, CURLOPT_REQUEST_TARGET, target.c_str());
    curlEasySetopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
    switch (method) {
        case HttpMethod::get:
            curlEasySetopt(easy, CURLOPT_HTTPGET, 1L);
            break;
        case HttpMethod::post:
            curlEasySetopt(easy, CURLOPT_POST, 1L);
            curlEasySetopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                           static_cast<curl_off_t>(request.body.size()));
            curlEasySetopt(easy, CURLOPT_POSTFIELDS,
                           request.body.empty() ? "" : request.body.data());
            break;
        case HttpMethod::head:
            if (request.body.empty()) {
                curlEasySetopt(easy, CURLOPT_NOBODY, 1L);
            } else {
                // A HEAD that carries a body goes out like a POST under the verb
                // HEAD; libcurl would then wait for a response body that never
                // comes, so the header callback ends the transfer after the head.
                curlEasySetopt(easy, CURLOPT_NOBODY, 0L);
                curlEasySetopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                               static_cast<curl_off_t>(request.body.size()));
                curlEasySetopt(easy, CURLOPT_POSTFIELDS, request.body.data());
                curlEasySetopt(easy, CURLOPT_CUSTOMREQUEST, "HEAD");
            }
            break;
    }
}

// Runs the prepared easy handle to its end, looking at the stop token and the idle
// time between polls.
CURLcode runHop(CURLM* multi, CURL* easy, TransferState& state,
                std::chrono::milliseconds idleTimeout, bool& stopped) {
    state.lastActivity = std::chrono::steady_clock::now();
    state.bytesSent = 0;
    if (curlMultiAddHandle(multi, easy) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode code = CURLE_OK;
    int running = 1;
    while (true) {
        if (curlMultiPerform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) break;
        if (stopRequested(state.stop)) {
            stopped = true;
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (std::chrono::steady_clock::now() - state.lastActivity > idleTimeout) {
            code = CURLE_OPERATION_TIMEDOUT;
            break;
        }
        curlMultiPoll(multi, nullptr, 0, poll_slice_ms, nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = curlMultiInfoRead(multi, &queued)) {
        if (message->msg == CURLMSG_DONE) code = message->data.result;
    }
    if (code == CURLE_ABORTED_BY_CALLBACK) stopped = true;
    curlMultiRemoveHandle(multi, easy);
    return code;
}

bool isRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

std::string HttpTarget::connectUrl() const {
    std::string url = secure ? "https://" : "http://";
    if (!userInfo.empty()) url += userInfo + "@";
    url += host + ":" + std::to_string(port) + "/";
    return url;
}

std::string HttpTarget::absoluteUrl() const {
    std::string url = secure ? "https://" : "http://";
    url += host;
    if (port != defaultPort(secure)) url.append(1, ':').append(std::to_string(port));
    return url + target;
}

bool isUsableHost(std::string_view host) {
    if (host.empty()) return false;
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']') return false;
        return std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
        });
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ||
               c == '~' || c == '%';
    });
}

std::string percentEncodeControls(std::string_view text, bool alsoSpace) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (alsoSpace && byte == 0x20)) {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string wireTarget(std::string_view target) {
    return percentEncodeControls(target, true);
}

std::optional<HttpTarget> splitHttpUrl(std::string_view url) {
    url = withoutFragment(url);
    const auto schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    HttpTarget where;
    const std::string_view scheme = url.substr(0, schemeEnd);
    if (equalsIgnoringCase(scheme, "https")) {
        where.secure = true;
    } else if (!equalsIgnoringCase(scheme, "http")) {
        return std::nullopt;
    }
    const std::string_view rest = url.substr(schemeEnd + 3);
    const auto authorityEnd = std::min(rest.find_first_of("/?"), rest.size());
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view pathAndQuery = rest.substr(authorityEnd);

    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        where.userInfo = std::string(authority.substr(0, at));
        authority = authority.substr(at + 1);
    }
    std::string_view host = authority;
    std::string_view portText;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = authority.substr(0, close + 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') return std::nullopt;
            portText = after.substr(1);
        }
    } else if (const auto colon = authority.rfind(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        portText = authority.substr(colon + 1);
    }
    if (!isUsableHost(host)) return std::nullopt;
    where.host = std::string(host);
    where.port = defaultPort(where.secure);
    if (!portText.empty()) {
        where.port = parsePort(portText);
        if (where.port == 0) return std::nullopt;
    }
    if (pathAndQuery.empty()) {
        where.target.assign(1, '/');
    } else if (pathAndQuery.front() == '?') {
        where.target.assign(1, '/').append(pathAndQuery);
    } else {
        where.target = std::string(pathAndQuery);
    }
    return where;
}

namespace {

// The path with "." and ".." segments folded away, as a browser resolves a reference.
std::string withoutDotSegments(std::string_view path) {
    std::vector<std::string_view> segments;
    std::size_t start = 1;  // after the leading "/"
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        const std::string_view segment = path.substr(start, end - start);
        const bool last = end == path.size();
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
            if (last) segments.emplace_back();
        } else if (segment == ".") {
            if (last) segments.emplace_back();
        } else {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& segment : segments) out.append(1, '/').append(segment);
    return out.empty() ? std::string(1, '/') : out;
}

// Folds dot segments in the path part of a target, leaving the query alone.
std::string normalizedTarget(std::string_view target) {
    const auto query = std::min(target.find('?'), target.size());
    return withoutDotSegments(target.substr(0, query)) + std::string(target.substr(query));
}

}  // namespace

std::optional<HttpTarget> resolveRedirect(const HttpTarget& from, std::string_view location) {
    location = withoutFragment(location);
    if (location.empty()) return std::nullopt;
    if (location.starts_with("//")) {
        return splitHttpUrl(std::string(from.secure ? "https:" : "http:") + std::string(location));
    }
    if (hasScheme(location)) return splitHttpUrl(location);
    HttpTarget next = from;
    if (location.front() == '/') {
        next.target = normalizedTarget(location);
        return next;
    }
    const std::string_view fromPath =
        std::string_view(from.target)
            .substr(0, std::min(from.target.find('?'), from.target.size()));
    if (location.front() == '?') {
        next.target = std::string(fromPath) + std::string(location);
    } else {
        const auto lastSlash = fromPath.rfind('/');
        const std::string_view directory = lastSlash == std::string_view::npos
                                               ? std::string_view("/")
                                               : fromPath.substr(0, lastSlash + 1);
        next.target = normalizedTarget(std::string(directory) + std::string(location));
    }
    return next;
}

std::optional<std::string> headerValue(std::string_view headerBlock, std::string_view name) {
    std::size_t start = headerBlock.find('\n');  // the status line is no header
    while (start != std::string_view::npos && start + 1 < headerBlock.size()) {
        ++start;
        const auto end = std::min(headerBlock.find('\n', start), headerBlock.size());
        std::string_view line = headerBlock.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.size() > name.size() && line[name.size()] == ':' &&
            equalsIgnoringCase(line.substr(0, name.size()), name)) {
            std::string_view value = line.substr(name.size() + 1);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
                value.remove_prefix(1);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
                value.remove_suffix(1);
            return std::string(value);
        }
        start = end;
    }
    return std::nullopt;
}

TransferResult performTransfer(const TransferRequest& request, const StopToken* stop,
                               const TransferSettings& settings) {
    TransferResult result;
    CurlEasy easy = makeCurlEasy();
    CurlMulti multi(easy ? curlMultiInit() : nullptr);
    if (!easy || !multi || stopRequested(stop)) return result;
    CURL* handle = easy.get();

    TransferState state;
    state.maxBodyBytes = settings.maxBodyBytes;
    state.stop = stop;

    // Options that stay the same on every hop.
    curlEasySetopt(handle, CURLOPT_NOSIGNAL, 1L);
    curlEasySetopt(handle, CURLOPT_BUFFERSIZE, 256L * 1024);  // fewer rounds for big pages
    curlEasySetopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curlEasySetopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curlEasySetopt(handle, CURLOPT_HTTP_VERSION,
                   request.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    // An HTTP/1.0 request is one request per connection: a redirect hop never
    // reuses a connection the server may already be closing.
    if (request.http10) curlEasySetopt(handle, CURLOPT_FORBID_REUSE, 1L);
    curlEasySetopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(settings.connectTimeout.count()));
    curlEasySetopt(handle, CURLOPT_USERAGENT, request.userAgent.c_str());
    curlEasySetopt(handle, CURLOPT_HTTPHEADER, request.headers);
    curlEasySetopt(handle, CURLOPT_WRITEFUNCTION, onBody);
    curlEasySetopt(handle, CURLOPT_WRITEDATA, &state);
    curlEasySetopt(handle, CURLOPT_HEADERFUNCTION, onHeaderLine);
    curlEasySetopt(handle, CURLOPT_HEADERDATA, &state);
    curlEasySetopt(handle, CURLOPT_NOPROGRESS, 0L);
    curlEasySetopt(handle, CURLOPT_XFERINFOFUNCTION, onProgress);
    curlEasySetopt(handle, CURLOPT_XFERINFODATA, &state);
    const std::string proxy = request.proxyAddress.empty() ? "" : "http://" + request.proxyAddress;
    curlEasySetopt(handle, CURLOPT_PROXY,
                   proxy.c_str());  // "": no proxy, not even from the environment
    if (!settings.caFile.empty()) curlEasySetopt(handle, CURLOPT_CAINFO, settings.caFile.c_str());
    if (request.cookieStore) {
        CURLSH* store = sharedCookieStore();
        if (store == nullptr) return result;
        curlEasySetopt(handle, CURLOPT_COOKIEFILE, "");  // cookie engine on, nothing loaded
        curlEasySetopt(handle, CURLOPT_SHARE, store);
    }

    HttpTarget where = request.where;
    HttpMethod method = request.method;
    for (int redirects = 0;; ++redirects) {
        state.body.clear();
        state.headerBlock.clear();
        const std::string connectUrl = where.connectUrl();
        // A plain request through a proxy names the whole address.
        const bool proxied = !request.proxyAddress.empty() && !where.secure;
        const std::string target = wireTarget(proxied ? where.absoluteUrl() : where.target);
        prepareHop(handle, request, method, connectUrl, target);
        state.endAfterHead = method == HttpMethod::head && !request.body.empty();

        result.code = runHop(multi.get(), handle, state, settings.idleTimeout, result.stopped);
        long status = 0;
        curlEasyGetinfo(handle, CURLINFO_RESPONSE_CODE, &status);
        long requestBytes = 0;
        curlEasyGetinfo(handle, CURLINFO_REQUEST_SIZE, &requestBytes);
        result.connected = result.connected || requestBytes > 0;
        result.status = status;
        result.body = std::move(state.body);
        result.headerBlock = std::move(state.headerBlock);

        if (result.stopped || !request.followRedirects || !isRedirectStatus(status) ||
            redirects >= settings.maxRedirects) {
            break;
        }
        const auto location = headerValue(result.headerBlock, "Location");
        if (!location) break;
        const auto next = resolveRedirect(where, *location);
        if (!next) break;
        if (where.secure && !next->secure && !request.followHttpsToHttp) break;
        if ((status == 303 && method != HttpMethod::head) ||
            ((status == 301 || status == 302) && method == HttpMethod::post)) {
            method = HttpMethod::get;
        }
        where = *next;
    }
    return result;
}

}  // namespace orvanix
