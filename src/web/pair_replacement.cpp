#include "web/pair_replacement.h"

#include "web/text_cut.h"

namespace orvanix {

namespace {

std::string replaceOne(std::string_view text, int start, bool limitCount, int count,
                       bool caseCounts, const ReplacementPair& pair) {
    if (pair.search.empty() || (limitCount && count <= 0)) return std::string(text);
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > text.size()) return std::string(text);

    std::string result;
    result.reserve(pair.replacement.size() > pair.search.size() ? text.size() + text.size() / 2
                                                                : text.size());
    result.append(text.substr(0, static_cast<std::size_t>(start - 1)));
    int position = start;
    for (int replaced = 0; !limitCount || replaced < count; ++replaced) {
        const int at = textSearch(text, pair.search, position, !caseCounts);
        if (at == -1) break;
        result.append(text.substr(static_cast<std::size_t>(position - 1),
                                  static_cast<std::size_t>(at - position)));
        result.append(pair.replacement);
        position = at + static_cast<int>(pair.search.size());
    }
    if (static_cast<std::size_t>(position - 1) < text.size())
        result.append(text.substr(static_cast<std::size_t>(position - 1)));
    return result;
}

}  // namespace

std::string pairReplacement(std::string_view text, int start, bool limitCount, int count,
                            bool caseCounts, std::span<const ReplacementPair> pairs) {
    std::string result(text);
    for (const ReplacementPair& pair : pairs)
        result = replaceOne(result, start, limitCount, count, caseCounts, pair);
    return result;
}

std::string replaceEvery(std::string_view text, std::string_view search,
                         std::string_view replacement) {
    return replaceOne(text, 1, false, 0, true, {search, replacement});
}

}  // namespace orvanix
