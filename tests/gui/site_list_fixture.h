#pragma once

#include <gtest/gtest.h>
#include <QListWidget>
#include <QStringList>
#include <QTest>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/process_state.h"
#include "core/site_test_dir.h"
#include "fake_shell.h"
#include "sites/gui/message_port.h"
#include "sites/gui/site_list.h"
#include "sites/gui/site_list_state.h"
#include "sites/site_table.h"

namespace orvanix::test {

inline QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Records the message boxes; confirm() answers with `answer`.
class FakeMessages : public MessagePort {
public:
    struct Log {
        QStringList shown;  // "title|text"
        bool answer = true;
    };
    explicit FakeMessages(Log& log) : log_(log) {}
    void inform(const QString& title, const QString& text) override {
        log_.shown.append(title + "|" + text);
    }
    bool confirm(const QString& title, const QString& text) override {
        log_.shown.append(title + "|" + text);
        return log_.answer;
    }

private:
    Log& log_;
};

// A main window wired to its handlers, with the run and db directories in a
// fresh folder, a fake desktop and fake message boxes.
class SiteListFixture : public testing::Test {
protected:
    SiteListFixture() {
        ProcessState& state = processState();
        state.runDirectory = dir.path().string();
        state.dbDirectory = dir.path().string() + "/";
        state.settingsPath = dir.file("config.ini");
        window.setShell(std::make_unique<FakeShell>(shell));
        wireEventMap(window, state);
        siteListState(window).setMessages(std::make_unique<FakeMessages>(messages));
    }
    ~SiteListFixture() override {
        // Loads still on their way must find the window gone, not the folder.
        waitForLoads();
        ProcessState& state = processState();
        state.runDirectory.clear();
        state.dbDirectory.clear();
        state.settingsPath.clear();
    }

    std::string table() const { return dir.file("wp.edb"); }
    std::string checked() const { return dir.file("xz.db"); }

    void makeTable(const std::vector<SiteRecord>& records) {
        ASSERT_TRUE(createSiteTable(table(), records));
    }

    // Waits until the list shows the newest load started.
    void waitForLoads() {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const std::uint64_t started = siteListLoadsStarted();
                return started == loadsBefore || siteListState(window).appliedLoad() == started;
            },
            10000));
    }

    void load() {
        startSiteListLoader(window);
        waitForLoads();
    }

    QListWidget& list() { return *siteList(window); }

    // Each entry as "text" or "[x] text" when ticked.
    QStringList entries() {
        QStringList shown;
        for (int row = 0; row < list().count(); ++row) {
            const QListWidgetItem* item = list().item(row);
            shown.append((item->checkState() == Qt::Checked ? "[x] " : "") + item->text());
        }
        return shown;
    }

    void setTicked(int row, bool ticked) {
        list().item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }

    SiteTestDir dir;
    const std::uint64_t loadsBefore = siteListLoadsStarted();
    FakeShell::Log shell;
    FakeMessages::Log messages;
    MainWindow window;
};

}  // namespace orvanix::test
