#pragma once

#include <string>
#include <string_view>
#include <vector>

// A regular expression run over a GBK text, with the questions the callers ask
// about its matches. The subject is searched as UTF-16; results come back as GBK.
//
// Semantics follow the script-language regular expressions the pages were written
// for: ordered alternation, lazy and greedy quantifiers with backtracking, "." matches
// everything except a line feed, global search steps past an empty match by one unit.
namespace orvanix {

struct RegexOptions {
    bool caseCounts = false;       // false: letter case is ignored
    bool multiLine = true;         // ^ and $ also match at line feeds
    bool global = true;            // every match, not only the first
    bool quoteConvention = false;  // "#引号" in the pattern stands for a double quote
};

class RegexObject {
public:
    RegexObject();
    ~RegexObject();
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // Compiles pattern and collects the matches in subject. True when the search ran,
    // also when nothing matched; false for a pattern that does not compile or a search
    // that exceeds its limits. A failed execute leaves no matches.
    bool execute(std::string_view pattern, std::string_view subject,
                 const RegexOptions& options = {});

    // The pattern of the last execute (after the quote convention), or the empty text
    // before the first execute.
    std::string patternText() const;

    // The subject with every collected match replaced. In the replacement, $1 to $99
    // give a group, $& the match, $` and $' the text before and after it, $$ a "$".
    // The empty text when the last execute failed or there was none.
    std::string replace(std::string_view replacement) const;

    int matchCount() const;
    // Match number and group number count from 1; out of range gives the empty text.
    std::string matchText(int matchNumber) const;
    std::string submatchText(int matchNumber, int submatchNumber) const;
    // The number of groups of the first match; 0 when nothing matched.
    int submatchCount() const;

private:
    struct Match {
        // Begin and end offsets of the whole match followed by each group; a group
        // that took no part in the match has begin == end == npos.
        std::vector<std::size_t> bounds;
    };

    std::string textOf(const Match& match, int group) const;
    void appendExpansion(std::u16string& out, const Match& match,
                         std::u16string_view replacement) const;

    bool ran_ = false;
    bool succeeded_ = false;
    std::string pattern_;
    std::u16string subject_;
    std::vector<Match> matches_;
};

}  // namespace orvanix
