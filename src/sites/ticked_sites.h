#pragma once

#include <string>
#include <vector>

#include "sites/site_record.h"

// What the netdisk search runs on: the ticked sites with their addresses.
namespace orvanix {

// The (name, address) pairs for the ticked entries of the site list, given by
// their names in list order: for each name, every record of the table with
// exactly that name gives one pair, in table order. A name that no record has
// gives nothing; a name held by two records gives two pairs, and a name ticked
// twice is looked up twice. The table is opened once for the whole collection.
std::vector<SiteRecord> tickedSitePairs(const std::string& tablePath,
                                        const std::vector<std::string>& tickedNames);

// Which entries of a freshly loaded list are ticked: entry i (record i) is ticked
// when its name equals one of the checked-sites file's names byte for byte.
std::vector<bool> entryTicks(const std::vector<SiteRecord>& records,
                             const std::vector<std::string>& checkedNames);

// The ticked names the site list shows right after loading from these two files,
// in list order: what a search sees when nobody has changed a tick since.
std::vector<std::string> tickedNamesAfterLoad(const std::string& tablePath,
                                              const std::string& checkedSitesPath);

}  // namespace orvanix
