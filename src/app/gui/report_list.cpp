#include "app/gui/report_list.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace orvanix {

RowModel::RowModel(QStringList columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int RowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return cell(index.row(), index.column());
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columns_.size()) return {};
    return columns_[section];
}

int RowModel::appendRow(const QString& first) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    QStringList cells;
    cells.reserve(columns_.size());
    cells.append(first);
    for (qsizetype i = 1; i < columns_.size(); ++i) cells.append(QString());
    rows_.push_back(std::move(cells));
    endInsertRows();
    return row;
}

void RowModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    rows_[row][column] = text;
    const auto at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

QString RowModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return rows_[row][column];
}

void RowModel::clear() {
    if (rows_.empty()) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

ReportList::ReportList(const QString& name, QStringList columns, QWidget* parent)
    : QTableView(parent), model_(new RowModel(std::move(columns), this)) {
    setObjectName(name);
    setModel(model_);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultSectionSize(100);
    horizontalHeader()->resizeSection(0, 48);
    if (model_->columnCount() > 2) horizontalHeader()->resizeSection(1, 220);  // names are long
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ReportList::headerClicked);
}

int ReportList::currentRow() const {
    const auto index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::RightButton) {
        // A right click also selects the row under the pointer, as report lists do.
        const auto index = indexAt(event->position().toPoint());
        if (index.isValid()) setCurrentIndex(index);
    }
}

void ReportList::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) emit rightClicked();
    if (event->button() == Qt::LeftButton) emit leftClicked();
}

}  // namespace orvanix
