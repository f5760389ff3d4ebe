#include "app/gui/event_map.h"

namespace orvanix {

void wireEventMap(MainWindow& window, ProcessState& state) {
    attachSettings(window, state);
    attachSiteList(window, state);
    attachSearch(window, state);
}

}  // namespace orvanix
