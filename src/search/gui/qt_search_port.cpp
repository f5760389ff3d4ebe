#include "search/gui/qt_search_port.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/gui/gui_call.h"
#include "search/gui/gbk_qstring.h"
#include "search/gui/paint_throttle.h"
#include "sites/gui/site_list.h"

namespace orvanix {

namespace {

template <typename T>
T* controlNamed(MainWindow& window, const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    return window.control<T>(QString::fromUtf8(name));
}

}  // namespace

QtSearchPort::QtSearchPort(MainWindow& window, const SearchTab& tab, SharedStopToken stop)
    : window_(&window),
      keywordBox_(controlNamed<QLineEdit>(window, tab.keywordBox)),
      countCombo_(controlNamed<QComboBox>(window, tab.countCombo)),
      modeCombo_(controlNamed<QComboBox>(window, tab.modeCombo)),
      checkList_(controlNamed<QListWidget>(window, tab.checkList)),
      resultList_(controlNamed<ReportList>(window, tab.resultList)),
      startButton_(controlNamed<QPushButton>(window, tab.startButton)),
      stop_(std::move(stop)) {}

template <typename Result, typename Work>
Result QtSearchPort::request(Result fallback, Work&& work) {
    if (stop_->stopRequested()) return fallback;
    // The application object lives as long as the event loop, unlike the window.
    return callOnGui(QCoreApplication::instance(), [&]() -> Result {
        if (stop_->stopRequested() || !window_) return fallback;
        return work();
    });
}

template <typename Work>
void QtSearchPort::request(Work&& work) {
    if (stop_->stopRequested()) return;
    callOnGui(QCoreApplication::instance(), [&] {
        if (stop_->stopRequested() || !window_) return;
        work();
    });
}

QComboBox* QtSearchPort::combo(Combo which) const {
    return which == Combo::Count ? countCombo_.data() : modeCombo_.data();
}

std::string QtSearchPort::keyword() {
    return request(std::string(), [this] {
        return keywordBox_ ? gbkFromQString(keywordBox_->text()) : std::string();
    });
}

std::string QtSearchPort::selectedItemText(Combo which) {
    return request(std::string(), [this, which] {
        QComboBox* box = combo(which);
        return box && box->currentIndex() >= 0 ? gbkFromQString(box->currentText()) : std::string();
    });
}

int QtSearchPort::selectedIndex(Combo which) {
    return request(-1, [this, which] {
        QComboBox* box = combo(which);
        return box ? box->currentIndex() : -1;
    });
}

std::vector<std::string> QtSearchPort::checkedItems() {
    return request(std::vector<std::string>(), [this] {
        std::vector<std::string> names;
        if (!checkList_) return names;
        // The entries keep their exact GBK bytes beside the text they show.
        for (int i = 0; i < checkList_->count(); ++i) {
            const QListWidgetItem* item = checkList_->item(i);
            if (item->checkState() == Qt::Checked) names.push_back(siteEntryText(*item));
        }
        return names;
    });
}

void QtSearchPort::clearRows() {
    request([this] {
        if (!resultList_) return;
        PaintThrottle::of(*resultList_).hold();
        resultList_->rows().clear();
    });
}

int QtSearchPort::rowCount() {
    return request(0, [this] { return resultList_ ? resultList_->rows().rowCount() : 0; });
}

int QtSearchPort::appendRow(std::string_view number) {
    return request(-1, [this, number] {
        if (!resultList_) return -1;
        PaintThrottle::of(*resultList_).hold();
        return resultList_->rows().appendRow(qStringFromGbk(number));
    });
}

void QtSearchPort::setCell(int row, int column, std::string_view text) {
    request([this, row, column, text] {
        if (!resultList_) return;
        PaintThrottle::of(*resultList_).hold();
        resultList_->rows().setCell(row, column, qStringFromGbk(text));
    });
}

void QtSearchPort::setStatus(int part, std::string_view text) {
    request([this, part, text] { window_->statusBar().setPart(part, qStringFromGbk(text)); });
}

void QtSearchPort::enableStart() {
    request([this] {
        if (startButton_) startButton_->setEnabled(true);
    });
}

}  // namespace orvanix
