#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "web/code_page.h"

namespace orvanix {

// GBK text to what a widget shows, and back.
inline QString fromGbk(std::string_view gbk) {
    const std::u16string units = gbkToUtf16(gbk);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

inline std::string toGbk(const QString& text) {
    return utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

}  // namespace orvanix
