#pragma once

#include "fittings/fittinglosses.h"

#include <QAbstractTableModel>

// The table of the Fitting losses window: a row per counted fitting type, then all the
// fittings together and the case's total, with the texts of FittingTexts.
class FittingLossesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(FittingLosses::Table table);
    const FittingLosses::Table &table() const { return m_table; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    FittingLosses::Table m_table;
};
