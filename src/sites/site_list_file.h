#pragma once

#include <string_view>
#include <vector>

#include "sites/site_record.h"

namespace orvanix {

// Reads the plain-text list of the sites that ship with the program: UTF-8 lines of
// name, tab, address. Empty lines and lines starting with "#" are skipped, as is a
// line without a tab; a CR before the line end is dropped. The records come back
// as GBK text, in file order.
std::vector<SiteRecord> parseSiteList(std::string_view utf8);

}  // namespace orvanix
