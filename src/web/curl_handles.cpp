#include "web/curl_handles.h"

#include <string>

#include "web/curl_global.h"

namespace orvanix {

bool CurlHeaderList::append(std::string_view line) {
    const std::string copy(line);
    curl_slist* grown = curlSlistAppend(list_.get(), copy.c_str());
    if (grown == nullptr) return false;
    list_.release();  // the grown list now owns the old nodes
    list_.reset(grown);
    return true;
}

CurlEasy makeCurlEasy() {
    if (!ensureCurlInitialized()) return nullptr;
    return CurlEasy(curlEasyInit());
}

}  // namespace orvanix
