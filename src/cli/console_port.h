#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "search/search_port.h"

namespace orvanix {

// A search tab without a window: the controls' values are fixed when the port is
// made, the rows are kept in memory, and status texts go to `status` as UTF-8
// lines headed by the status bar's captions ("状态：", "列表数量：", "说明：").
class ConsolePort : public SearchPort {
public:
    struct Controls {
        std::string keyword;    // GBK
        std::string countText;  // the count combo's selected item
        int countIndex = -1;
        std::string modeText;
        int modeIndex = -1;
        std::vector<std::string> checkedItems;  // GBK
    };

    ConsolePort(Controls controls, int columns, std::ostream& status);

    std::string keyword() override { return controls_.keyword; }
    std::string selectedItemText(Combo combo) override;
    int selectedIndex(Combo combo) override;
    std::vector<std::string> checkedItems() override { return controls_.checkedItems; }
    void clearRows() override { rows_.clear(); }
    int rowCount() override { return static_cast<int>(rows_.size()); }
    int appendRow(std::string_view number) override;
    void setCell(int row, int column, std::string_view text) override;
    void setStatus(int part, std::string_view text) override;
    void enableStart() override {}

    // The rows in list order, GBK cells.
    const std::vector<std::vector<std::string>>& rows() const { return rows_; }

private:
    Controls controls_;
    int columns_;
    std::ostream& status_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace orvanix
