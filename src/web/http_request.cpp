#include "web/http_request.h"

#include <algorithm>
#include <vector>

#include "web/curl_handles.h"
#include "web/curl_transfer.h"
#include "web/http_request_parts.h"
#include "web/page_fetch.h"
#include "web/text_cut.h"

namespace orvanix {

namespace {

HttpMethod methodFromArgument(int method) {
    switch (method) {
        case 1:
            return HttpMethod::post;
        case 2:
            return HttpMethod::head;
        default:
            return HttpMethod::get;
    }
}

// The header text as libcurl lines: split at CR LF, empty lines left out. A line
// "Name:" with nothing after it is written "Name;", libcurl's form for an empty header
// (a bare "Name:" would instead remove libcurl's own header of that name).
bool fillHeaderList(CurlHeaderList& list, std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find("\r\n", start), text.size());
        std::string line(text.substr(start, end - start));
        start = end + 2;
        if (line.empty()) continue;
        const auto colon = line.find(':');
        if (colon != std::string::npos &&
            line.find_first_not_of(" \t", colon + 1) == std::string::npos) {
            line = line.substr(0, colon) + ";";
        }
        if (!list.append(line)) return false;
    }
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view needle) {
    return textSearch(text, needle, 1, true) > 0;
}

// Text with every half-width blank and every full-width blank (A1 A1) removed,
// walked character by character so that the second byte of a character never counts.
std::string withoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte != 0x20) out += text[i];
            ++i;
        } else if (i + 1 < text.size()) {
            if (!(byte == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1)) {
                out.append(text.substr(i, 2));
            }
            i += 2;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

// Splits at a separator: an empty text gives no item, an empty item between two
// separators counts, a trailing separator adds no empty item.
std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find(separator, start), text.size());
        items.emplace_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    return items;
}

std::string cookieName(std::string_view item) {
    return blankTrimming(item.substr(0, std::min(item.find('='), item.size())));
}

}  // namespace

void cookieMerge(std::string& cookies, std::string& newCookies) {
    cookies = withoutBlanks(cookies);
    newCookies = withoutBlanks(newCookies);

    std::vector<std::string> working = splitAt(newCookies, ";");
    for (const std::string& old : splitAt(cookies, ";")) {
        const std::string name = cookieName(old);
        const bool overridden = std::any_of(working.begin(), working.end(), [&](const auto& item) {
            return cookieName(item) == name;
        });
        if (!overridden) working.push_back(old);
    }

    std::string joined;
    for (const std::string& item : working) {
        if (item.ends_with("=deleted")) continue;
        joined += item + "; ";
    }
    if (joined.size() >= 2) joined.resize(joined.size() - 2);

    std::vector<std::string> unique;
    for (std::string& item : splitAt(joined, "; ")) {
        if (std::find(unique.begin(), unique.end(), item) == unique.end()) {
            unique.push_back(std::move(item));
        }
    }
    std::string merged;
    for (std::size_t i = 0; i < unique.size(); ++i) {
        if (i > 0) merged += "; ";
        merged += unique[i];
    }
    cookies = std::move(merged);
}

std::string httpRequestRoutine(std::string_view url, const HttpRequestArgs& args,
                               const StopToken* stop) {
    static const TransferSettings defaults;
    return httpRequestRoutine(url, args, stop, defaults);
}

std::string httpRequestRoutine(std::string_view url, const HttpRequestArgs& args,
                               const StopToken* stop, const TransferSettings& settings) {
    const HttpMethod method = methodFromArgument(args.method);
    std::string localHeaders;
    std::string& headerText = args.extraHeaders != nullptr ? *args.extraHeaders : localHeaders;
    const std::string agent = routineUserAgent(headerText);
    const auto address = routineAddress(url);
    if (!address) return {};  // no connection can be opened: the outputs stay as they were

    completeHeaderText(headerText, url, args.cookies != nullptr ? *args.cookies : "");
    const std::string_view body = !args.postBytes.empty() ? args.postBytes : args.postText;
    CurlHeaderList headers;
    if (!fillHeaderList(headers, headerText)) return {};
    // No "Expect: 100-continue" round trip before a larger body.
    if (method != HttpMethod::get && !containsIgnoringCase(headerText, "Expect:") &&
        !headers.append("Expect:")) {
        return {};
    }

    TransferRequest request;
    request.where.secure = address->secure;
    request.where.host = address->host;
    request.where.port = address->port;
    request.where.target = address->objectPath;
    request.method = method;
    request.body = method == HttpMethod::get ? std::string_view() : body;
    request.userAgent = agent;
    request.headers = headers.get();
    request.cookieStore = args.cookies == nullptr;
    request.proxyAddress = std::string(args.proxyAddress);
    request.followRedirects = !args.noRedirect;
    request.followHttpsToHttp = false;
    TransferResult result = performTransfer(request, stop, settings);

    const std::string headerBlock = normalizeSetCookie(std::move(result.headerBlock));
    std::string newCookies = cookiesFromHeaderBlock(headerBlock);
    if (args.returnedHeaders != nullptr) *args.returnedHeaders = headerBlock;
    if (args.cookies != nullptr) cookieMerge(*args.cookies, newCookies);
    if (args.returnedCookies != nullptr) *args.returnedCookies = std::move(newCookies);
    return std::move(result.body);
}

std::string pageTextRequest(std::string_view url, const StopToken* stop) {
    return textFromBuffer(httpRequestRoutine(url, {}, stop));
}

}  // namespace orvanix
