#pragma once

#include <string>
#include <string_view>
#include <vector>

// The checked-sites file `xz.db`: the names of the ticked sites, one per line,
// each followed by CR LF, GBK text and nothing else.
namespace orvanix {

// The file: the run directory + "/xz.db" (just "xz.db" when the run directory is
// not known; the current directory is the run directory).
std::string checkedSitesPath();

// The file's text for these ticked names: every name followed by CR LF; empty for
// no names.
std::string checkedSitesText(const std::vector<std::string>& tickedNames);

// Splits the file's text into names at every CR LF. A trailing CR LF adds no
// empty name; an empty line between two CR LF is an empty name.
std::vector<std::string> splitCheckedSites(std::string_view text);

// The names in the file; none when the file is missing or unreadable.
std::vector<std::string> readCheckedSites(const std::string& path);

// Replaces the whole file with the lines for `tickedNames`, through a temporary
// file beside it and a rename, so that a failed write leaves the old file whole.
// Returns false when the file could not be written.
bool writeCheckedSites(const std::string& path, const std::vector<std::string>& tickedNames);

}  // namespace orvanix
