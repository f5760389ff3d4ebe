#pragma once

// The pieces of the HTTP request routine that work on text alone.

#include <optional>
#include <string>
#include <string_view>

namespace orvanix {

// Where the routine connects and what it asks for, from its three address rules.
struct RoutineAddress {
    std::string host;  // lower case
    int port = 80;
    std::string objectPath;  // from the first "/" after the host, as passed, fragment included
    bool secure = false;     // the URL starts with "https" (any case)
};

// nullopt when the address gives no usable host or an impossible port.
std::optional<RoutineAddress> routineAddress(std::string_view url);

// The agent: the extra headers' User-Agent line (or the text after their first ":")
// when they have one, else the routine's default.
std::string routineUserAgent(std::string_view extraHeaders);

// Completes the extra-headers text with the default lines the routine sends.
void completeHeaderText(std::string& headers, std::string_view url, std::string_view cookies);

// Every "Set-Cookie" in any letter case becomes "Set-Cookie".
std::string normalizeSetCookie(std::string headerBlock);

// "name=value" items of the Set-Cookie lines of a header block, "; "-joined.
std::string cookiesFromHeaderBlock(std::string_view headerBlock);

}  // namespace orvanix
