#include "web/page_fetch.h"

#include "web/curl_handles.h"
#include "web/curl_transfer.h"

namespace orvanix {

namespace {

constexpr const char* page_fetch_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

}  // namespace

std::string pageFetch(std::string_view url, const StopToken* stop) {
    static const TransferSettings defaults;
    return pageFetch(url, stop, defaults);
}

std::string pageFetch(std::string_view url, const StopToken* stop,
                      const TransferSettings& settings) {
    if (url.empty()) return {};
    const auto where = splitHttpUrl(url);
    if (!where) return {};

    CurlHeaderList headers;
    if (!headers.append("Accept: */*")) return {};

    TransferRequest request;
    request.where = *where;
    request.method = HttpMethod::get;
    request.http10 = true;
    request.userAgent = page_fetch_agent;
    request.headers = headers.get();
    request.followRedirects = true;
    return performTransfer(request, stop, settings).body;
}

std::string textFromBuffer(std::string_view buffer) {
    return std::string(buffer.substr(0, buffer.find('\0')));
}

}  // namespace orvanix
