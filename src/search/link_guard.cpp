#include "search/link_guard.h"

namespace orvanix {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

bool isWebLink(std::string_view link) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (startsWithIgnoringCase(link, scheme) && link.size() > scheme.size()) return true;
    }
    return false;
}

}  // namespace orvanix
