#include "web/text_cut.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orvanix {
namespace {

using Records = std::vector<std::string>;

// GBK bytes of a few characters used below.
const std::string kZhong = "\xD6\xD0";               // 中
const std::string kFullSpace = "\xA1\xA1";           // full-width space
const std::string kQuoteWord = "#\xD2\xFD\xBA\xC5";  // #引号

struct SearchCase {
    const char* name;
    std::string text;
    std::string needle;
    int start;
    bool ignoreCase;
    int expected;
};

TEST(TextSearch, FindsOnCharacterStartsOnly) {
    const std::vector<SearchCase> cases = {
        {"plain", "hello world", "world", 1, false, 7},
        {"first occurrence wins", "abab", "ab", 1, false, 1},
        {"from start on", "abab", "ab", 2, false, 3},
        {"start below one counts as one", "abab", "ab", -5, false, 1},
        {"start beyond the last byte", "abc", "c", 4, false, -1},
        {"start on the last byte", "abc", "c", 3, false, 3},
        {"not found", "abc", "x", 1, false, -1},
        {"needle longer than the rest", "abc", "bcd", 1, false, -1},
        {"case counts", "ABC", "b", 1, false, -1},
        {"case ignored", "ABC", "b", 1, true, 2},
        {"case ignored in needle", "abc", "BC", 1, true, 2},
        {"only letters fold", "@[", "`{", 1, true, -1},
        {"second byte of a character is skipped", "\x81\x41\x41", "A", 1, false, 3},
        {"second byte skipped with case ignored", "\x81\x61\x41", "a", 1, true, 3},
        {"UTF-8 bytes step in pairs too", "\xE4\xB8\xAD<", "<", 1, false, -1},
        {"walk starts at start", "\x81\x41\x41", "A", 2, false, 2},
        {"double-byte needle on a boundary", "a" + kZhong + kZhong, kZhong, 1, false, 2},
        {"double-byte needle across two characters", "\xB0\xD6\xD0\xB0", kZhong, 1, false, -1},
        {"empty needle gives 1, not start", "abcdef", "", 5, false, 1},
        {"empty needle past the end", "abc", "", 4, false, -1},
        {"empty text", "", "", 1, false, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textSearch(c.text, c.needle, c.start, c.ignoreCase), c.expected) << c.name;
    }
}

// The walk as written: one candidate per character, compared byte by byte.
int referenceSearch(const std::string& text, const std::string& needle, int start,
                    bool ignoreCase) {
    if (start < 1) start = 1;
    auto n = static_cast<int>(text.size());
    if (start > n) return -1;
    if (needle.empty()) return 1;
    auto fold = [&](unsigned char c) {
        return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
    };
    for (int p = start - 1; p + static_cast<int>(needle.size()) <= n;) {
        bool equal = true;
        for (std::size_t k = 0; k < needle.size() && equal; ++k) {
            equal = fold(static_cast<unsigned char>(text[p + static_cast<int>(k)])) ==
                    fold(static_cast<unsigned char>(needle[k]));
        }
        if (equal) return p + 1;
        p += static_cast<unsigned char>(text[p]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

// The fast search filters blocks of candidates and checks character starts backwards;
// it must agree with the plain walk on texts dense in lead bytes, letters of both
// cases and near misses, at every length around the block size.
TEST(TextSearch, AgreesWithThePlainWalk) {
    std::mt19937 random(12345);
    const std::string alphabet = "aAbB<>\x81\xA1\xD6\xD0 ";
    auto draw = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s.push_back(alphabet[random() % alphabet.size()]);
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string text = draw(random() % 70);
        const std::string needle = draw(1 + random() % 4);
        const int start = static_cast<int>(random() % 72) - 1;
        const bool ignoreCase = random() % 2 == 0;
        ASSERT_EQ(textSearch(text, needle, start, ignoreCase),
                  referenceSearch(text, needle, start, ignoreCase))
            << "text of " << text.size() << " bytes, needle " << needle << ", start " << start;
    }
}

TEST(TextBetween, CutsTheFirstStretchWithCaseCounting) {
    const struct {
        const char* name;
        std::string text, left, right, expected;
    } cases[] = {
        {"both markers", "<b>x</b>", "<b>", "</b>", "x"},
        {"left marker missing", "<b>x</b>", "<i>", "</b>", ""},
        {"right marker missing", "<b>x</b>", "<b>", "</i>", ""},
        {"case counts", "<b>x</b>", "<B>", "</b>", ""},
        {"markers touch", "ab", "a", "b", ""},
        {"first left, next right", "[1][2]", "[", "]", "1"},
        {"right searched after the left marker", "]x[y]", "[", "]", "y"},
        {"nothing trimmed", "< x\r\n>", "<", ">", " x\r\n"},
        {"quote word in the left marker", "<a href=\"u\">", "href=" + kQuoteWord, kQuoteWord, "u"},
        {"empty left marker starts at the text", "abc", "", "c", "ab"},
        {"empty right marker gives nothing", "abc", "a", "", ""},
        {"right marker on a second byte is not found", "<\x81>>", "<", ">", "\x81>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textBetween(c.text, c.left, c.right), c.expected) << c.name;
}

TEST(AllTextsBetween, ScansRecordsInPageOrder) {
    const struct {
        const char* name;
        std::string text;
        Records expected;
    } cases[] = {
        {"trimmed records", "<li> a </li><li>b</li>", {"a", "b"}},
        {"case ignored on every search", "<LI>a</Li><li>b</LI>", {"a", "b"}},
        {"blank record ends the scan", "<li>a</li><li> </li><li>z</li>", {"a"}},
        {"empty record ends the scan", "<li></li><li>z</li>", {}},
        {"missing right marker ends the scan", "<li>a</li><li>b", {"a"}},
        {"next left marker searched from the right marker", "<li>a<li>b</li>", {"a<li>b"}},
        {"full-width spaces trimmed, line break kept",
         "<li>" + kFullSpace + "x" + kFullSpace + "\r\n</li>",
         {"x" + kFullSpace + "\r\n"}},
        {"no records", "nothing here", {}},
        {"empty text", "", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(allTextsBetween(c.text, "<li>", "</li>"), c.expected) << c.name;
    }
}

TEST(AllTextsBetween, RightMarkerMayStartTheNextRecord) {
    // The scan resumes at the right marker, so it can serve as the next left marker.
    EXPECT_EQ(allTextsBetween("|a|b|c", "|", "|"), (Records{"a", "b"}));
}

TEST(AllTextsBetween, QuoteWordIsTakenLiterally) {
    EXPECT_EQ(allTextsBetween("\"a\"", kQuoteWord, kQuoteWord), Records{});
    EXPECT_EQ(allTextsBetween(kQuoteWord + "a" + kQuoteWord, kQuoteWord, kQuoteWord), Records{"a"});
}

TEST(AllTextsBetween, EmptyMarkersEndTheScan) {
    // An empty left marker is always found at 1: one record, never an endless list.
    EXPECT_EQ(allTextsBetween("ab|cd|", "", "|"), (Records{"ab"}));
    EXPECT_EQ(allTextsBetween("ab|cd|", "|", ""), Records{});
}

TEST(BlankTrimming, TrimsHalfAndFullWidthSpacesOnly) {
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"half-width spaces", "  a b  ", "a b"},
        {"full-width spaces", kFullSpace + "a" + kFullSpace + " ", "a"},
        {"tabs and line breaks stay", "\ta\r\n", "\ta\r\n"},
        {"only blanks", " " + kFullSpace + " ", ""},
        {"empty", "", ""},
        {"lone lead byte at the end is dropped, end not trimmed", "a \x81", "a "},
        {"lone lead byte alone", "\x81", ""},
        {"lone A1 after blanks", "  \xA1", ""},
        {"A1 A1 across two characters is not a blank", "a\x81\xA1\xA1 ", "a\x81\xA1\xA1 "},
        {"20 as a second byte is not a blank", "\x81\x20", "\x81\x20"},
        {"blank before a double-byte character stays", "a " + kZhong + " ", "a " + kZhong},
        {"double-byte ending in A1 before blanks", "x\xB0\xA1 " + kFullSpace, "x\xB0\xA1"},
        {"leading full-width then lone A1", kFullSpace + "a" + "\xA1", "a"},
    };
    for (const auto& c : cases) EXPECT_EQ(blankTrimming(c.text), c.expected) << c.name;
}

// The trimming as written: one walk over the characters.
std::string referenceTrimming(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ') {
            i += 1;
        } else if (i + 1 < s.size() && s.compare(i, 2, kFullSpace) == 0) {
            i += 2;
        } else {
            break;
        }
    }
    const std::size_t begin = i;
    std::size_t end = begin;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            if (s[i] != ' ') end = i + 1;
            i += 1;
        } else if (i + 1 == s.size()) {
            return s.substr(begin, i - begin);
        } else {
            if (s.compare(i, 2, kFullSpace) != 0) end = i + 2;
            i += 2;
        }
    }
    return s.substr(begin, end - begin);
}

TEST(BlankTrimming, AgreesWithOneWalkOverTheCharacters) {
    std::mt19937 random(777);
    const std::string alphabet = " a\xA1\xA1\xA1\x81\xB0\t";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t i = random() % 14; i > 0; --i)
            text.push_back(alphabet[random() % alphabet.size()]);
        ASSERT_EQ(blankTrimming(text), referenceTrimming(text)) << "round " << round;
    }
}

}  // namespace
}  // namespace orvanix
