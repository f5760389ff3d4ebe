#include "sites/centred_position.h"

namespace orvanix {

ScreenPoint centredPosition(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width,
                            int height) {
    // Halves are exact in doubles; the cast truncates toward zero.
    const auto centre = [](int start, int ownerSize, int size) {
        return static_cast<int>(start + ownerSize / 2.0 - size / 2.0);
    };
    return {centre(ownerLeft, ownerWidth, width), centre(ownerTop, ownerHeight, height)};
}

}  // namespace orvanix
