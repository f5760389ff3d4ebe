#include "sites/gui/site_list.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPointer>
#include <QSignalBlocker>
#include <atomic>
#include <system_error>
#include <thread>

#include "app/gui/gui_call.h"
#include "app/gui/main_window.h"
#include "sites/checked_sites.h"
#include "sites/gui/gbk_text.h"
#include "sites/gui/site_list_state.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"

namespace orvanix {

namespace {

// Each entry keeps the exact GBK bytes of its text beside what it shows, so that
// names that do not survive a round trip through Unicode still match their records.
constexpr int kGbkRole = Qt::UserRole;

std::atomic<std::uint64_t> loadsStarted{0};

struct LoadedEntry {
    QString text;
    QByteArray gbk;
    bool ticked;
};

std::vector<LoadedEntry> readEntries(const std::string& tablePath, const std::string& checkedPath) {
    const std::vector<SiteRecord> records = readSiteTable(tablePath);
    const std::vector<bool> ticks = entryTicks(records, readCheckedSites(checkedPath));
    std::vector<LoadedEntry> entries;
    entries.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& name = records[i].name;
        entries.push_back({fromGbk(name),
                           QByteArray(name.data(), static_cast<qsizetype>(name.size())), ticks[i]});
    }
    return entries;
}

// Replaces the list's entries in one go. Ticks set here are not tick changes of
// the user: the list's signals stay quiet, so nothing is written.
void fill(QListWidget& list, const std::vector<LoadedEntry>& entries) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const LoadedEntry& entry : entries) {
        auto* item = new QListWidgetItem(entry.text, &list);
        item->setData(kGbkRole, entry.gbk);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

}  // namespace

std::string siteEntryText(const QListWidgetItem& item) {
    const QVariant gbk = item.data(kGbkRole);
    if (gbk.isValid()) {
        const QByteArray bytes = gbk.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return toGbk(item.text());
}

QListWidget* siteList(MainWindow& window) {
    return window.control<QListWidget>(QStringLiteral("选择列表框_网盘资源"));
}

std::uint64_t siteListLoadsStarted() {
    return loadsStarted.load();
}

void startSiteListLoader(MainWindow& window) {
    const std::uint64_t number = ++loadsStarted;
    QPointer<MainWindow> target(&window);
    std::string tablePath = siteTablePath();
    std::string checkedPath = checkedSitesPath();
    auto load = [number, target, tablePath = std::move(tablePath),
                 checkedPath = std::move(checkedPath)] {
        const std::vector<LoadedEntry> entries = readEntries(tablePath, checkedPath);
        // The window is looked at only on the GUI thread; the application object
        // outlives it, so the request has somewhere to go even when it is gone.
        callOnGui(QCoreApplication::instance(), [&] {
            if (!target) return;
            QListWidget* list = siteList(*target);
            if (list && siteListState(*target).takeLoad(number)) fill(*list, entries);
        });
    };
    try {
        std::thread(std::move(load)).detach();
    } catch (const std::system_error&) {
        // No thread: the list keeps what it shows.
    }
}

std::vector<std::string> tickedSiteNames(MainWindow& window) {
    std::vector<std::string> names;
    QListWidget* list = siteList(window);
    if (!list) return names;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem& item = *list->item(row);
        if (item.checkState() == Qt::Checked) names.push_back(siteEntryText(item));
    }
    return names;
}

void writeTickedSites(MainWindow& window) {
    writeCheckedSites(checkedSitesPath(), tickedSiteNames(window));
}

}  // namespace orvanix
