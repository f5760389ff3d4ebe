#pragma once

namespace orvanix {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Top-left corner that centres a window of width x height over an owner window
// at ownerLeft, ownerTop with ownerWidth x ownerHeight: left + width/2 - own
// width/2 (likewise for the top), worked out with fractions and then truncated
// toward zero. The result may lie off screen.
ScreenPoint centredPosition(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width,
                            int height);

}  // namespace orvanix
