#include "search/netdisk_search.h"

#include "search/search_texts.h"
#include "web/url_coding.h"

namespace orvanix {

std::string netdiskQueryAddress(std::string_view host, std::string_view siteAddress,
                                std::string_view keyword, std::string_view count) {
    std::string blankKeyword = " ";
    blankKeyword += keyword;
    std::string address = "http://";
    address += host;
    address += "/s?ie=utf-8&f=8&rsv_bp=1&tn=baidu&wd=site%3A";
    address += siteAddress;
    address += urlEncoding(blankKeyword, true);
    address += "&rn=";
    address += count;
    return address;
}

namespace {

std::string orNotGiven(std::string cut) {
    return cut.empty() ? std::string(search_text::kNotGiven) : cut;
}

// The date marker "&nbsp;2" swallows the first digit of the year.
std::string dateCell(std::string cut) {
    return cut.empty() ? std::string(search_text::kNotGiven) : "2" + cut;
}

// The title is cut up to ",\"url\":\"", so it still ends with the quote that
// closes its JSON string; that quote is not part of the name.
std::string titleCell(std::string cut) {
    if (!cut.empty() && cut.back() == '"') cut.pop_back();
    return percentDecoding(cut);
}

constexpr FieldRule kFields[] = {
    {kNetdiskLink, "\"url\":\"", "\"}'><a class=\""},
    {kNetdiskDate, "&nbsp;2", "&nbsp;</span><div class=", dateCell},
    {kNetdiskSize, "\xB4\xF3\xD0\xA1:", "B", orNotGiven},  // 大小:
    {kSiteRecord, {}, {}, nullptr, true},
    {kNetdiskTitle, "title\":\"", ",\"url\":\"", titleCell},
};

const RecordRule kRecords{"\t'y':'", "<a data-nolog href=\"", kFields};

}  // namespace

const RecordRule& netdiskRecordRule() {
    return kRecords;
}

NetdiskSearch::NetdiskSearch(std::string host, SiteLookup lookup)
    : host_(std::move(host)), lookup_(std::move(lookup)) {}

void NetdiskSearch::prepare(SearchPort& port) {
    const std::vector<std::string> names = port.checkedItems();
    sites_ = names.empty() ? std::vector<SiteRecord>{} : lookup_(names);
    next_ = 0;
}

std::optional<PageRequest> NetdiskSearch::nextPage(SearchPort& port) {
    if (next_ >= sites_.size()) return std::nullopt;
    const SiteRecord& site = sites_[next_++];
    // Keyword and count are read anew for every site.
    const std::string keyword = port.keyword();
    const std::string count = port.selectedItemText(Combo::Count);
    return PageRequest{netdiskQueryAddress(host_, site.address, keyword, count), site.name};
}

}  // namespace orvanix
