#include "app/ini_file_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanix {
namespace {

// GBK names used below: 全局 and 选择夹.
const std::string kGlobal = "\xC8\xAB\xBE\xD6";
const std::string kPage = "\xD1\xA1\xD4\xF1\xBC\xD0";

struct FindCase {
    const char* what;
    std::string contents;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
    friend void PrintTo(const FindCase& c, std::ostream* out) { *out << c.what; }
};

class IniFind : public testing::TestWithParam<FindCase> {};

TEST_P(IniFind, FindsTheValue) {
    const FindCase& c = GetParam();
    EXPECT_EQ(findIniValue(c.contents, c.section, c.key), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFind,
    testing::Values(
        FindCase{"plain", "[" + kGlobal + "]\r\n" + kPage + "=3\r\n", kGlobal, kPage, "3"},
        FindCase{"missing file contents", "", kGlobal, kPage, std::nullopt},
        FindCase{"missing section", "[other]\r\na=1\r\n", "main", "a", std::nullopt},
        FindCase{"missing key", "[main]\r\nb=1\r\n", "main", "a", std::nullopt},
        FindCase{"key of another section", "[x]\r\na=1\r\n[main]\r\nb=2\r\n", "main", "a",
                 std::nullopt},
        FindCase{"key before any section", "a=1\r\n[main]\r\n", "main", "a", std::nullopt},
        FindCase{"ASCII case ignored", "[OrVaN]\r\nKeY=v\r\n", "orvan", "key", "v"},
        FindCase{"blanks around names", "  [ main ]  \r\n\t a \t= v\r\n", "main", "a", " v"},
        FindCase{"value kept as stored", "[m]\r\na=  x = y \r\n", "m", "a", "  x = y "},
        FindCase{"empty value", "[m]\r\na=\r\n", "m", "a", ""},
        FindCase{"LF-only lines", "[m]\nb=1\na=2\n", "m", "a", "2"},
        FindCase{"last line without break", "[m]\r\na=2", "m", "a", "2"},
        FindCase{"first of two sections", "[m]\r\na=1\r\n[M]\r\na=2\r\n", "m", "a", "1"},
        FindCase{"first of two keys", "[m]\r\na=1\r\nA=2\r\n", "m", "a", "1"},
        FindCase{"second section not searched", "[m]\r\nb=1\r\n[m]\r\na=2\r\n", "m", "a",
                 std::nullopt},
        FindCase{"comment is no key", "[m]\r\n;a=1\r\n", "m", "a", std::nullopt},
        FindCase{"line without = is no key", "[m]\r\na\r\n", "m", "a", std::nullopt},
        FindCase{"unclosed bracket is no section", "[m\r\na=1\r\n", "m", "a", std::nullopt},
        FindCase{"value ends at a zero byte", std::string("[m]\r\na=x\0y\r\n", 12), "m", "a", "x"},
        // 0x8141 and 0x8161 differ only in an ASCII-case trail byte: different characters.
        FindCase{"double-byte names match exactly", "[\x81\x41]\r\na=1\r\n", "\x81\x61", "a",
                 std::nullopt},
        FindCase{"double-byte names match", "[\x81\x41]\r\na=1\r\n", "\x81\x41", "a", "1"},
        // 0x815D ends in the byte of "]": it does not close the section name.
        FindCase{"bracket as trail byte",
                 "[\x81\x5D"
                 "x]\r\na=1\r\n",
                 "\x81\x5D"
                 "x",
                 "a", "1"},
        FindCase{"invalid GBK read as bytes", "[m]\r\n\xFF\xFF=1\r\na=\x80\xFF\r\n", "m", "a",
                 "\x80\xFF"}));

TEST(IniFind, CutsLongValuesAt10239Bytes) {
    const std::string value(20000, 'v');
    EXPECT_EQ(findIniValue("[m]\r\na=" + value + "\r\n", "m", "a"), value.substr(0, 10239));

    // A double-byte character across the limit is left out whole.
    const std::string wide = std::string(10238, 'v') + "\xB0\xA1" + "tail";
    EXPECT_EQ(findIniValue("[m]\r\na=" + wide, "m", "a"), std::string(10238, 'v'));
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
    friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.what; }
};

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(withIniValue(c.before, c.section, c.key, c.value), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        WriteCase{"new file", "", kGlobal, kPage, "0", "[" + kGlobal + "]\r\n" + kPage + "=0\r\n"},
        WriteCase{"replace in place, case and blanks of the key kept",
                  "[M]\r\n Key = old\r\nz=1\r\n", "m", "key", "new", "[M]\r\n Key =new\r\nz=1\r\n"},
        WriteCase{"replace on an LF-only line", "[m]\na=1\nb=2\n", "m", "a", "9",
                  "[m]\na=9\nb=2\n"},
        WriteCase{"replace on the last line without break", "[m]\r\na=1", "m", "a", "22",
                  "[m]\r\na=22"},
        WriteCase{"add key after the section's last line, before blank lines",
                  "[m]\r\nb=1\r\n\r\n\r\n[n]\r\n", "m", "a", "2",
                  "[m]\r\nb=1\r\na=2\r\n\r\n\r\n[n]\r\n"},
        WriteCase{"add key to a section at the end without break", "[m]\r\nb=1", "m", "a", "2",
                  "[m]\r\nb=1\r\na=2\r\n"},
        WriteCase{"add key to an empty section", "[m]\r\n[n]\r\n", "m", "a", "2",
                  "[m]\r\na=2\r\n[n]\r\n"},
        WriteCase{"add section after a last line without break", "x=1", "m", "a", "2",
                  "x=1\r\n[m]\r\na=2\r\n"},
        WriteCase{"add section to an LF file", "[n]\nx=1\n", "m", "a", "2",
                  "[n]\nx=1\n[m]\r\na=2\r\n"},
        WriteCase{"only the first of two sections changes", "[m]\r\na=1\r\n[m]\r\na=1\r\n", "m",
                  "a", "2", "[m]\r\na=2\r\n[m]\r\na=1\r\n"},
        WriteCase{"a line break in the value cannot add a line", "[m]\r\na=1\r\n", "m", "a",
                  "x\r\n[evil]\r\nb=2", "[m]\r\na=x\r\n"},
        WriteCase{"long value written whole", "", "m", "a", std::string(12000, 'v'),
                  "[m]\r\na=" + std::string(12000, 'v') + "\r\n"}));

// A hand-kept file with comments, blank lines, odd case, unknown keys, LF and
// CR LF lines: a series of writes changes exactly the bytes of the values.
TEST(IniWrite, SeriesOfWritesIsByteExact) {
    const std::string netdisk = "Orvan\xCD\xF8\xC5\xCC\xCB\xD1\xCB\xF7";  // Orvan网盘搜索
    const std::string keyword = "\xCB\xD1\xCB\xF7\xC4\xDA\xC8\xDD";       // 搜索内容
    const std::string count = "\xCB\xD1\xCB\xF7\xCA\xFD\xC1\xBF";         // 搜索数量
    std::string file =
        "; settings\r\n"
        "\r\n"
        "[" +
        kGlobal +
        "]\r\n"
        "unknown = keep me\r\n" +
        kPage +
        "=1\r\n"
        "\r\n"
        "[oRVAN\xCD\xF8\xC5\xCC\xCB\xD1\xCB\xF7]\n" +
        keyword +
        "=\xC4\xE3\xBA\xC3\n"
        "# trailing comment\r\n";

    file = withIniValue(file, kGlobal, kPage, "4");
    file = withIniValue(file, netdisk, keyword, "abc");
    file = withIniValue(file, netdisk, count, "2");
    file = withIniValue(file, "\xB9\xBA\xCE\xEF", keyword, "x");  // 购物

    const std::string expected =
        "; settings\r\n"
        "\r\n"
        "[" +
        kGlobal +
        "]\r\n"
        "unknown = keep me\r\n" +
        kPage +
        "=4\r\n"
        "\r\n"
        "[oRVAN\xCD\xF8\xC5\xCC\xCB\xD1\xCB\xF7]\n" +
        keyword +
        "=abc\n"
        "# trailing comment\r\n" +
        count +
        "=2\r\n"
        "[\xB9\xBA\xCE\xEF]\r\n" +
        keyword + "=x\r\n";
    EXPECT_EQ(file, expected);
}

TEST(IniWrite, WhatIsWrittenIsReadBack) {
    std::string file = "[m]\r\nb=1\r\n";
    for (const char* value : {"", "1", " padded ", "a=b", "\xC4\xE3\xBA\xC3"}) {
        file = withIniValue(file, "M", "A", value);
        EXPECT_EQ(findIniValue(file, "m", "a"), value);
        EXPECT_EQ(findIniValue(file, "m", "b"), "1");
    }
}

TEST(IniNames, WritableNames) {
    EXPECT_TRUE(isWritableIniName(kGlobal, kPage));
    EXPECT_FALSE(isWritableIniName("", "a"));
    EXPECT_FALSE(isWritableIniName("m", " "));
    EXPECT_FALSE(isWritableIniName("m]", "a"));
    EXPECT_FALSE(isWritableIniName("m", "a=b"));
    EXPECT_FALSE(isWritableIniName("m\r\n", "a"));
    EXPECT_FALSE(isWritableIniName(" m", "a"));
    EXPECT_FALSE(isWritableIniName("m\xF5", "a"));  // half a double-byte character
    EXPECT_TRUE(isWritableIniName("m\xF5\x41", "a"));
    EXPECT_FALSE(isWritableIniName("m", "a\t"));
    EXPECT_FALSE(isWritableIniName("m", "[a]"));
    EXPECT_FALSE(isWritableIniName(std::string("m\0", 2), "a"));
}

}  // namespace
}  // namespace orvanix
