#include "sites/ticked_sites.h"

#include <algorithm>

#include "sites/checked_sites.h"
#include "sites/site_table.h"

namespace orvanix {

std::vector<SiteRecord> tickedSitePairs(const std::string& tablePath,
                                        const std::vector<std::string>& tickedNames) {
    if (tickedNames.empty()) return {};
    const std::vector<SiteRecord> records = readSiteTable(tablePath);
    std::vector<SiteRecord> pairs;
    for (const std::string& name : tickedNames) {
        for (const SiteRecord& record : records) {
            if (record.name == name) pairs.push_back({name, record.address});
        }
    }
    return pairs;
}

std::vector<bool> entryTicks(const std::vector<SiteRecord>& records,
                             const std::vector<std::string>& checkedNames) {
    std::vector<bool> ticks;
    ticks.reserve(records.size());
    for (const SiteRecord& record : records) {
        ticks.push_back(std::find(checkedNames.begin(), checkedNames.end(), record.name) !=
                        checkedNames.end());
    }
    return ticks;
}

std::vector<std::string> tickedNamesAfterLoad(const std::string& tablePath,
                                              const std::string& checkedSitesPath) {
    const std::vector<SiteRecord> records = readSiteTable(tablePath);
    const std::vector<bool> ticks = entryTicks(records, readCheckedSites(checkedSitesPath));
    std::vector<std::string> names;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (ticks[i]) names.push_back(records[i].name);
    }
    return names;
}

}  // namespace orvanix
