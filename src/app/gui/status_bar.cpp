#include "app/gui/status_bar.h"

#include <QHBoxLayout>

namespace orvanix {

namespace {
const std::array<const char*, StatusBar::kParts> kStartTexts{
    "状态：", "空闲", "列表数量：", "0", "说明：", "绿色无毒 永久免费 欢迎使用！"};
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("状态条1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kParts; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kStartTexts[i]), this);
        label->setObjectName(QStringLiteral("状态条1_%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(kWidths[i]);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        layout->addWidget(label);
        parts_[i] = label;
    }
    layout->addStretch(1);
}

void StatusBar::setPart(int part, const QString& text) {
    if (part >= 0 && part < kParts) parts_[part]->setText(text);
}

QString StatusBar::part(int part) const {
    return part >= 0 && part < kParts ? parts_[part]->text() : QString();
}

}  // namespace orvanix
