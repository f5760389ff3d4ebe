#include "web/code_page.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <memory>

namespace orvanix {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) return nullptr;
    // What the target code page cannot hold becomes "?".
    status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    return converter;
}

// Each thread keeps its own converters: opening one costs more than a short
// conversion, and a converter must not be shared between threads.
UConverter* gbkConverter() {
    thread_local Converter converter = openConverter("windows-936");
    return converter.get();
}

UConverter* utf8Converter() {
    thread_local Converter converter = openConverter("UTF-8");
    return converter.get();
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

template <typename View>
View upToZero(View text) {
    const auto zero = text.find(typename View::value_type{0});
    return zero == View::npos ? text : text.substr(0, zero);
}

// Where a text may be cut into pieces that convert on their own exactly as the whole
// does: between two bytes (or units) below 0x80. The first of them has ended whatever
// character came before it, as a single character or as the second half of one.
template <typename Unit>
std::size_t nextAsciiPair(std::basic_string_view<Unit> text, std::size_t from) {
    for (std::size_t i = from + 1; i < text.size(); ++i) {
        if (static_cast<unsigned>(text[i]) < 0x80 && static_cast<unsigned>(text[i - 1]) < 0x80)
            return i;
    }
    return text.size();
}

template <typename Unit>
std::size_t nextNonAscii(std::basic_string_view<Unit> text, std::size_t from) {
    while (from < text.size() && static_cast<unsigned>(text[from]) < 0x80) ++from;
    return from;
}

// Runs of ASCII are copied as they are (the same in GBK, UTF-8 and UTF-16); the
// pieces between them go through the converter, whole characters at a time.
std::u16string toUtf16(UConverter* converter, std::string_view bytes) {
    bytes = upToZero(bytes);
    std::u16string result;
    if (bytes.empty() || converter == nullptr) return result;
    result.reserve(bytes.size());
    char16_t buffer[8192];
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t nonAscii = nextNonAscii(bytes, i);
        for (; i < nonAscii; ++i) result.push_back(static_cast<char16_t>(bytes[i]));
        if (i == bytes.size()) break;
        const std::size_t end = nextAsciiPair(bytes, i);
        ucnv_resetToUnicode(converter);
        const char* source = bytes.data() + i;
        const char* sourceEnd = bytes.data() + end;
        UErrorCode status = U_ZERO_ERROR;
        do {
            status = U_ZERO_ERROR;
            UChar* target = reinterpret_cast<UChar*>(buffer);
            ucnv_toUnicode(converter, &target, target + std::size(buffer), &source, sourceEnd,
                           nullptr, true, &status);
            result.append(buffer,
                          static_cast<std::size_t>(reinterpret_cast<char16_t*>(target) - buffer));
        } while (status == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(status)) return {};
        i = end;
    }
    return result;
}

std::string fromUtf16(UConverter* converter, std::u16string_view units) {
    units = upToZero(units);
    std::string result;
    if (units.empty() || converter == nullptr) return result;
    result.reserve(units.size() * 2);
    char buffer[16384];
    for (std::size_t i = 0; i < units.size();) {
        const std::size_t nonAscii = nextNonAscii(units, i);
        for (; i < nonAscii; ++i) result.push_back(static_cast<char>(units[i]));
        if (i == units.size()) break;
        const std::size_t end = nextAsciiPair(units, i);
        ucnv_resetFromUnicode(converter);
        const UChar* source = reinterpret_cast<const UChar*>(units.data()) + i;
        const UChar* sourceEnd = reinterpret_cast<const UChar*>(units.data()) + end;
        UErrorCode status = U_ZERO_ERROR;
        do {
            status = U_ZERO_ERROR;
            char* target = buffer;
            ucnv_fromUnicode(converter, &target, buffer + sizeof buffer, &source, sourceEnd,
                             nullptr, true, &status);
            result.append(buffer, static_cast<std::size_t>(target - buffer));
        } while (status == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(status)) return {};
        i = end;
    }
    return result;
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) {
    return toUtf16(gbkConverter(), gbk);
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    return toUtf16(utf8Converter(), utf8);
}

std::string utf16ToGbk(std::u16string_view utf16) {
    return fromUtf16(gbkConverter(), utf16);
}

std::string gbkToUtf8(std::string_view gbk) {
    gbk = upToZero(gbk);
    if (isAscii(gbk)) return std::string(gbk);
    return fromUtf16(utf8Converter(), gbkToUtf16(gbk));
}

std::string utf8ToGbk(std::string_view utf8) {
    utf8 = upToZero(utf8);
    if (isAscii(utf8)) return std::string(utf8);
    return utf16ToGbk(utf8ToUtf16(utf8));
}

}  // namespace orvanix
