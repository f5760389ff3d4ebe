#include "search/magnet_sources.h"

#include <charconv>
#include <cstddef>

#include "web/html_to_text.h"
#include "web/url_coding.h"

namespace orvanix {

namespace {

// 基于DHT协议的BT资源搜索引擎，所有资源来源于爬虫24小时从DHT网络自动抓取，所有排行数据由程序自动生成。
constexpr std::string_view kBtDescription =
    "\xBB\xF9\xD3\xDA"
    "DHT\xD0\xAD\xD2\xE9\xB5\xC4"
    "BT\xD7\xCA\xD4\xB4\xCB\xD1\xCB\xF7\xD2\xFD\xC7\xE6\xA3\xAC\xCB\xF9\xD3\xD0\xD7\xCA\xD4\xB4"
    "\xC0\xB4\xD4\xB4\xD3\xDA\xC5\xC0\xB3\xE6"
    "24\xD0\xA1\xCA\xB1\xB4\xD3"
    "DHT\xCD\xF8\xC2\xE7\xD7\xD4\xB6\xAF\xD7\xA5\xC8\xA1\xA3\xAC\xCB\xF9\xD3\xD0\xC5\xC5\xD0\xD0"
    "\xCA\xFD\xBE\xDD\xD3\xC9\xB3\xCC\xD0\xF2\xD7\xD4\xB6\xAF\xC9\xFA\xB3\xC9\xA1\xA3";

// 基于DHT协议的BT资源搜索引擎，国外网站搜索速度较慢..
constexpr std::string_view kDhtDescription =
    "\xBB\xF9\xD3\xDA"
    "DHT\xD0\xAD\xD2\xE9\xB5\xC4"
    "BT\xD7\xCA\xD4\xB4\xCB\xD1\xCB\xF7\xD2\xFD\xC7\xE6\xA3\xAC\xB9\xFA\xCD\xE2\xCD\xF8\xD5\xBE"
    "\xCB\xD1\xCB\xF7\xCB\xD9\xB6\xC8\xBD\xCF\xC2\xFD..";

constexpr std::string_view kSizeMarker = "\xB4\xF3\xD0\xA1\xA3\xBA";                   // 大小：
constexpr std::string_view kAddedMarker = "\xCA\xD5\xC2\xBC\xCA\xB1\xBC\xE4\xA3\xBA";  // 收录时间：
constexpr std::string_view kHeatMarker = "\xC8\xC8\xB6\xC8";                           // 热度
constexpr std::string_view kFieldEnd = "</span></span>";

// The BT樱桃 fields are cut starting inside a tag; a "<" in front lets HTML-to-text
// delete the rest of that tag. A cut without a ">" keeps the "<".
std::string openTagToText(std::string cut) {
    return htmlToText("<" + cut);
}
std::string btNameCell(std::string cut) {
    return openTagToText(percentDecoding(cut));
}
std::string btLinkCell(std::string cut) {
    return "magnet:?xt=urn:btih:" + cut;
}

std::string decodedCell(std::string cut) {
    return percentDecoding(cut);
}
std::string textCell(std::string cut) {
    return htmlToText(cut);
}
// The link marker swallows the "magnet" of the link.
std::string dhtLinkCell(std::string cut) {
    return "magnet" + cut;
}

constexpr FieldRule kBtFields[] = {
    {.column = kMagnetName, .left = "<h5", .right = "/h5>", .finish = btNameCell},
    {.column = kMagnetSize,
     .left = kSizeMarker,
     .right = kFieldEnd,
     .finish = openTagToText,
     .fromDecoded = true},
    {.column = kMagnetDate,
     .left = kAddedMarker,
     .right = kFieldEnd,
     .finish = openTagToText,
     .fromDecoded = true},
    {.column = kMagnetLink,
     .left = "name=\"rsrc\" data-hash=\"",
     .right = "\">",
     .finish = btLinkCell,
     .fromDecoded = true},
};

constexpr FieldRule kDhtFields[] = {
    {.column = kMagnetName, .left = "<li>", .right = "</li>", .finish = decodedCell},
    {.column = kMagnetSize, .left = kSizeMarker, .right = kHeatMarker, .fromDecoded = true},
    {.column = kMagnetDate,
     .left = "<span class=\"ctime\">",
     .right = "</span>",
     .finish = textCell,
     .fromDecoded = true},
    {.column = kMagnetLink,
     .left = "<a class=\"title\" href=\"magnet",
     .right = "\">\xB4\xC5\xC1\xA6\xC1\xB4\xBD\xD3",  // ">磁力链接
     .finish = dhtLinkCell,
     .fromDecoded = true},
};

// The BT樱桃 site sends UTF-8, so its right record marker "磁力链接</span>" is
// matched as UTF-8 bytes.
const RecordRule kBtRecords{"<div class=\"r\">",
                            "\xE7\xA3\x81\xE5\x8A\x9B\xE9\x93\xBE\xE6\x8E\xA5</span>", kBtFields};
const RecordRule kDhtRecords{"<tr><td class=\"x-item\">", "</td></tr>", kDhtFields};

}  // namespace

std::string_view magnetDescription(MagnetSource source) {
    return source == MagnetSource::bt ? kBtDescription : kDhtDescription;
}

int magnetPageCount(MagnetSource source, int count) {
    const int divisor = source == MagnetSource::bt ? 20 : 10;
    return count > 0 ? count / divisor : 0;
}

int magnetCountFromText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    if (start < text.size() && text[start] == '+') ++start;
    int count = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (std::from_chars(first, last, count).ec != std::errc{}) return 0;
    return count;
}

std::string magnetPageAddress(MagnetSource source, std::string_view host, std::string_view keyword,
                              int page) {
    const std::string code = urlEncoding(keyword, true);
    std::string address = "http://";
    address += host;
    if (source == MagnetSource::bt) {
        address += "/search?keyword=";
        address += code;
        address += "&p=";
    } else {
        address += "/search/";
        address += code;
        address += "/";
    }
    address += std::to_string(page);
    return address;
}

const RecordRule& magnetRecordRule(MagnetSource source) {
    return source == MagnetSource::bt ? kBtRecords : kDhtRecords;
}

}  // namespace orvanix
