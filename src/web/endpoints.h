#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orvanix {

// The hosts the program talks to. Each has a compiled-in default; the [endpoints]
// section of the INI file named by the environment variable ORVANIX_ENDPOINTS may
// override any of them with "host" or "host:port" (keys as in endpointKey).
enum class Endpoint {
    webSearch,   // "web_search": the web search page queried per netdisk site
    shareApi,    // "share_api": the web-search endpoint of the first share source (an IP)
    shareSite1,  // "share_site1"
    shareSite2,  // "share_site2"
    netdisk,     // "netdisk": the netdisk site (share home pages)
    magnetBt,    // "magnet_bt"
    magnetDht,   // "magnet_dht"
    shop,        // "shop": the goods-search endpoint
    maker,       // "maker": the maker's site (usage page, version file, feedback page)
};
inline constexpr std::size_t endpointCount = 9;

std::string_view endpointKey(Endpoint endpoint);
std::optional<Endpoint> endpointFromKey(std::string_view key);

// A table of hosts, value type.
class Endpoints {
public:
    Endpoints();  // the compiled-in defaults

    const std::string& host(Endpoint endpoint) const {
        return hosts_[static_cast<std::size_t>(endpoint)];
    }
    void setHost(Endpoint endpoint, std::string host) {
        hosts_[static_cast<std::size_t>(endpoint)] = std::move(host);
    }

    // The defaults overridden by the [endpoints] section of this INI text (section and
    // key names match ignoring ASCII case; blank or malformed values are ignored).
    static Endpoints fromIniText(std::string_view text);
    // The same from a file; the defaults when it cannot be read.
    static Endpoints fromIniFile(const std::string& path);
    // The defaults overridden by the file that ORVANIX_ENDPOINTS names, if any.
    static Endpoints fromEnvironment();

private:
    std::array<std::string, endpointCount> hosts_;
};

// The process-wide table, read from the environment once, on first use (thread-safe).
const Endpoints& endpoints();

// Shorthands for the process-wide table.
inline const std::string& endpointHost(Endpoint endpoint) {
    return endpoints().host(endpoint);
}
// The host for a key such as "maker"; empty for an unknown key.
std::string endpointHost(std::string_view key);

// Whether a value is usable as an override: "host" or "host:port" with a port 1..65535,
// host made of letters, digits, '.', '-', '_' (or a bracketed IPv6 literal).
bool isValidEndpointValue(std::string_view value);

}  // namespace orvanix
