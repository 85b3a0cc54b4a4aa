#include "fittings/ui/fittinglossesmodel.h"

#include "fittings/fittingtexts.h"

#include <QFont>

void FittingLossesModel::setTable(FittingLosses::Table table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int FittingLossesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FittingTexts::rowCount(m_table);
}

int FittingLossesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FittingTexts::ColumnCount;
}

QVariant FittingLossesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool summary = index.row() >= int(m_table.rows.size());
    switch (role) {
    case Qt::DisplayRole:
        return FittingTexts::cell(m_table, index.row(), index.column());
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString source = FittingTexts::cellDescription(m_table, index.row(), index.column());
        return source.isEmpty() ? FittingTexts::description(index.column()) : source;
    }
    case Qt::TextAlignmentRole:
        return index.column() == FittingTexts::TypeColumn ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                          : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (summary) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant FittingLossesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return FittingTexts::heading(section);
    if (role == Qt::ToolTipRole)
        return FittingTexts::description(section);
    return {};
}
