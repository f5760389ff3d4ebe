#pragma once

#include <string>
#include <string_view>

namespace orvanix {

// The markup that HTML-to-text deletes, as one regular expression (letter case
// ignored, global): script and style blocks, tags, and entity-like stretches.
inline constexpr std::string_view kHtmlMarkupPattern =
    R"(<script[\s\S]*?</script>|<style[\s\S]*?</style>|<[^>]+>|&.{1,8};)";

// Deletes from a GBK text every match of kHtmlMarkupPattern, scanning left to right
// with the alternatives tried in the order written:
// - "<script" up to the nearest following "</script>" (either case), likewise "<style";
// - "<", one or more characters other than ">", ">";
// - "&", one to eight characters other than a line feed (as many as possible), ";".
// Entities are deleted, not decoded. A "<" with no ">" after it stays, and so does
// an "&" not followed by such a stretch.
//
// The result is the one RegexObject gives for the pattern, but a dedicated scan
// keeps the time linear: the regular expression searches to the end of the text
// again for every unclosed "<script" or "<style".
std::string htmlToText(std::string_view text);

}  // namespace orvanix
