#pragma once

#include <string>
#include <string_view>

#include "web/curl_transfer_settings.h"
#include "web/stop_token.h"

namespace orvanix {

// A plain GET of one address: the whole response body, byte for byte as the server
// sent it (zero bytes included, no decompression, no code-page change).
//
// Everything from the first "#" on is dropped; path and query go out unchanged.
// http and https (TLS, certificates checked), explicit ports honoured. The request
// is "GET <path> HTTP/1.0" with the fixed browser user agent and "Accept: */*", no
// Referer, no cookies, no cache; redirects are followed; the status code is ignored,
// so an error page gives its body. An empty or unusable address, a failed connect or
// send gives an empty buffer; a transfer that breaks off gives what arrived.
//
// Blocking and safe to call from many threads at once. When stop is given and set,
// the transfer is aborted within a few tens of milliseconds and what arrived so far
// is returned (callers that stopped ignore it).
std::string pageFetch(std::string_view url, const StopToken* stop = nullptr);

// The same with other bounds (time-outs, body cap, redirect limit, trusted certificates).
std::string pageFetch(std::string_view url, const StopToken* stop,
                      const TransferSettings& settings);

// A byte buffer as text: the bytes up to its first zero byte, or all of them.
std::string textFromBuffer(std::string_view buffer);

}  // namespace orvanix
