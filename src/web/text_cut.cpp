#include "web/text_cut.h"

#include <cstddef>

#include "web/text_find.h"

namespace orvanix {

namespace {

bool isHigh(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Tells whether offsets are character starts when the text is walked character by
// character from a given offset. An offset right after a byte below 0x80 is always a
// start, so the answer only depends on the parity of the run of bytes of 0x80 or
// above that ends just before it. Candidates are asked in increasing order; the
// offset of a known start moves forward with them, so no byte is looked at twice.
class CharacterStarts {
public:
    CharacterStarts(std::string_view text, std::size_t walkStart)
        : text_(text), knownStart_(walkStart) {}

    bool isStart(std::size_t offset) {
        std::size_t runBegin = offset;
        while (runBegin > knownStart_ && isHigh(text_[runBegin - 1])) --runBegin;
        const bool start = (offset - runBegin) % 2 == 0;
        // Either offset is a start, or the lead byte before it is and offset + 1 is.
        knownStart_ = start ? offset : offset + 1;
        return start;
    }

private:
    std::string_view text_;
    std::size_t knownStart_;
};

// Offset of needle at or after the 0-based from, on a character start of the walk
// that begins at from, or kNotFound. The needle is not empty.
std::size_t findOnCharacterStart(std::string_view text, std::string_view needle, std::size_t from,
                                 bool ignoreCase) {
    CharacterStarts starts(text, from);
    std::size_t at = from;
    while ((at = findBytes(text, at, needle, ignoreCase)) != kNotFound) {
        if (starts.isStart(at)) return at;
        ++at;
    }
    return kNotFound;
}

// Replaces every "#引号" (GBK 23 D2 FD BA C5) by a double quote.
std::string withQuotes(std::string_view marker) {
    static constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";
    std::string result;
    std::size_t done = 0;
    for (;;) {
        const std::size_t at = findOnCharacterStart(marker, kQuoteWord, done, false);
        if (at == kNotFound) break;
        result.append(marker.substr(done, at - done));
        result.push_back('"');
        done = at + kQuoteWord.size();
    }
    result.append(marker.substr(done));
    return result;
}

}  // namespace

int textSearch(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= text.size()) return -1;
    if (needle.empty()) return 1;
    const std::size_t at = findOnCharacterStart(text, needle, from, ignoreCase);
    return at == kNotFound ? -1 : static_cast<int>(at + 1);
}

std::string textBetween(std::string_view text, std::string_view left, std::string_view right) {
    const std::string leftMarker = withQuotes(left);
    const std::string rightMarker = withQuotes(right);
    const int l = textSearch(text, leftMarker, 1, false);
    if (l == -1) return {};
    const int s = l + static_cast<int>(leftMarker.size());
    const int r = textSearch(text, rightMarker, s, false);
    // An empty right marker is found at 1, before s: that is no stretch at all.
    if (r < s) return {};
    return std::string(
        text.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(r - s)));
}

std::vector<std::string> allTextsBetween(std::string_view text, std::string_view left,
                                         std::string_view right) {
    std::vector<std::string> records;
    int p = 1;
    for (;;) {
        const int l = textSearch(text, left, p, true);
        // An empty left marker is always found at 1; going back would repeat the
        // same record for ever, so the scan ends instead.
        if (l == -1 || l < p) break;
        const int s = l + static_cast<int>(left.size());
        const int r = textSearch(text, right, s, true);
        if (r < s) break;
        std::string record = blankTrimming(
            text.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(r - s)));
        if (record.empty()) break;
        records.push_back(std::move(record));
        p = r;
    }
    return records;
}

std::string blankTrimming(std::string_view text) {
    const std::size_t size = text.size();
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };

    std::size_t begin = 0;
    for (;;) {
        if (begin < size && byteAt(begin) == 0x20) {
            begin += 1;
        } else if (begin + 1 < size && byteAt(begin) == 0xA1 && byteAt(begin + 1) == 0xA1) {
            begin += 2;
        } else {
            break;
        }
    }

    // Only the bytes from the start of the trailing run of 20 and A1 bytes, widened
    // back over the bytes >= 0x80 before it to a known character start, can change
    // the end. Everything before that run ends in a character that is not a blank.
    std::size_t tailRun = size;
    while (tailRun > begin && (byteAt(tailRun - 1) == 0x20 || byteAt(tailRun - 1) == 0xA1))
        --tailRun;
    std::size_t walk = tailRun;
    while (walk > begin && isHigh(text[walk - 1])) --walk;

    std::size_t end = walk;  // end of the last character that is not a blank
    while (walk < size) {
        const unsigned char c = byteAt(walk);
        if (c < 0x80) {
            walk += 1;
            if (c != 0x20) end = walk;
        } else if (walk + 1 == size) {
            // A lead byte with nothing to pair with: dropped, and the end stays as is.
            return std::string(text.substr(begin, walk - begin));
        } else {
            const bool fullWidthSpace = c == 0xA1 && byteAt(walk + 1) == 0xA1;
            walk += 2;
            if (!fullWidthSpace) end = walk;
        }
    }
    if (end < begin) end = begin;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace orvanix
