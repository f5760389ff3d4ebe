#include <gtest/gtest.h>

#include "sites/centred_position.h"

namespace orvanix {
namespace {

struct Case {
    int left, top, width, height;
    ScreenPoint expected;
};

// The add-site dialog (263 x 204) over its owner: halves are added as fractions
// and the sum is truncated toward zero, also off screen.
TEST(CentredPosition, CentresAndTruncatesTowardZero) {
    const Case cases[] = {
        {50, 50, 943, 620, {390, 258}},        // 50 + 471.5 - 131.5, 50 + 310 - 102
        {0, 0, 944, 621, {340, 208}},          // 340.5 and 208.5 truncate down
        {-500, -400, 944, 621, {-159, -191}},  // -159.5 and -191.5 truncate up
        {-2000, 3000, 263, 204, {-2000, 3000}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(centredPosition(c.left, c.top, c.width, c.height, 263, 204), c.expected)
            << c.left << "," << c.top;
    }
}

}  // namespace
}  // namespace orvanix
