#include "web/html_to_text.h"

#include <cstddef>

#include "web/code_page.h"

namespace orvanix {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

char16_t foldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// Whether text holds word (small ASCII letters and signs) at offset, either case.
bool startsWithIgnoringCase(std::u16string_view text, std::size_t offset,
                            std::u16string_view word) {
    if (text.size() - offset < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (foldAscii(text[offset + i]) != word[i]) return false;
    }
    return true;
}

// The next occurrence of a word at or after a position, for positions that never go
// back. The last answer is kept, so the text is searched about once in all.
class NextOccurrence {
public:
    NextOccurrence(std::u16string_view text, std::u16string_view word) : text_(text), word_(word) {}

    std::size_t from(std::size_t position) {
        if (searched_ && (found_ == npos || found_ >= position)) return found_;
        searched_ = true;
        found_ = npos;
        for (std::size_t at = position; (at = text_.find(word_.front(), at)) != npos; ++at) {
            if (startsWithIgnoringCase(text_, at, word_)) {
                found_ = at;
                break;
            }
        }
        return found_;
    }

private:
    std::u16string_view text_;
    std::u16string_view word_;
    bool searched_ = false;
    std::size_t found_ = npos;
};

// Length of the entity-like stretch at offset ("&", 1 to 8 units other than a line
// feed, ";"), the longest one; 0 when there is none.
std::size_t entityLength(std::u16string_view text, std::size_t offset) {
    std::size_t best = 0;
    for (std::size_t k = 1; k <= 8 && offset + k < text.size() && text[offset + k] != u'\n'; ++k) {
        if (offset + k + 1 < text.size() && text[offset + k + 1] == u';') best = k + 2;
    }
    return best;
}

}  // namespace

std::string htmlToText(std::string_view text) {
    const std::u16string units = gbkToUtf16(text);
    const std::u16string_view s(units);
    NextOccurrence scriptEnd(s, u"</script>");
    NextOccurrence styleEnd(s, u"</style>");
    NextOccurrence tagEnd(s, u">");

    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t next = s.find_first_of(u"<&", i);
        if (next == npos) {
            out.append(s.substr(i));
            break;
        }
        out.append(s.substr(i, next - i));
        i = next;

        std::size_t end = npos;  // one past the deleted stretch
        if (s[i] == u'<') {
            if (startsWithIgnoringCase(s, i, u"<script")) {
                const std::size_t close = scriptEnd.from(i + 7);
                if (close != npos) end = close + 9;
            }
            if (end == npos && startsWithIgnoringCase(s, i, u"<style")) {
                const std::size_t close = styleEnd.from(i + 6);
                if (close != npos) end = close + 8;
            }
            if (end == npos && i + 1 < s.size() && s[i + 1] != u'>') {
                const std::size_t close = tagEnd.from(i + 1);
                if (close != npos) end = close + 1;
            }
        } else if (const std::size_t length = entityLength(s, i); length != 0) {
            end = i + length;
        }

        if (end == npos) {
            out.push_back(s[i]);
            ++i;
        } else {
            i = end;
        }
    }
    return utf16ToGbk(out);
}

}  // namespace orvanix
