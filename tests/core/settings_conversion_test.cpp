#include "app/settings_conversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace orvanix {
namespace {

struct ConversionCase {
    std::string text;
    int number;   // toNumber
    int integer;  // toInteger
    friend void PrintTo(const ConversionCase& c, std::ostream* out) {
        *out << testing::PrintToString(c.text);
    }
};

class SettingConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(SettingConversion, ToNumberAndToInteger) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(toNumber(c.text), c.number) << '"' << c.text << '"';
    EXPECT_EQ(toInteger(c.text), c.integer) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingConversion,
    testing::Values(
        ConversionCase{"", 0, 0}, ConversionCase{"4", 4, 4}, ConversionCase{"40", 40, 40},
        ConversionCase{"-3", -3, -3}, ConversionCase{"3abc", 3, 3}, ConversionCase{"abc", 0, 0},
        ConversionCase{"\xA3\xB3", 3, 3},                      // full-width 3
        ConversionCase{"\xA3\xAD\xA3\xB1\xA3\xB2", -12, -12},  // full-width -12
        ConversionCase{"\xA1\xA1 7", 7, 7},                    // full-width space
        ConversionCase{"2.9", 2, 2}, ConversionCase{"-2.9", -2, -2}, ConversionCase{" \t+5x", 5, 5},
        ConversionCase{".5", 0, 0}, ConversionCase{"5.", 5, 5}, ConversionCase{"1e1", 10, 1},
        ConversionCase{"1.5E1", 15, 1}, ConversionCase{"25e-1", 2, 25}, ConversionCase{"3e", 3, 3},
        ConversionCase{"3e+", 3, 3}, ConversionCase{"- 3", 0, 0}, ConversionCase{"0x10", 0, 0},
        ConversionCase{"1e400", INT_MAX, 1}, ConversionCase{"-1e400", INT_MIN, -1},
        ConversionCase{"1e-400", 0, 1}, ConversionCase{"99999999999", INT_MAX, INT_MAX},
        ConversionCase{"-99999999999", INT_MIN, INT_MIN}, ConversionCase{"inf", 0, 0},
        ConversionCase{"nan", 0, 0}));

TEST(FullWidthToAscii, ReplacesOnlyTheFullWidthRowAndSpace) {
    // Ａｂ１～ and the full-width space become ASCII.
    EXPECT_EQ(fullWidthToAscii("\xA3\xC1\xA3\xE2\xA3\xB1\xA3\xFE\xA1\xA1"), "Ab1~ ");
    // 0xB0A3 ends in 0xA3: it is a character of its own and stays, as does the
    // following full-width digit.
    EXPECT_EQ(fullWidthToAscii("\xB0\xA3\xA3\xB3"),
              "\xB0\xA3"
              "3");
    // Other double-byte characters, a lone lead byte at the end, and ASCII stay.
    EXPECT_EQ(fullWidthToAscii("\xC4\xE3x\xA3"), "\xC4\xE3x\xA3");
}

}  // namespace
}  // namespace orvanix
