#pragma once

#include <span>
#include <string>
#include <string_view>

// Search-and-replace over GBK text; searches step over double-byte characters as
// textSearch does, so a match never starts on the second byte of a character.
namespace orvanix {

struct ReplacementPair {
    std::string_view search;
    std::string_view replacement;
};

// Applies the pairs one after another, each to the result of the one before. A pair
// replaces every occurrence of its search text from byte position start on (0 or
// less means 1), or at most count occurrences when limitCount is set. ASCII letters
// match in either case unless caseCounts is set. A pair with an empty search text
// changes nothing; replacements are not searched again.
std::string pairReplacement(std::string_view text, int start, bool limitCount, int count,
                            bool caseCounts, std::span<const ReplacementPair> pairs);

// Every occurrence of search replaced, case counting, from the first byte on.
std::string replaceEvery(std::string_view text, std::string_view search,
                         std::string_view replacement);

}  // namespace orvanix
