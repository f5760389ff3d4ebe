#pragma once

#include "web/curl_library.h"

#include <memory>
#include <string_view>

namespace orvanix {

// Owning handles for libcurl objects.
struct CurlEasyDeleter {
    void operator()(CURL* handle) const noexcept { curlEasyCleanup(handle); }
};
struct CurlMultiDeleter {
    void operator()(CURLM* handle) const noexcept { curlMultiCleanup(handle); }
};
struct CurlListDeleter {
    void operator()(curl_slist* list) const noexcept { curlSlistFreeAll(list); }
};

using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;

// A header list for CURLOPT_HTTPHEADER.
class CurlHeaderList {
public:
    // Adds one line; false when libcurl could not take it.
    bool append(std::string_view line);
    curl_slist* get() const noexcept { return list_.get(); }

private:
    std::unique_ptr<curl_slist, CurlListDeleter> list_;
};

// A new easy handle (libcurl initialised first); null on failure.
CurlEasy makeCurlEasy();

}  // namespace orvanix
