#pragma once

#include <optional>
#include <string>

#include "search/magnet_sources.h"
#include "search/search_frame.h"

namespace orvanix {

// The search of the magnet tab. The count is read once, when the search starts.
// The mode combo is read at the start of each source's run: index 0 runs BT樱桃;
// afterwards index 1 runs DHT, so switching to DHT during a BT樱桃 run gives both
// runs. Each run shows its description in status part 5 and fetches its pages one
// after the other, reading the keyword anew before every page.
class MagnetSearch : public SearchEngine {
public:
    MagnetSearch(std::string btHost, std::string dhtHost);

    void prepare(SearchPort& port) override;
    std::optional<PageRequest> nextPage(SearchPort& port) override;
    const RecordRule& records() const override { return magnetRecordRule(source_); }

private:
    enum class Stage { beforeBt, running, beforeDht, done };

    // Starts the run of one source: its description, its number of pages.
    void beginRun(SearchPort& port, MagnetSource source);

    std::string btHost_;
    std::string dhtHost_;
    int count_ = 0;
    Stage stage_ = Stage::beforeBt;
    MagnetSource source_ = MagnetSource::bt;
    int pages_ = 0;
    int page_ = 0;
};

}  // namespace orvanix
