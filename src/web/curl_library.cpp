#include "web/curl_library.h"

#include <dlfcn.h>

namespace orvanix {

namespace {

struct Api {
    curl_detail::VariadicApi variadic;
    CURLcode (*globalInit)(long) = nullptr;
    CURL* (*easyInit)() = nullptr;
    void (*easyCleanup)(CURL*) = nullptr;
    CURLcode (*easyPerform)(CURL*) = nullptr;
    curl_slist* (*slistAppend)(curl_slist*, const char*) = nullptr;
    void (*slistFreeAll)(curl_slist*) = nullptr;
    CURLM* (*multiInit)() = nullptr;
    CURLMcode (*multiCleanup)(CURLM*) = nullptr;
    CURLMcode (*multiAddHandle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*multiRemoveHandle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*multiPerform)(CURLM*, int*) = nullptr;
    CURLMcode (*multiPoll)(CURLM*, curl_waitfd*, unsigned, int, int*) = nullptr;
    CURLMsg* (*multiInfoRead)(CURLM*, int*) = nullptr;
    CURLSH* (*shareInit)() = nullptr;
    bool loaded = false;
};

template <typename Function>
bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

Api load() {
    Api api;
    // The library stays loaded for the rest of the process.
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library) return api;
    const bool complete = resolve(library, "curl_easy_setopt", api.variadic.easySetopt) &&
                          resolve(library, "curl_easy_getinfo", api.variadic.easyGetinfo) &&
                          resolve(library, "curl_share_setopt", api.variadic.shareSetopt) &&
                          resolve(library, "curl_global_init", api.globalInit) &&
                          resolve(library, "curl_easy_init", api.easyInit) &&
                          resolve(library, "curl_easy_cleanup", api.easyCleanup) &&
                          resolve(library, "curl_easy_perform", api.easyPerform) &&
                          resolve(library, "curl_slist_append", api.slistAppend) &&
                          resolve(library, "curl_slist_free_all", api.slistFreeAll) &&
                          resolve(library, "curl_multi_init", api.multiInit) &&
                          resolve(library, "curl_multi_cleanup", api.multiCleanup) &&
                          resolve(library, "curl_multi_add_handle", api.multiAddHandle) &&
                          resolve(library, "curl_multi_remove_handle", api.multiRemoveHandle) &&
                          resolve(library, "curl_multi_perform", api.multiPerform) &&
                          resolve(library, "curl_multi_poll", api.multiPoll) &&
                          resolve(library, "curl_multi_info_read", api.multiInfoRead) &&
                          resolve(library, "curl_share_init", api.shareInit);
    if (!complete) return Api{};
    api.loaded = true;
    return api;
}

const Api& api() {
    static const Api loaded = load();  // thread-safe, once
    return loaded;
}

}  // namespace

bool curlLibraryLoaded() {
    return api().loaded;
}

const curl_detail::VariadicApi& curl_detail::variadicApi() {
    return api().variadic;
}

CURLcode curlGlobalInit(long flags) {
    return api().loaded ? api().globalInit(flags) : CURLE_FAILED_INIT;
}

CURL* curlEasyInit() {
    return api().loaded ? api().easyInit() : nullptr;
}

void curlEasyCleanup(CURL* handle) {
    if (api().loaded) api().easyCleanup(handle);
}

CURLcode curlEasyPerform(CURL* handle) {
    return api().loaded ? api().easyPerform(handle) : CURLE_FAILED_INIT;
}

curl_slist* curlSlistAppend(curl_slist* list, const char* text) {
    return api().loaded ? api().slistAppend(list, text) : nullptr;
}

void curlSlistFreeAll(curl_slist* list) {
    if (api().loaded) api().slistFreeAll(list);
}

CURLM* curlMultiInit() {
    return api().loaded ? api().multiInit() : nullptr;
}

CURLMcode curlMultiCleanup(CURLM* multi) {
    return api().loaded ? api().multiCleanup(multi) : CURLM_BAD_HANDLE;
}

CURLMcode curlMultiAddHandle(CURLM* multi, CURL* handle) {
    return api().loaded ? api().multiAddHandle(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode curlMultiRemoveHandle(CURLM* multi, CURL* handle) {
    return api().loaded ? api().multiRemoveHandle(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode curlMultiPerform(CURLM* multi, int* running) {
    return api().loaded ? api().multiPerform(multi, running) : CURLM_BAD_HANDLE;
}

CURLMcode curlMultiPoll(CURLM* multi, curl_waitfd* extra, unsigned count, int timeoutMs,
                        int* ready) {
    return api().loaded ? api().multiPoll(multi, extra, count, timeoutMs, ready) : CURLM_BAD_HANDLE;
}

CURLMsg* curlMultiInfoRead(CURLM* multi, int* queued) {
    return api().loaded ? api().multiInfoRead(multi, queued) : nullptr;
}

CURLSH* curlShareInit() {
    return api().loaded ? api().shareInit() : nullptr;
}

}  // namespace orvanix
