#include "app/gui/event_map.h"

namespace orvanix {

void attachSiteList(MainWindow&, ProcessState&) {}

}  // namespace orvanix
