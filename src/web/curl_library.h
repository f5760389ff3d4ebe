#pragma once

#include <curl/curl.h>

namespace orvanix {

// libcurl is loaded the first time a transfer needs it, not at program start:
// linking it in directly would bring some twenty libraries into every start of
// the window. These functions stand for their libcurl namesakes; when libcurl
// cannot be loaded they fail the way libcurl reports failure (null handles,
// error codes), so a fetch simply returns nothing.

// Loads libcurl once per process; false when it is not available.
bool curlLibraryLoaded();

CURLcode curlGlobalInit(long flags);
CURL* curlEasyInit();
void curlEasyCleanup(CURL* handle);
CURLcode curlEasyPerform(CURL* handle);
curl_slist* curlSlistAppend(curl_slist* list, const char* text);
void curlSlistFreeAll(curl_slist* list);
CURLM* curlMultiInit();
CURLMcode curlMultiCleanup(CURLM* multi);
CURLMcode curlMultiAddHandle(CURLM* multi, CURL* handle);
CURLMcode curlMultiRemoveHandle(CURLM* multi, CURL* handle);
CURLMcode curlMultiPerform(CURLM* multi, int* running);
CURLMcode curlMultiPoll(CURLM* multi, curl_waitfd* extra, unsigned count, int timeoutMs,
                        int* ready);
CURLMsg* curlMultiInfoRead(CURLM* multi, int* queued);
CURLSH* curlShareInit();

namespace curl_detail {
struct VariadicApi {
    CURLcode (*easySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    CURLSHcode (*shareSetopt)(CURLSH*, CURLSHoption, ...) = nullptr;
};
// The variadic entry points; all null when libcurl is not loaded.
const VariadicApi& variadicApi();
}  // namespace curl_detail

template <typename Value>
CURLcode curlEasySetopt(CURL* handle, CURLoption option, Value value) {
    const auto& api = curl_detail::variadicApi();
    return api.easySetopt ? api.easySetopt(handle, option, value) : CURLE_FAILED_INIT;
}

template <typename Out>
CURLcode curlEasyGetinfo(CURL* handle, CURLINFO info, Out* out) {
    const auto& api = curl_detail::variadicApi();
    return api.easyGetinfo ? api.easyGetinfo(handle, info, out) : CURLE_FAILED_INIT;
}

template <typename Value>
CURLSHcode curlShareSetopt(CURLSH* share, CURLSHoption option, Value value) {
    const auto& api = curl_detail::variadicApi();
    return api.shareSetopt ? api.shareSetopt(share, option, value) : CURLSHE_NOT_BUILT_IN;
}

}  // namespace orvanix
