#include "web/curl_global.h"

#include <array>
#include <mutex>

#include "web/curl_handles.h"

namespace orvanix {

bool ensureCurlInitialized() {
    static const bool initialized = curlGlobalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialized;
}

namespace {

// One mutex per kind of shared data libcurl may lock.
std::array<std::mutex, CURL_LOCK_DATA_LAST>& shareLocks() {
    static std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
    return locks;
}

void lockShare(CURL*, curl_lock_data data, curl_lock_access, void*) {
    shareLocks()[static_cast<std::size_t>(data)].lock();
}

void unlockShare(CURL*, curl_lock_data data, void*) {
    shareLocks()[static_cast<std::size_t>(data)].unlock();
}

CURLSH* createCookieStore() {
    if (!ensureCurlInitialized()) return nullptr;
    CURLSH* share = curlShareInit();
    if (share == nullptr) return nullptr;
    shareLocks();  // constructed before any transfer can lock
    curlShareSetopt(share, CURLSHOPT_LOCKFUNC, lockShare);
    curlShareSetopt(share, CURLSHOPT_UNLOCKFUNC, unlockShare);
    curlShareSetopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    return share;
}

}  // namespace

CURLSH* sharedCookieStore() {
    static CURLSH* const store = createCookieStore();
    return store;
}

void clearSharedCookies() {
    CURLSH* store = sharedCookieStore();
    if (store == nullptr) return;
    const CurlEasy easy = makeCurlEasy();
    if (!easy) return;
    curlEasySetopt(easy.get(), CURLOPT_SHARE, store);
    curlEasySetopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
}

}  // namespace orvanix
