#include "search/gui/search_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <atomic>
#include <system_error>
#include <thread>

#include "app/gui/main_window.h"
#include "search/gui/gbk_qstring.h"
#include "search/gui/qt_search_port.h"
#include "search/search_texts.h"

namespace orvanix {

namespace {

std::atomic<int> workersRunning{0};

QString u(const char* text) {
    return QString::fromUtf8(text);
}

const QString kControlName = QStringLiteral("搜索控制");

}  // namespace

SearchControl::SearchControl(MainWindow& window) : QObject(&window), window_(window) {
    setObjectName(kControlName);
    for (int tab = 0; tab < kSearchTabs; ++tab) {
        const SearchTab& controls = kSearchTabControls[tab];
        if (auto* start = window.control<QPushButton>(u(controls.startButton))) {
            connect(start, &QPushButton::clicked, this, [this, tab] { this->start(tab); });
        }
        if (auto* stopButton = window.control<QPushButton>(u(controls.stopButton))) {
            connect(stopButton, &QPushButton::clicked, this, [this, tab] { stop(tab); });
        }
        if (auto* box = window.control<QLineEdit>(u(controls.keywordBox))) {
            box->setProperty("searchTab", tab);
            box->installEventFilter(this);
        }
    }
}

SearchControl* SearchControl::of(const MainWindow& window) {
    return window.findChild<SearchControl*>(kControlName, Qt::FindDirectChildrenOnly);
}

void SearchControl::setEngine(int tab, EngineFactory factory) {
    if (tab >= 0 && tab < kSearchTabs) engines_[tab] = std::move(factory);
}

void SearchControl::start(int tab) {
    if (tab < 0 || tab >= kSearchTabs) return;
    window_.statusBar().setPart(kStatusPart, qStringFromGbk(search_text::kSearching));
    if (auto* button = window_.control<QPushButton>(u(kSearchTabControls[tab].startButton))) {
        button->setEnabled(false);
    }
    startWorker(tab);
}

void SearchControl::enter(int tab) {
    if (tab < 0 || tab >= kSearchTabs) return;
    start(tab);
    if (auto* list = window_.control<QWidget>(u(kSearchTabControls[tab].resultList))) {
        list->setFocus(Qt::OtherFocusReason);
    }
}

void SearchControl::stop(int tab) {
    if (tab < 0 || tab >= kSearchTabs) return;
    // From here on every request of the slot's worker does nothing, and its
    // running page fetch is aborted.
    if (slot_) slot_->requestStop();
    if (auto* button = window_.control<QPushButton>(u(kSearchTabControls[tab].startButton))) {
        button->setEnabled(true);
    }
    window_.statusBar().setPart(kStatusPart, qStringFromGbk(search_text::kStopped));
}

void SearchControl::startWorker(int tab) {
    if (tab < 0 || tab >= kSearchTabs || !engines_[tab]) return;
    std::unique_ptr<SearchEngine> engine = engines_[tab]();
    if (!engine) return;
    SharedStopToken token = makeStopToken();
    auto port = std::make_unique<QtSearchPort>(window_, kSearchTabControls[tab], token);
    workersRunning.fetch_add(1);
    try {
        std::thread([engine = std::move(engine), port = std::move(port), token]() mutable {
            runSearch(*engine, *port, *token);
            port.reset();
            engine.reset();
            workersRunning.fetch_sub(1);
        }).detach();
    } catch (const std::system_error&) {
        // No thread: the tab stays in the searching state until it is stopped.
        workersRunning.fetch_sub(1);
        return;
    }
    slot_ = std::move(token);
}

int SearchControl::runningWorkers() {
    return workersRunning.load();
}

bool SearchControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            enter(watched->property("searchTab").toInt());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvanix
