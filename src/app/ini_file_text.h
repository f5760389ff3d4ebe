#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The text rules of the INI files the program keeps: GBK bytes, lines ending in
// CR LF (a bare LF is read as well), "[name]" opens a section, "key=value" is a
// value. Section and key names match ignoring the case of ASCII letters; GBK
// double-byte characters in them match exactly. Where a section or key occurs
// twice, the first one counts. These functions work on the file's text; the
// file itself is handled by ini_file.h.
namespace orvanix {

// A read hands back at most this many bytes of a value.
inline constexpr std::size_t kIniValueLimit = 10239;

// Whether two section or key names are equal ignoring ASCII case.
bool iniNamesEqual(std::string_view a, std::string_view b);

// The value of `key` in `section`: the bytes after the first "=" of the key's
// line up to the line end or a zero byte, cut to kIniValueLimit bytes (never in
// the middle of a double-byte character). nullopt when the section or the key
// is missing.
std::optional<std::string> findIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key);

// `contents` with `key` of `section` set to `value`. An existing key keeps its
// line: only the bytes after its "=" change. A missing key is added after the
// last non-blank line of its section; a missing section is added at the end.
// Every other byte stays as it was. New lines end in CR LF. A line break or
// zero byte in `value` ends it there, so a value can never add lines.
std::string withIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value);

// Whether `section` and `key` can be written so that they are found again: not
// empty, no blanks at either end, free of line breaks, zero bytes, "]" (section)
// and "=" (key), and a key does not start with "[".
bool isWritableIniName(std::string_view section, std::string_view key);

}  // namespace orvanix
