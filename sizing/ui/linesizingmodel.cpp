#include "sizing/ui/linesizingmodel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

const QString &StandardHeading = SizingTable::TableHeading;
const QString StandardDescription = QStringLiteral("The pipe table the row comes from");
const QString &LimitsHeading = SizingTable::LimitsHeading;
const QString LimitsDescription
    = QStringLiteral("Whether the velocity and the pressure drop per 100 m lie within the limits");
const QString &WithinLimits = SizingTable::WithinLimits;
const QString CurrentDiameter = QStringLiteral("The inner diameter of the main window");
// A pale green that keeps black text readable.
const QColor WithinLimitsColour(0xd8, 0xf0, 0xd0);

// One word a line and the unit on a line of its own keep the columns narrow:
// "pressure drop [bar/100 m]" becomes three lines.
QString narrowHeading(const QString &heading)
{
    const qsizetype unit = heading.indexOf(QStringLiteral(" ["));
    QString name = unit < 0 ? heading : heading.left(unit);
    name.replace(QLatin1Char(' '), QLatin1Char('\n'));
    return unit < 0 ? name : name + QLatin1Char('\n') + heading.mid(unit + 1);
}

bool samePipes(const std::vector<SizingRow> &a, const std::vector<SizingRow> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].pipe.innerDiameter != b[i].pipe.innerDiameter || a[i].pipe.size != b[i].pipe.size
            || a[i].pipe.standard != b[i].pipe.standard)
            return false;
    }
    return true;
}

} // namespace

void LineSizingModel::setRows(std::vector<SizingRow> rows, double currentDiameter)
{
    m_currentDiameter = currentDiameter;
    if (samePipes(rows, m_rows)) {
        m_rows = std::move(rows);
        allRowsChanged();
        return;
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void LineSizingModel::setLimits(const SizingLimits &limits)
{
    m_limits = limits;
    allRowsChanged();
}

void LineSizingModel::allRowsChanged()
{
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool LineSizingModel::isCurrent(const SizingRow &row) const
{
    return LineSizing::isCurrentDiameter(row.pipe, m_currentDiameter);
}

int LineSizingModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LineSizingModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LimitsColumn + 1;
}

QVariant LineSizingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SizingRow &row = m_rows[size_t(index.row())];
    const int section = index.column();
    const bool textColumn = section == StandardColumn || section == LimitsColumn;
    const auto column = SizingTable::Column(section - 1);
    const bool within = row.withinLimits(m_limits);

    switch (role) {
    case Qt::DisplayRole:
        if (section == StandardColumn)
            return row.pipe.standard;
        if (section == LimitsColumn)
            return within ? WithinLimits : QString();
        return SizingTable::text(row, column);
    case SortRole:
        if (section == StandardColumn)
            return row.pipe.standard;
        if (section == LimitsColumn)
            return within ? 0.0 : 1.0;
        if (column == SizingTable::Column::Regime)
            return SizingTable::regimeText(row.status);
        return SizingTable::sortKey(row, column);
    case Qt::TextAlignmentRole:
        if (textColumn || column == SizingTable::Column::Size
            || column == SizingTable::Column::Regime)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return within ? QVariant(QBrush(WithinLimitsColour)) : QVariant();
    case Qt::ForegroundRole:
        return within ? QVariant(QBrush(Qt::black)) : QVariant();
    case Qt::FontRole:
        if (isCurrent(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return isCurrent(row) ? CurrentDiameter : QVariant();
    default:
        return {};
    }
}

QVariant LineSizingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto column = SizingTable::Column(section - 1);
    if (role == Qt::DisplayRole) {
        if (section == StandardColumn)
            return StandardHeading;
        if (section == LimitsColumn)
            return narrowHeading(LimitsHeading);
        return narrowHeading(SizingTable::heading(column));
    }
    if (role == Qt::ToolTipRole) {
        if (section == StandardColumn)
            return StandardDescription;
        if (section == LimitsColumn)
            return LimitsDescription;
        return SizingTable::description(column);
    }
    return {};
}
