#pragma once

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/process_state.h"
#include "app/settings.h"
#include "fake_shell.h"
#include "sites/gui/site_list.h"
#include "sites/gui/site_list_state.h"
#include "web/code_page.h"

namespace orvanix::test {

inline QString u(const char* text) {
    return QString::fromUtf8(text);
}

// GBK bytes of a UTF-8 literal.
inline std::string gbk(const char* utf8) {
    return utf8ToGbk(utf8);
}

// A main window wired to all its handlers, with the run directory and
// config.ini in a fresh folder and a fake desktop.
class SettingsFixture : public testing::Test {
protected:
    SettingsFixture() {
        std::random_device random;
        dir = std::filesystem::temp_directory_path() /
              ("orvanix-settings-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(dir);
        ProcessState& state = processState();
        state.runDirectory = dir.string();
        state.settingsPath = configPath();
        state.dbDirectory.clear();
        window.setShell(std::make_unique<FakeShell>(shell));
        wireEventMap(window, state);
    }
    ~SettingsFixture() override {
        // Site-list loads started by page switches must not outlive the folder.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const std::uint64_t started = siteListLoadsStarted();
                return started == loadsBefore || siteListState(window).appliedLoad() == started;
            },
            10000));
        ProcessState& state = processState();
        state.runDirectory.clear();
        state.settingsPath.clear();
        state.dbDirectory.clear();
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }

    std::string configPath() const { return (dir / "config.ini").string(); }

    std::string config() const {
        std::ifstream file(configPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void setConfig(const std::string& bytes) const {
        std::ofstream(configPath(), std::ios::binary | std::ios::trunc) << bytes;
    }
    bool configExists() const { return std::filesystem::exists(configPath()); }

    template <typename T>
    T* control(const char* name) {
        T* found = window.control<T>(u(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::filesystem::path dir;
    const std::uint64_t loadsBefore = siteListLoadsStarted();
    FakeShell::Log shell;
    MainWindow window;
};

}  // namespace orvanix::test
