#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_frame.h"
#include "sites/site_record.h"

namespace orvanix {

// The columns of the netdisk result list.
enum NetdiskColumn : int {
    kNetdiskNumber = 0,
    kNetdiskTitle = 1,
    kSiteRecord = 2,
    kNetdiskSize = 3,
    kNetdiskDate = 4,
    kNetdiskLink = 5,
};

// The items of the netdisk tab's count combo `组合框4`.
inline constexpr std::array<std::string_view, 5> kNetdiskCounts{"20", "40", "60", "80", "100"};

// The query address of one site: the web search asked for pages of `siteAddress`
// (as stored, not encoded) containing `keyword` (GBK; a blank is put in front of
// it and every byte of its UTF-8 form percent-encoded), `count` hits per page.
std::string netdiskQueryAddress(std::string_view host, std::string_view siteAddress,
                                std::string_view keyword, std::string_view count);

// The hit-block markers and the five column rules of a result page.
const RecordRule& netdiskRecordRule();

// The search of the netdisk tab: one query per (ticked name, site record) pair.
class NetdiskSearch : public SearchEngine {
public:
    // Gives the query pairs of the ticked names, in order, duplicates included.
    using SiteLookup = std::function<std::vector<SiteRecord>(const std::vector<std::string>&)>;

    NetdiskSearch(std::string host, SiteLookup lookup);

    void prepare(SearchPort& port) override;
    std::optional<PageRequest> nextPage(SearchPort& port) override;
    const RecordRule& records() const override { return netdiskRecordRule(); }

private:
    std::string host_;
    SiteLookup lookup_;
    std::vector<SiteRecord> sites_;
    std::size_t next_ = 0;
};

}  // namespace orvanix
