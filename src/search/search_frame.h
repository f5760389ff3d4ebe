#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_port.h"
#include "web/stop_token.h"

namespace orvanix {

// One page a search fetches: its address and the label that the page's rows
// carry (the netdisk search's site name, for example).
struct PageRequest {
    std::string address;
    std::string label;
};

// How one column of a row is filled from its record.
struct FieldRule {
    int column;
    // `text between` markers cutting the cell out of the record.
    std::string_view left, right;
    // Turns the cut into the cell (percent decoding, fallbacks); nullptr keeps it.
    std::string (*finish)(std::string cut) = nullptr;
    // The cell is the page request's label instead of a cut.
    bool fromLabel = false;
    // The cut is made in the record's percent decoding (escapes decoded, UTF-8
    // converted to GBK) instead of in the record as received.
    bool fromDecoded = false;
};

// How a page is cut into records and records into cells.
struct RecordRule {
    // `all texts between` markers of the records.
    std::string_view left, right;
    // In the order the columns are written.
    std::span<const FieldRule> fields;
};

// What differs from one search tab to another: which pages to fetch and how to
// cut them. The frame (runSearch) does the rest once for every tab.
class SearchEngine {
public:
    virtual ~SearchEngine() = default;
    // Runs after the list has been emptied: reads what the whole search needs.
    virtual void prepare(SearchPort& port) { (void)port; }
    // The next page to fetch, reading the controls now; nothing ends the pages.
    virtual std::optional<PageRequest> nextPage(SearchPort& port) = 0;
    virtual const RecordRule& records() const = 0;
    // Cuts a page into records; by default `all texts between` of records().
    virtual std::vector<std::string> cutRecords(std::string_view page) const;
};

// A search worker's whole run: empties the list, fetches and cuts page after page,
// numbering each page's rows from the row count at the moment it is cut, then the
// end steps ("搜索完成", start button enabled, row count). Once `stop` is set it
// returns at the next check and performs none of the end steps; a page fetch in
// progress is aborted through the same token.
void runSearch(SearchEngine& engine, SearchPort& port, const StopToken& stop);

// Writes the cells of one record into `row`, in the order of `fields`.
void writeRecord(SearchPort& port, int row, std::string_view record,
                 std::span<const FieldRule> fields, std::string_view label);

}  // namespace orvanix
