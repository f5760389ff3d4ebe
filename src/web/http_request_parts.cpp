#include "web/http_request_parts.h"

#include <algorithm>

#include "web/curl_transfer.h"
#include "web/text_cut.h"

namespace orvanix {

namespace {

constexpr std::string_view crlf = "\r\n";

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

bool contains(std::string_view text, std::string_view needle) {
    return text.find(needle) != std::string_view::npos;
}

// The leading decimal digits of text as a number (0 when there are none); -1 when
// they make a number above 65535.
int leadingPort(std::string_view text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > 65535) return -1;
    }
    return static_cast<int>(value);
}

// Text fit for a header value: control bytes (CR and LF above all, which would
// start a header line of their own) are percent-encoded.
std::string headerSafe(std::string_view text) {
    return percentEncodeControls(text, false);
}

}  // namespace

std::optional<RoutineAddress> routineAddress(std::string_view url) {
    const std::string lowerUrl = asciiLower(url);
    std::string prepared = lowerUrl;
    if (!prepared.ends_with('/')) prepared += '/';
    std::string_view prefix = "https://";
    if (!prepared.starts_with("https://")) {
        prefix = "http://";
        if (!contains(prepared, "http://")) prepared.insert(0, "http://");
    }
    const std::string hostAndPort = textBetween(prepared, prefix, "/");

    RoutineAddress address;
    address.secure = lowerUrl.starts_with("https");
    address.host = hostAndPort.substr(0, std::min(hostAndPort.find(':'), hostAndPort.size()));
    address.port = address.secure ? 443 : 80;
    if (const auto colon = hostAndPort.rfind(':'); colon != std::string::npos) {
        const int port = leadingPort(std::string_view(hostAndPort).substr(colon + 1));
        if (port < 0) return std::nullopt;
        if (port > 0) address.port = port;
    }
    if (!isUsableHost(address.host)) return std::nullopt;

    address.objectPath.assign(1, '/');
    const int hostAt = textSearch(url, address.host, 1, true);
    if (hostAt > 0) {
        const auto slash = url.find('/', static_cast<std::size_t>(hostAt - 1));
        if (slash != std::string_view::npos) address.objectPath = std::string(url.substr(slash));
    }
    return address;
}

std::string routineUserAgent(std::string_view extraHeaders) {
    std::string agent;
    if (textSearch(extraHeaders, "User-Agent:", 1, true) > 0) {
        agent = blankTrimming(textBetween(extraHeaders, "User-Agent:", crlf));
        if (agent.empty()) {
            const auto colon = extraHeaders.find(':');
            agent = blankTrimming(extraHeaders.substr(colon + 1));
        }
    } else {
        agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
    }
    // The agent goes into a header line of its own: nothing after a line break.
    return agent.substr(0, std::min(agent.find_first_of("\r\n"), agent.size()));
}

void completeHeaderText(std::string& headers, std::string_view url, std::string_view cookies) {
    if (headers.empty()) {
        headers = "Accept: */*";
    } else if (!contains(headers, "Accept:")) {
        headers += "\r\nAccept: */*";
    }
    if (!contains(headers, "Referer:")) headers += "\r\nReferer: " + headerSafe(url);
    if (!contains(headers, "Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
    if (!contains(headers, "Content-Type:")) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (!cookies.empty()) headers += "\r\nCookie: " + std::string(cookies);
}

std::string normalizeSetCookie(std::string headerBlock) {
    constexpr std::string_view name = "set-cookie";
    for (std::size_t i = 0; i + name.size() <= headerBlock.size(); ++i) {
        bool match = true;
        for (std::size_t k = 0; k < name.size() && match; ++k) {
            match = lowerAscii(headerBlock[i + k]) == name[k];
        }
        if (match) {
            headerBlock.replace(i, name.size(), "Set-Cookie");
            i += name.size() - 1;
        }
    }
    return headerBlock;
}

namespace {

// The line with every "Set-Cookie:" removed, in any letter case.
std::string withoutSetCookieLabels(std::string_view line) {
    constexpr std::string_view label = "set-cookie:";
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line.size() - i >= label.size() && asciiLower(line.substr(i, label.size())) == label) {
            i += label.size();
        } else {
            out += line[i++];
        }
    }
    return out;
}

}  // namespace

std::string cookiesFromHeaderBlock(std::string_view headerBlock) {
    std::string cookies;
    std::size_t start = 0;
    while (start < headerBlock.size()) {
        const auto end = std::min(headerBlock.find(crlf, start), headerBlock.size());
        const std::string_view line = headerBlock.substr(start, end - start);
        start = end + crlf.size();
        if (!contains(line, "Set-Cookie")) continue;
        const std::string item = contains(line, ";") ? textBetween(line, "Set-Cookie:", ";")
                                                     : withoutSetCookieLabels(line);
        cookies += blankTrimming(item) + "; ";
    }
    if (cookies.size() >= 2) cookies.resize(cookies.size() - 2);
    return cookies;
}

}  // namespace orvanix
