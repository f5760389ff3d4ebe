#pragma once

#include <string>
#include <string_view>

#include "web/curl_transfer_settings.h"
#include "web/stop_token.h"

namespace orvanix {

// The optional arguments of the HTTP request routine, in their fixed order. Omitted
// members keep the defaults below. Outputs are written through the pointers given;
// a null pointer means "not supplied" (for cookies this switches the behaviour).
struct HttpRequestArgs {
    int method = 0;                          // 0 GET, 1 POST, 2 HEAD; any other value counts as 0
    std::string_view postText{};             // body as text, used when postBytes is empty
    std::string* cookies = nullptr;          // in/out: sent, then replaced by the merged cookies.
                                             // Null: the process-wide cookie store is used instead.
    std::string* returnedCookies = nullptr;  // out: "name=value" items the reply set, "; "-joined
    std::string* extraHeaders = nullptr;     // in/out: CR LF separated lines; completed
    std::string* returnedHeaders = nullptr;  // out: the raw response header block
    bool noRedirect = false;                 // true: redirects are not followed
    std::string_view postBytes{};            // body as bytes; wins over postText
    std::string_view proxyAddress{};         // "host:port" of an HTTP proxy; empty: direct
};

// One complete HTTP/1.1 request with browser-like headers. Returns the response body
// (status ignored); empty when the request could not be made. Blocking, no shared
// state besides the process-wide cookie store used when args.cookies is null.
std::string httpRequestRoutine(std::string_view url, const HttpRequestArgs& args = {},
                               const StopToken* stop = nullptr);
std::string httpRequestRoutine(std::string_view url, const HttpRequestArgs& args,
                               const StopToken* stop, const TransferSettings& settings);

// GET of url with every other argument omitted; the body as text (up to its first
// zero byte, no conversion).
std::string pageTextRequest(std::string_view url, const StopToken* stop = nullptr);

// Merges the cookies a reply set into the cookies sent: blanks are removed from both,
// new items come first, then the old ones whose names the new ones do not carry;
// items whose value is "deleted" are dropped and exact repeats are removed.
// Rewrites both arguments in their blank-free form; cookies gets the result.
void cookieMerge(std::string& cookies, std::string& newCookies);

}  // namespace orvanix
