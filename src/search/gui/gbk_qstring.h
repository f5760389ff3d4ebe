#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "web/code_page.h"

namespace orvanix {

// GBK text as a widget shows it, and a widget's text as GBK.
inline QString qStringFromGbk(std::string_view gbk) {
    return QString::fromStdString(gbkToUtf8(gbk));
}
inline std::string gbkFromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return utf8ToGbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace orvanix
