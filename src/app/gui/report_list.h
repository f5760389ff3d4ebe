#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <vector>

namespace orvanix {

// The rows of one report list: plain text cells, appended at the end.
class RowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RowModel(QStringList columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Appends a row whose first cell is `first`; returns its index.
    int appendRow(const QString& first);
    // Sets one cell; a row or column out of range is ignored.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    void clear();

private:
    QStringList columns_;
    std::vector<QStringList> rows_;
};

// A report-style list: column headers, whole-row selection, one model. A table
// view, which takes appended rows without laying out the rows before them again.
class ReportList : public QTableView {
    Q_OBJECT
public:
    ReportList(const QString& name, QStringList columns, QWidget* parent);

    RowModel& rows() { return *model_; }
    // The selected row, or -1.
    int currentRow() const;

signals:
    // A right click anywhere in the list's client area.
    void rightClicked();
    // A left click in the client area.
    void leftClicked();
    // A click on a column header, with its 0-based index.
    void headerClicked(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    RowModel* model_;
};

}  // namespace orvanix
