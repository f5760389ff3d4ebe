#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

namespace orvanix {

// The six-part status bar `状态条1`. Parts 0, 2 and 4 are fixed captions; the
// program writes the search status to part 1, the row count to part 3 and the
// page or source description to part 5.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kParts = 6;
    static constexpr std::array<int, kParts> kWidths{40, 100, 65, 50, 40, 700};

    explicit StatusBar(QWidget* parent);

    void setPart(int part, const QString& text);
    QString part(int part) const;

private:
    std::array<QLabel*, kParts> parts_{};
};

}  // namespace orvanix
