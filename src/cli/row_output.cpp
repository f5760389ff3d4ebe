#include "cli/row_output.h"

namespace orvanix {

std::string escapeCell(std::string_view cell) {
    std::string escaped;
    escaped.reserve(cell.size());
    for (const char c : cell) {
        switch (c) {
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void writeRowLine(std::ostream& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out << '\t';
        out << escapeCell(cells[i]);
    }
    out << '\n';
}

}  // namespace orvanix
