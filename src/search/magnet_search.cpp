#include "search/magnet_search.h"

#include "search/search_port.h"

namespace orvanix {

MagnetSearch::MagnetSearch(std::string btHost, std::string dhtHost)
    : btHost_(std::move(btHost)), dhtHost_(std::move(dhtHost)) {}

void MagnetSearch::prepare(SearchPort& port) {
    count_ = magnetCountFromText(port.selectedItemText(Combo::Count));
    stage_ = Stage::beforeBt;
}

void MagnetSearch::beginRun(SearchPort& port, MagnetSource source) {
    source_ = source;
    port.setStatus(kDescriptionPart, magnetDescription(source));
    pages_ = magnetPageCount(source, count_);
    page_ = 0;
    stage_ = Stage::running;
}

std::optional<PageRequest> MagnetSearch::nextPage(SearchPort& port) {
    for (;;) {
        switch (stage_) {
            case Stage::beforeBt:
                if (port.selectedIndex(Combo::Mode) == static_cast<int>(MagnetSource::bt)) {
                    beginRun(port, MagnetSource::bt);
                } else {
                    stage_ = Stage::beforeDht;
                }
                break;
            case Stage::running:
                if (page_ < pages_) {
                    ++page_;
                    const std::string& host = source_ == MagnetSource::bt ? btHost_ : dhtHost_;
                    return PageRequest{magnetPageAddress(source_, host, port.keyword(), page_), {}};
                }
                stage_ = source_ == MagnetSource::bt ? Stage::beforeDht : Stage::done;
                break;
            case Stage::beforeDht:
                if (port.selectedIndex(Combo::Mode) == static_cast<int>(MagnetSource::dht)) {
                    beginRun(port, MagnetSource::dht);
                } else {
                    stage_ = Stage::done;
                }
                break;
            case Stage::done:
                return std::nullopt;
        }
    }
}

}  // namespace orvanix
