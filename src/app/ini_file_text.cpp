#include "app/ini_file_text.h"

#include <algorithm>

namespace orvanix {

namespace {

bool isGbkLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The end of `text`'s longest prefix of at most `limit` bytes that does not
// split a double-byte character.
std::size_t gbkCut(std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t width =
            (isGbkLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

// One line of the file: its bytes without the line break, and where the next
// line starts.
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // before "\r\n" or "\n"
    std::size_t end = 0;         // after the line break, if any
};

Line lineAt(std::string_view contents, std::size_t begin) {
    const auto newline = contents.find('\n', begin);
    Line line{begin, 0, 0};
    if (newline == std::string_view::npos) {
        line.contentEnd = line.end = contents.size();
    } else {
        line.end = newline + 1;
        line.contentEnd =
            (newline > begin && contents[newline - 1] == '\r') ? newline - 1 : newline;
    }
    return line;
}

// The first `c` in `text` that is not the second byte of a double-byte character.
std::size_t findAsciiOutsideGbk(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c) return i;
        if (isGbkLead(static_cast<unsigned char>(text[i]))) ++i;
    }
    return std::string_view::npos;
}

enum class LineKind { Section, Key, Blank, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;        // section or key name
    std::size_t valueOffset = 0;  // for a key: offset of the value within the line
};

ParsedLine parse(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    if (trimmed.empty()) return {LineKind::Blank, {}, 0};
    if (trimmed.front() == '[') {
        const auto close = findAsciiOutsideGbk(trimmed, ']');
        if (close == std::string_view::npos) return {};
        return {LineKind::Section, trimBlanks(trimmed.substr(1, close - 1)), 0};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineKind::Key, trimBlanks(text.substr(0, equals)), equals + 1};
}

// Where `key` of `section` is, or where it would go.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t valueBegin = 0, valueEnd = 0;  // the key's value, when found
    std::size_t insertAt = 0;                  // after the section's last non-blank line
    bool insertNeedsBreak = false;             // that line has no line break
};

Location locate(std::string_view contents, std::string_view section, std::string_view key) {
    Location where;
    bool inSection = false;
    for (std::size_t pos = 0; pos < contents.size();) {
        const Line line = lineAt(contents, pos);
        pos = line.end;
        const ParsedLine parsed = parse(contents.substr(line.begin, line.contentEnd - line.begin));
        if (parsed.kind == LineKind::Section) {
            if (inSection) break;  // only the first matching section counts
            inSection = iniNamesEqual(parsed.name, section);
            where.sectionFound = inSection;
        } else if (!inSection) {
            continue;
        } else if (parsed.kind == LineKind::Key && iniNamesEqual(parsed.name, key)) {
            where.keyFound = true;
            where.valueBegin = line.begin + parsed.valueOffset;
            where.valueEnd = line.contentEnd;
            return where;
        }
        if (inSection && parsed.kind != LineKind::Blank) {
            where.insertAt = line.end;
            where.insertNeedsBreak = line.end == line.contentEnd;
        }
    }
    return where;
}

std::string_view firstLine(std::string_view value) {
    return value.substr(0,
                        std::min(value.find_first_of(std::string_view("\r\n\0", 3)), value.size()));
}

}  // namespace

bool iniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isGbkLead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> findIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key) {
    const Location where = locate(contents, section, key);
    if (!where.keyFound) return std::nullopt;
    std::string_view value = contents.substr(where.valueBegin, where.valueEnd - where.valueBegin);
    value = value.substr(0, std::min(value.find('\0'), value.size()));
    return std::string(value.substr(0, gbkCut(value, kIniValueLimit)));
}

std::string withIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value) {
    value = firstLine(value);
    const Location where = locate(contents, section, key);
    std::string result;
    result.reserve(contents.size() + section.size() + key.size() + value.size() + 8);
    if (where.keyFound) {
        result.append(contents.substr(0, where.valueBegin));
        result.append(value);
        result.append(contents.substr(where.valueEnd));
    } else if (where.sectionFound) {
        result.append(contents.substr(0, where.insertAt));
        if (where.insertNeedsBreak) result.append("\r\n");
        result.append(key).append("=").append(value).append("\r\n");
        result.append(contents.substr(where.insertAt));
    } else {
        result.append(contents);
        if (!contents.empty() && contents.back() != '\n') result.append("\r\n");
        result.append("[").append(section).append("]\r\n");
        result.append(key).append("=").append(value).append("\r\n");
    }
    return result;
}

bool isWritableIniName(std::string_view section, std::string_view key) {
    // A name is read back with its blanks trimmed, and a key line that starts
    // with "[" would read as a section: such names could not be found again.
    const auto clean = [](std::string_view name, std::string_view forbidden) {
        return !name.empty() && trimBlanks(name) == name &&
               name.find_first_of(forbidden) == std::string_view::npos;
    };
    // A section name ending in half a double-byte character would swallow its "]".
    const bool sectionEndsWhole =
        findAsciiOutsideGbk(std::string(section) + "]", ']') == section.size();
    using namespace std::string_view_literals;
    return clean(section, "\r\n\0]"sv) && clean(key, "\r\n\0="sv) && key.front() != '[' &&
           sectionEndsWhole;
}

}  // namespace orvanix
