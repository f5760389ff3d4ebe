#pragma once

#include <array>
#include <string>
#include <string_view>

#include "search/search_frame.h"

namespace orvanix {

// The columns of the magnet result list.
enum MagnetColumn : int {
    kMagnetNumber = 0,
    kMagnetName = 1,
    kMagnetSize = 2,
    kMagnetDate = 3,
    kMagnetLink = 4,
};

// The two magnet search sites, by their index in the mode combo `组合框_模式`.
enum class MagnetSource : int { bt = 0, dht = 1 };

// The items of the magnet tab's count combo `组合框1`.
inline constexpr std::array<std::string_view, 5> kMagnetCounts{"20", "40", "60", "80", "100"};

// What the tab shows in status part 5 while a source runs (GBK).
std::string_view magnetDescription(MagnetSource source);

// The number of result pages a source fetches for a count: the whole part of the
// count divided by 20 (BT樱桃) or 10 (DHT); none for a count below the divisor.
int magnetPageCount(MagnetSource source, int count);

// The count combo's text taken as a number: its leading decimal digits (after
// blanks, with an optional sign); 0 when it holds none or they do not fit an int.
int magnetCountFromText(std::string_view text);

// The address of result page `page` (from 1) for a GBK keyword, whose UTF-8 bytes
// are all percent-encoded.
std::string magnetPageAddress(MagnetSource source, std::string_view host, std::string_view keyword,
                              int page);

// The record markers and the four column rules of a source's result page.
const RecordRule& magnetRecordRule(MagnetSource source);

}  // namespace orvanix
