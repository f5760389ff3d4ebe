#pragma once

#include <cstddef>
#include <string_view>

// Raw byte search used by the cutting helpers: finds the next place where a
// needle's bytes occur, without regard to character boundaries.
namespace orvanix {

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// Offset of the first occurrence of needle in text at or after from, or kNotFound.
// With ignoreCase, ASCII letters match their other case. The needle is not empty.
std::size_t findBytes(std::string_view text, std::size_t from, std::string_view needle,
                      bool ignoreCase);

// Whether two equally long byte stretches are equal, ASCII letters in either case.
bool equalIgnoringAsciiCase(const char* a, const char* b, std::size_t length);

}  // namespace orvanix
