#include "cli/console_port.h"

#include "web/code_page.h"

namespace orvanix {

ConsolePort::ConsolePort(Controls controls, int columns, std::ostream& status)
    : controls_(std::move(controls)), columns_(columns), status_(status) {}

std::string ConsolePort::selectedItemText(Combo combo) {
    return combo == Combo::Count ? controls_.countText : controls_.modeText;
}

int ConsolePort::selectedIndex(Combo combo) {
    return combo == Combo::Count ? controls_.countIndex : controls_.modeIndex;
}

int ConsolePort::appendRow(std::string_view number) {
    rows_.emplace_back(static_cast<std::size_t>(columns_));
    rows_.back()[0] = std::string(number);
    return static_cast<int>(rows_.size()) - 1;
}

void ConsolePort::setCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::string(text);
}

void ConsolePort::setStatus(int part, std::string_view text) {
    const char* caption = part == kStatusPart        ? "状态："
                          : part == kRowCountPart    ? "列表数量："
                          : part == kDescriptionPart ? "说明："
                                                     : "";
    status_ << caption << gbkToUtf8(text) << '\n' << std::flush;
}

}  // namespace orvanix
