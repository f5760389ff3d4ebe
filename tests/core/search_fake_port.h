#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "search/search_port.h"
#include "web/code_page.h"

namespace orvanix::test {

// A search tab for core tests: fixed control values, rows and status parts kept in
// memory and shown as UTF-8. Safe to touch from the fixture server's thread too.
class FakeSearchPort : public SearchPort {
public:
    using Row = std::vector<std::string>;

    explicit FakeSearchPort(int columns) : columns_(columns) {}

    // Control values, given as UTF-8.
    void setKeyword(const std::string& utf8) { keyword_ = utf8ToGbk(utf8); }
    void setCount(std::string text) { count_ = std::move(text); }
    void setChecked(const std::vector<std::string>& utf8Names) {
        checked_.clear();
        for (const auto& name : utf8Names) checked_.push_back(utf8ToGbk(name));
    }

    std::string keyword() override { return keyword_; }
    std::string selectedItemText(Combo) override { return count_; }
    int selectedIndex(Combo) override { return count_.empty() ? -1 : 0; }
    std::vector<std::string> checkedItems() override { return checked_; }
    void clearRows() override {
        std::lock_guard lock(mutex_);
        rows_.clear();
        log_.push_back("clear");
    }
    int rowCount() override {
        std::lock_guard lock(mutex_);
        return static_cast<int>(rows_.size());
    }
    int appendRow(std::string_view number) override {
        std::lock_guard lock(mutex_);
        rows_.emplace_back(static_cast<std::size_t>(columns_));
        rows_.back()[0] = gbkToUtf8(number);
        log_.push_back("row " + gbkToUtf8(number));
        return static_cast<int>(rows_.size()) - 1;
    }
    void setCell(int row, int column, std::string_view text) override {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size())) return;
        rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = gbkToUtf8(text);
    }
    void setStatus(int part, std::string_view text) override {
        std::lock_guard lock(mutex_);
        log_.push_back("status " + std::to_string(part) + " " + gbkToUtf8(text));
    }
    void enableStart() override {
        std::lock_guard lock(mutex_);
        log_.push_back("enable");
    }

    std::vector<Row> rows() const {
        std::lock_guard lock(mutex_);
        return rows_;
    }
    // "clear", "row N", "status P TEXT", "enable" in the order they happened.
    std::vector<std::string> log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

private:
    int columns_;
    std::string keyword_;
    std::string count_;
    std::vector<std::string> checked_;
    mutable std::mutex mutex_;
    std::vector<Row> rows_;
    std::vector<std::string> log_;
};

}  // namespace orvanix::test
