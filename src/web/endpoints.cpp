#include "web/endpoints.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace orvanix {

namespace {

struct EndpointEntry {
    std::string_view key;
    std::string_view defaultHost;
};

// In the order of the Endpoint enumerators. Hosts whose real address is not known
// here are reserved names that never resolve: such a source yields no rows until an
// endpoints file names it.
constexpr std::array<EndpointEntry, endpointCount> endpoint_table{{
    {"web_search", "www.baidu.com"},
    {"share_api", "192.0.2.10"},
    {"share_site1", "share1.orvanix.invalid"},
    {"share_site2", "share2.orvanix.invalid"},
    {"netdisk", "pan.baidu.com"},
    {"magnet_bt", "magnet-bt.orvanix.invalid"},
    {"magnet_dht", "magnet-dht.orvanix.invalid"},
    {"shop", "s.taobao.com"},
    {"maker", "www.orvanix.invalid"},
}};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool isPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int port = std::stoi(std::string(text));
    return port >= 1 && port <= 65535;
}

}  // namespace

std::string_view endpointKey(Endpoint endpoint) {
    return endpoint_table[static_cast<std::size_t>(endpoint)].key;
}

std::optional<Endpoint> endpointFromKey(std::string_view key) {
    for (std::size_t i = 0; i < endpoint_table.size(); ++i) {
        if (equalsIgnoringCase(endpoint_table[i].key, key)) return static_cast<Endpoint>(i);
    }
    return std::nullopt;
}

bool isValidEndpointValue(std::string_view value) {
    std::string_view host = value;
    std::string_view port;
    if (value.starts_with('[')) {
        const auto close = value.find(']');
        if (close == std::string_view::npos || close < 2) return false;
        const std::string_view inner = value.substr(1, close - 1);
        if (!std::all_of(inner.begin(), inner.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
                       c == ':' || c == '.';
            })) {
            return false;
        }
        const std::string_view rest = value.substr(close + 1);
        if (rest.empty()) return true;
        return rest.front() == ':' && isPort(rest.substr(1));
    }
    if (const auto colon = value.find(':'); colon != std::string_view::npos) {
        host = value.substr(0, colon);
        port = value.substr(colon + 1);
        if (!isPort(port)) return false;
    }
    return !host.empty() && std::all_of(host.begin(), host.end(), isHostCharacter);
}

Endpoints::Endpoints() {
    for (std::size_t i = 0; i < endpoint_table.size(); ++i) {
        hosts_[i] = std::string(endpoint_table[i].defaultHost);
    }
}

Endpoints Endpoints::fromIniText(std::string_view text) {
    Endpoints table;
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string_view line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        equalsIgnoringCase(trimmed(line.substr(1, close - 1)), "endpoints");
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        const auto endpoint = endpointFromKey(trimmed(line.substr(0, equals)));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (endpoint && isValidEndpointValue(value)) table.setHost(*endpoint, std::string(value));
    }
    return table;
}

Endpoints Endpoints::fromIniFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return Endpoints();
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    return fromIniText(text);
}

Endpoints Endpoints::fromEnvironment() {
    const char* path = std::getenv("ORVANIX_ENDPOINTS");
    if (path == nullptr || *path == '\0') return Endpoints();
    return fromIniFile(path);
}

const Endpoints& endpoints() {
    static const Endpoints table = Endpoints::fromEnvironment();
    return table;
}

std::string endpointHost(std::string_view key) {
    const auto endpoint = endpointFromKey(key);
    return endpoint ? endpoints().host(*endpoint) : std::string();
}

}  // namespace orvanix
