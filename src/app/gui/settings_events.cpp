#include "app/gui/event_map.h"

namespace orvanix {

void attachSettings(MainWindow&, ProcessState&) {}

}  // namespace orvanix
