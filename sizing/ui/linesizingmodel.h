#pragma once

#include "sizing/linesizing.h"
#include "sizing/sizingtable.h"

#include <QAbstractTableModel>

#include <vector>

// The rows of the line sizing table for a view: the table the pipe comes from, the
// columns of SizingTable, and a last column that says whether the row meets the
// limits. Rows within the limits are marked, the row of the current diameter is bold.
class LineSizingModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The number a column sorts by (a double).
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int StandardColumn = 0;
    // The column "within limits", after those of SizingTable.
    static constexpr int LimitsColumn = SizingTable::ColumnCount + 1;
    // The model's column of a column of SizingTable.
    static constexpr int columnOf(SizingTable::Column column) { return int(column) + 1; }

    using QAbstractTableModel::QAbstractTableModel;

    // New numbers for the rows. When the pipes are the same as before, the rows stay
    // (and with them a view's selection); otherwise the model is reset.
    void setRows(std::vector<SizingRow> rows, double currentDiameter);
    void setLimits(const SizingLimits &limits);

    const std::vector<SizingRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool isCurrent(const SizingRow &row) const;
    void allRowsChanged();

    std::vector<SizingRow> m_rows;
    double m_currentDiameter = 0;
    SizingLimits m_limits;
};
