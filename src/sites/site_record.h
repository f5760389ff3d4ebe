#pragma once

#include <string>

namespace orvanix {

// One netdisk site: its display name and the address its queries are restricted
// to. Both are GBK text. Also used for the (name, address) pairs a search runs on.
struct SiteRecord {
    std::string name;
    std::string address;

    friend bool operator==(const SiteRecord&, const SiteRecord&) = default;
};

}  // namespace orvanix
