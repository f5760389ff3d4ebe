#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvanix {

// A cell for a tab-separated line: tab, CR, LF and backslash written as "\t",
// "\r", "\n" and "\\"; everything else unchanged.
std::string escapeCell(std::string_view cell);

// One line: the escaped cells joined by tabs, then LF.
void writeRowLine(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace orvanix
