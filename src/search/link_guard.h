#pragma once

#include <string_view>

namespace orvanix {

// Whether a link cut from a page may be handed to the desktop's open service:
// only http and https addresses (scheme case ignored) with something after the
// scheme. File paths, other schemes and the empty text are not opened.
bool isWebLink(std::string_view link);

}  // namespace orvanix
