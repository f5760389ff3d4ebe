#pragma once

#include "web/curl_library.h"

namespace orvanix {

// Initialises libcurl once per process, from whichever thread comes first; later
// calls wait for that and return. False when libcurl could not be initialised.
bool ensureCurlInitialized();

// The process-wide cookie store: a share handle for cookies, with locks, that every
// transfer without cookies of its caller attaches. It lives until the process ends
// (detached workers may still use it during exit, so it is never torn down).
CURLSH* sharedCookieStore();

// Forgets every cookie in the process-wide store.
void clearSharedCookies();

}  // namespace orvanix
