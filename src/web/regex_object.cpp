#include "web/regex_object.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>

#include "web/code_page.h"

namespace orvanix {

namespace {

struct CompileContextFree {
    void operator()(pcre2_compile_context* p) const { pcre2_compile_context_free(p); }
};
struct CodeFree {
    void operator()(pcre2_code* p) const { pcre2_code_free(p); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* p) const { pcre2_match_data_free(p); }
};
using CompileContext = std::unique_ptr<pcre2_compile_context, CompileContextFree>;
using Code = std::unique_ptr<pcre2_code, CodeFree>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataFree>;

constexpr std::size_t kUnset = static_cast<std::size_t>(-1);

PCRE2_SPTR16 units(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR16>(text.data());
}

std::string applyQuoteConvention(std::string_view pattern) {
    static constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";  // "#引号"
    std::string result;
    std::size_t done = 0;
    for (std::size_t at; (at = pattern.find(kQuoteWord, done)) != std::string_view::npos;) {
        result.append(pattern.substr(done, at - done));
        result.push_back('"');
        done = at + kQuoteWord.size();
    }
    result.append(pattern.substr(done));
    return result;
}

Code compile(std::u16string_view pattern, const RegexOptions& options) {
    CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context) return nullptr;
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);
    uint32_t flags = PCRE2_ALT_BSUX | PCRE2_DOLLAR_ENDONLY;
    if (!options.caseCounts) flags |= PCRE2_CASELESS;
    if (options.multiLine) flags |= PCRE2_MULTILINE;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    Code code(
        pcre2_compile(units(pattern), pattern.size(), flags, &error, &errorOffset, context.get()));
    if (code) pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);  // falls back when unsupported
    return code;
}

}  // namespace

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;

bool RegexObject::execute(std::string_view pattern, std::string_view subject,
                          const RegexOptions& options) {
    ran_ = true;
    succeeded_ = false;
    matches_.clear();
    pattern_ = options.quoteConvention ? applyQuoteConvention(pattern) : std::string(pattern);
    subject_ = gbkToUtf16(subject);

    const Code code = compile(gbkToUtf16(pattern_), options);
    if (!code) return false;
    const MatchData data(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    if (!data) return false;

    const std::size_t size = subject_.size();
    std::size_t from = 0;
    while (from <= size) {
        const int rc = pcre2_match(code.get(), units(subject_), size, from, 0, data.get(), nullptr);
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc < 0) {
            matches_.clear();
            return false;
        }
        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data.get());
        const uint32_t pairs = pcre2_get_ovector_count(data.get());
        Match match;
        match.bounds.reserve(2 * pairs);
        for (uint32_t i = 0; i < 2 * pairs; ++i) {
            const bool set = i / 2 < static_cast<uint32_t>(rc) && vector[i] != PCRE2_UNSET;
            match.bounds.push_back(set ? vector[i] : kUnset);
        }
        const std::size_t begin = match.bounds[0];
        const std::size_t end = match.bounds[1];
        matches_.push_back(std::move(match));
        if (!options.global) break;
        // After an empty match the next search starts one unit further on.
        from = end > begin ? end : end + 1;
    }
    succeeded_ = true;
    return true;
}

std::string RegexObject::patternText() const {
    return ran_ ? pattern_ : std::string();
}

int RegexObject::matchCount() const {
    return static_cast<int>(matches_.size());
}

int RegexObject::submatchCount() const {
    if (matches_.empty()) return 0;
    return static_cast<int>(matches_.front().bounds.size() / 2) - 1;
}

std::string RegexObject::textOf(const Match& match, int group) const {
    const auto index = static_cast<std::size_t>(group) * 2;
    if (index + 1 >= match.bounds.size() || match.bounds[index] == kUnset) return {};
    const std::size_t begin = match.bounds[index];
    return utf16ToGbk(std::u16string_view(subject_).substr(begin, match.bounds[index + 1] - begin));
}

std::string RegexObject::matchText(int matchNumber) const {
    if (matchNumber < 1 || matchNumber > matchCount()) return {};
    return textOf(matches_[static_cast<std::size_t>(matchNumber - 1)], 0);
}

std::string RegexObject::submatchText(int matchNumber, int submatchNumber) const {
    if (matchNumber < 1 || matchNumber > matchCount() || submatchNumber < 1) return {};
    return textOf(matches_[static_cast<std::size_t>(matchNumber - 1)], submatchNumber);
}

void RegexObject::appendExpansion(std::u16string& out, const Match& match,
                                  std::u16string_view replacement) const {
    const std::u16string_view subject(subject_);
    const std::size_t groups = match.bounds.size() / 2 - 1;
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    auto appendGroup = [&](std::size_t group) {
        const std::size_t begin = match.bounds[2 * group];
        if (begin != kUnset) out.append(subject.substr(begin, match.bounds[2 * group + 1] - begin));
    };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t c = replacement[i];
        if (c != u'$' || i + 1 == replacement.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t next = replacement[i + 1];
        if (next == u'$') {
            out.push_back(u'$');
            ++i;
        } else if (next == u'&') {
            appendGroup(0);
            ++i;
        } else if (next == u'`') {
            out.append(subject.substr(0, match.bounds[0]));
            ++i;
        } else if (next == u'\'') {
            out.append(subject.substr(match.bounds[1]));
            ++i;
        } else if (isDigit(next)) {
            // Two digits when they name a group, else one; a number naming no group
            // stays as written.
            std::size_t number = static_cast<std::size_t>(next - u'0');
            std::size_t used = 1;
            if (i + 2 < replacement.size() && isDigit(replacement[i + 2])) {
                const std::size_t two =
                    number * 10 + static_cast<std::size_t>(replacement[i + 2] - u'0');
                if (two >= 1 && two <= groups) {
                    number = two;
                    used = 2;
                }
            }
            if (number >= 1 && number <= groups) {
                appendGroup(number);
                i += used;
            } else {
                out.push_back(c);
            }
        } else {
            out.push_back(c);
        }
    }
}

std::string RegexObject::replace(std::string_view replacement) const {
    if (!succeeded_) return {};
    const std::u16string replacementUnits = gbkToUtf16(replacement);
    const std::u16string_view subject(subject_);
    std::u16string out;
    out.reserve(subject.size());
    std::size_t done = 0;
    for (const Match& match : matches_) {
        out.append(subject.substr(done, match.bounds[0] - done));
        appendExpansion(out, match, replacementUnits);
        done = match.bounds[1];
    }
    out.append(subject.substr(done));
    return utf16ToGbk(out);
}

}  // namespace orvanix
