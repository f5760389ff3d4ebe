#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace orvanix {

// Bounds that keep a misbehaving server from holding a worker or its memory.
struct TransferSettings {
    std::chrono::milliseconds connectTimeout{15'000};  // TCP and TLS set-up
    std::chrono::milliseconds idleTimeout{60'000};     // abort when no byte moved for this long
    std::size_t maxBodyBytes = std::size_t{64} << 20;  // a longer body is cut here
    int maxRedirects = 10;                             // further redirects are not followed
    std::string caFile;  // PEM file of certificates trusted instead of the system's; empty: system
};

}  // namespace orvanix
