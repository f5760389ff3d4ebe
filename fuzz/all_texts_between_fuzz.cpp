// Cuts records out of arbitrary bytes and checks the fast searches against a plain
// walk over the characters.
//
// Input: one byte giving the left marker's length (low nibble) and the right
// marker's (high nibble), the markers, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/text_cut.h"

namespace {

unsigned char fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

int plainSearch(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > text.size()) return -1;
    if (needle.empty()) return 1;
    for (std::size_t p = static_cast<std::size_t>(start - 1); p + needle.size() <= text.size();) {
        bool equal = true;
        for (std::size_t k = 0; k < needle.size() && equal; ++k) {
            const auto a = static_cast<unsigned char>(text[p + k]);
            const auto b = static_cast<unsigned char>(needle[k]);
            equal = ignoreCase ? fold(a) == fold(b) : a == b;
        }
        if (equal) return static_cast<int>(p + 1);
        p += static_cast<unsigned char>(text[p]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

// Leading blanks are always trimmed; the end may keep a blank before a dropped lone
// lead byte.
bool startsWithBlank(const std::string& s) {
    return s.front() == ' ' || s.rfind("\xA1\xA1", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t leftLength = data[0] & 0x0F;
    const std::size_t rightLength = data[0] >> 4;
    if (size < 1 + leftLength + rightLength) return 0;
    const std::string_view left = input.substr(1, leftLength);
    const std::string_view right = input.substr(1 + leftLength, rightLength);
    const std::string_view text = input.substr(1 + leftLength + rightLength);

    for (const bool ignoreCase : {false, true}) {
        for (const int start : {1, 2, 3, static_cast<int>(text.size() / 2)}) {
            if (orvanix::textSearch(text, left, start, ignoreCase) !=
                plainSearch(text, left, start, ignoreCase))
                std::abort();
        }
    }

    const std::string between = orvanix::textBetween(text, left, right);
    if (between.size() > text.size()) std::abort();

    const auto records = orvanix::allTextsBetween(text, left, right);
    std::size_t total = 0;
    for (const std::string& record : records) {
        if (record.empty() || startsWithBlank(record)) std::abort();
        total += record.size();
    }
    if (total > text.size()) std::abort();

    if (orvanix::blankTrimming(text).size() > text.size()) std::abort();
    return 0;
}
