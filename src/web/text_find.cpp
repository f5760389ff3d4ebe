#include "web/text_find.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvanix {

namespace {

bool isAsciiLetter(unsigned char c) {
    return (c | 0x20u) >= 'a' && (c | 0x20u) <= 'z';
}

unsigned char foldCase(unsigned char c) {
    return isAsciiLetter(c) ? static_cast<unsigned char>(c | 0x20u) : c;
}

#if defined(__SSE2__)
// A lane filter for one needle byte: a text byte passes when (byte | orMask) == value.
// For letters with case ignored, setting bit 0x20 folds both cases onto the small letter;
// a few other bytes fold along and are rejected by the full comparison afterwards.
struct ByteFilter {
    __m128i orMask;
    __m128i value;

    ByteFilter(unsigned char c, bool ignoreCase) {
        const bool fold = ignoreCase && isAsciiLetter(c);
        orMask = _mm_set1_epi8(static_cast<char>(fold ? 0x20 : 0));
        value = _mm_set1_epi8(static_cast<char>(fold ? foldCase(c) : c));
    }
    __m128i match(__m128i block) const {
        return _mm_cmpeq_epi8(_mm_or_si128(block, orMask), value);
    }
};
#endif

bool bytesEqual(const char* a, const char* b, std::size_t length, bool ignoreCase) {
    return ignoreCase ? equalIgnoringAsciiCase(a, b, length) : std::memcmp(a, b, length) == 0;
}

std::size_t findSingleByte(std::string_view text, std::size_t from, unsigned char c,
                           bool ignoreCase) {
    const char* base = text.data();
    const std::size_t size = text.size();
    if (!ignoreCase || !isAsciiLetter(c)) {
        const void* hit = std::memchr(base + from, c, size - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : kNotFound;
    }
    std::size_t i = from;
#if defined(__SSE2__)
    const ByteFilter filter(c, true);
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
        const int mask = _mm_movemask_epi8(filter.match(block));
        if (mask != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    const unsigned char folded = foldCase(c);
    for (; i < size; ++i) {
        if (foldCase(static_cast<unsigned char>(base[i])) == folded) return i;
    }
    return kNotFound;
}

}  // namespace

bool equalIgnoringAsciiCase(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y && foldCase(x) != foldCase(y)) return false;
    }
    return true;
}

// Blocks of 16 candidate starts are filtered by the needle's first and last byte at
// once; only starts that pass both are compared in full.
std::size_t findBytes(std::string_view text, std::size_t from, std::string_view needle,
                      bool ignoreCase) {
    const std::size_t size = text.size();
    const std::size_t length = needle.size();
    if (length == 0 || from > size || size - from < length) return kNotFound;
    const auto first = static_cast<unsigned char>(needle.front());
    if (length == 1) return findSingleByte(text, from, first, ignoreCase);

    const char* base = text.data();
    const std::size_t lastStart = size - length;  // the last start at which needle fits
    std::size_t i = from;
#if defined(__SSE2__)
    const std::size_t lastOffset = length - 1;
    const ByteFilter firstFilter(first, ignoreCase);
    const ByteFilter lastFilter(static_cast<unsigned char>(needle.back()), ignoreCase);
    for (; i + 16 <= lastStart + 1; i += 16) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
        const __m128i tail =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i + lastOffset));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(firstFilter.match(head), lastFilter.match(tail))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (bytesEqual(base + at, needle.data(), length, ignoreCase)) return at;
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (bytesEqual(base + i, needle.data(), length, ignoreCase)) return i;
    }
    return kNotFound;
}

}  // namespace orvanix
