#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cutting fields and records out of a page by fixed text markers.
//
// Text is a byte string, as a rule GBK. Positions are 1-based byte positions and
// -1 means "not found". Every search steps over double-byte characters: a byte of
// 0x80 or above takes the byte after it along, so a match never starts on the second
// byte of a GBK character (the same stepping is used on UTF-8 pages).
namespace orvanix {

// Position of the first occurrence of needle that starts at or after start, or -1.
// A start below 1 counts as 1; an empty needle gives 1 when text has bytes from
// start on. With ignoreCase, ASCII letters match their other case.
int textSearch(std::string_view text, std::string_view needle, int start = 1,
               bool ignoreCase = false);

// The bytes between the first left marker and the next right marker after it, or
// the empty text when either is missing. In both markers "#引号" stands for a
// double quote. Case counts; nothing is trimmed.
std::string textBetween(std::string_view text, std::string_view left, std::string_view right);

// Every stretch between a left and the next right marker, trimmed, in page order.
// ASCII case is ignored. The scan ends at a missing marker or at the first record
// that is empty after trimming; each next left marker is searched from the start
// of the right marker just found.
std::vector<std::string> allTextsBetween(std::string_view text, std::string_view left,
                                         std::string_view right);

// Removes half-width spaces and full-width spaces (A1 A1) from both ends. A lead
// byte with nothing after it at the very end is dropped, and then nothing else is
// trimmed at the end.
std::string blankTrimming(std::string_view text);

}  // namespace orvanix
