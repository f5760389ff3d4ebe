#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanix {

// The status bar parts that a search writes.
inline constexpr int kStatusPart = 1;  // "正在搜索中。。。。", "搜索完成", "搜索已停止"
inline constexpr int kRowCountPart = 3;     // rows of the last finished search
inline constexpr int kDescriptionPart = 5;  // description of the page or source

// The combo boxes of a search tab.
enum class Combo { Count, Mode };

// What a search worker may ask of its tab. Texts are GBK. The window's side runs
// each call on the GUI thread after checking the worker's stop token there, so a
// stopped worker's calls do nothing (reads give empty values); the command-line
// companion and the tests have their own sides.
class SearchPort {
public:
    virtual ~SearchPort() = default;
    // The tab's keyword box, read now.
    virtual std::string keyword() = 0;
    // The selected item's text of a combo; empty when nothing is selected.
    virtual std::string selectedItemText(Combo combo) = 0;
    // The selected item's index of a combo; -1 when nothing is selected.
    virtual int selectedIndex(Combo combo) = 0;
    // The texts of the ticked items of the tab's check list, in list order.
    virtual std::vector<std::string> checkedItems() = 0;
    virtual void clearRows() = 0;
    virtual int rowCount() = 0;
    // Appends a row whose column 0 is `number`; returns its index (-1: not appended).
    virtual int appendRow(std::string_view number) = 0;
    virtual void setCell(int row, int column, std::string_view text) = 0;
    virtual void setStatus(int part, std::string_view text) = 0;
    // Enables the tab's start button.
    virtual void enableStart() = 0;
};

}  // namespace orvanix
