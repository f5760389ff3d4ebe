#pragma once

#include "web/curl_library.h"

#include <optional>
#include <string>
#include <string_view>

#include "web/curl_transfer_settings.h"
#include "web/stop_token.h"

namespace orvanix {

// Where one HTTP request goes: the connection and the request target sent verbatim.
struct HttpTarget {
    bool secure = false;
    std::string userInfo;  // "user:password" or empty
    std::string host;      // lower or mixed case, a name, an IPv4 or a bracketed IPv6 address
    int port = 80;
    std::string target;  // path and query (and whatever else the caller keeps), starts with "/"

    // "http://host:port/" (with user info), the address libcurl connects to.
    std::string connectUrl() const;
    // "http://host[:port]" + target, the port left out when it is the scheme's default.
    std::string absoluteUrl() const;
};

// Splits an absolute http or https address (scheme in any case) after cutting it at
// its first "#". nullopt for another scheme, an empty or unusable host or a bad port.
std::optional<HttpTarget> splitHttpUrl(std::string_view url);

// The target a Location header points to, seen from the request that got it:
// absolute, scheme-relative, absolute-path or relative reference.
std::optional<HttpTarget> resolveRedirect(const HttpTarget& from, std::string_view location);

// Whether libcurl may be handed this host: letters, digits, ".-_~%" or a bracketed IPv6.
bool isUsableHost(std::string_view host);

// A request target as it goes on the wire: unchanged, except that bytes that cannot
// stand in a request line (controls, space, DEL) are percent-encoded.
std::string wireTarget(std::string_view target);

// Text with its control bytes (and, when asked, spaces) percent-encoded, so that
// it cannot break a request line or start a header line of its own.
std::string percentEncodeControls(std::string_view text, bool alsoSpace);

enum class HttpMethod { get, post, head };

struct TransferRequest {
    HttpTarget where;
    HttpMethod method = HttpMethod::get;
    std::string_view body;          // sent for post and head
    bool http10 = false;            // "HTTP/1.0" instead of "HTTP/1.1"
    std::string userAgent;          // used when headers carry no User-Agent line
    curl_slist* headers = nullptr;  // extra header lines, in order
    bool cookieStore = false;       // use the process-wide cookie store
    std::string proxyAddress;       // "host:port" of an HTTP proxy, or empty
    bool followRedirects = true;
    bool followHttpsToHttp = true;  // false: a redirect from https to http is not followed
};

struct TransferResult {
    bool connected = false;  // a connection was made and the request sent
    long status = 0;         // of the last response, 0 when none came
    std::string body;        // of the last response, cut at the body cap
    std::string
        headerBlock;  // status line and header lines of the last response, CR LF each, then CR LF
    bool stopped = false;  // aborted by the stop token
    CURLcode code = CURLE_OK;
};

// Performs the request, following redirects as asked (301, 302 and 303 turn a POST
// into a GET; 307 and 308 keep it), on a connection of its own.
TransferResult performTransfer(const TransferRequest& request, const StopToken* stop,
                               const TransferSettings& settings);

// The value of the first header of that name in a header block (ASCII case ignored),
// blanks around it removed; nullopt when there is none.
std::optional<std::string> headerValue(std::string_view headerBlock, std::string_view name);

}  // namespace orvanix
