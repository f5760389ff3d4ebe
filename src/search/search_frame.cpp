#include "search/search_frame.h"

#include "search/search_texts.h"
#include "web/page_fetch.h"
#include "web/text_cut.h"
#include "web/url_coding.h"

namespace orvanix {

std::vector<std::string> SearchEngine::cutRecords(std::string_view page) const {
    const RecordRule& rule = records();
    return allTextsBetween(page, rule.left, rule.right);
}

void writeRecord(SearchPort& port, int row, std::string_view record,
                 std::span<const FieldRule> fields, std::string_view label) {
    std::optional<std::string> decoded;  // made on first use, once per record
    for (const FieldRule& field : fields) {
        if (field.fromLabel) {
            port.setCell(row, field.column, label);
            continue;
        }
        if (field.fromDecoded && !decoded) decoded = percentDecoding(record);
        std::string cell = textBetween(field.fromDecoded ? std::string_view(*decoded) : record,
                                       field.left, field.right);
        if (field.finish) cell = field.finish(std::move(cell));
        port.setCell(row, field.column, cell);
    }
}

namespace {

// Fetches and cuts one page and lists its records. Returns false once stopped.
bool listPage(SearchEngine& engine, SearchPort& port, const StopToken& stop,
              const PageRequest& request) {
    const std::string page = textFromBuffer(pageFetch(request.address, &stop));
    if (stop.stopRequested()) return false;
    const std::vector<std::string> records = engine.cutRecords(page);
    // Rows are numbered from the rows present now, so a list emptied meanwhile
    // starts again from 1.
    const int before = port.rowCount();
    int position = 0;
    for (const std::string& record : records) {
        if (stop.stopRequested()) return false;
        ++position;
        const int row = port.appendRow(std::to_string(before + position));
        writeRecord(port, row, record, engine.records().fields, request.label);
    }
    return !stop.stopRequested();
}

}  // namespace

void runSearch(SearchEngine& engine, SearchPort& port, const StopToken& stop) {
    if (stop.stopRequested()) return;
    port.clearRows();
    engine.prepare(port);
    while (!stop.stopRequested()) {
        const std::optional<PageRequest> request = engine.nextPage(port);
        if (stop.stopRequested()) return;
        if (!request) break;
        if (!listPage(engine, port, stop, *request)) return;
    }
    if (stop.stopRequested()) return;
    port.setStatus(kStatusPart, search_text::kFinished);
    port.enableStart();
    port.setStatus(kRowCountPart, std::to_string(port.rowCount()));
}

}  // namespace orvanix
