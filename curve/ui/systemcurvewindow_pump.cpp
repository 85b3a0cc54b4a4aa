#include "curve/ui/systemcurvewindow.h"

#include "calc/numbertext.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

// The window's pump table: typed, pasted from a spreadsheet or filled from a file, in
// l/h or m3/h; every change is read as a whole and redraws.
namespace {

const std::array<QString, 3> OtherColumns
    = {QStringLiteral("Head [m]"), QStringLiteral("Efficiency [%]"), QStringLiteral("NPSHr [m]")};
constexpr int BlankPumpRows = 8;

} // namespace

void SystemCurveWindow::setupPumpTable()
{
    m_pumpTable->setAccessibleName(QStringLiteral("Pump points"));
    m_pumpTable->setAccessibleDescription(
        QStringLiteral("Flow, head, efficiency and NPSHr per point; F2 edits a cell, Ctrl+V "
                       "pastes rows copied from a spreadsheet."));
    m_pumpTable->setRowCount(BlankPumpRows);
    m_pumpTable->setHorizontalHeaderItem(0, new QTableWidgetItem(CurveTexts::flowHeading(m_unit)));
    for (int c = 1; c < m_pumpTable->columnCount(); ++c)
        m_pumpTable->setHorizontalHeaderItem(c, new QTableWidgetItem(OtherColumns[size_t(c - 1)]));
    m_pumpTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Tab leaves the table, so that the window can be gone through with the keyboard.
    m_pumpTable->setTabKeyNavigation(false);
    connect(m_pumpTable, &QTableWidget::itemChanged, this, [this] {
        if (!m_fillingTable)
            readPumpTable();
    });
    auto *paste = new QAction(QStringLiteral("Paste rows"), m_pumpTable);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    connect(paste, &QAction::triggered, this, &SystemCurveWindow::pasteRows);
    m_pumpTable->addAction(paste);
    m_pumpTable->setContextMenuPolicy(Qt::ActionsContextMenu);
}

CurveTexts::FlowUnit SystemCurveWindow::currentUnit() const
{
    return CurveTexts::FlowUnit(m_flowUnit->currentData().toInt());
}

void SystemCurveWindow::readPumpTable()
{
    std::vector<CurveTexts::PumpRowTexts> rows;
    for (int r = 0; r < m_pumpTable->rowCount(); ++r) {
        CurveTexts::PumpRowTexts texts;
        for (int c = 0; c < int(texts.size()); ++c) {
            const QTableWidgetItem *item = m_pumpTable->item(r, c);
            texts[size_t(c)] = item ? item->text() : QString();
        }
        rows.push_back(texts);
    }
    CurveTexts::TableRead read = CurveTexts::pumpFromTable(rows, m_unit);
    m_pump = std::move(read.curve);
    m_pumpFault = read.error;
    m_pumpFile.reset(); // an edit makes it a curve typed in
    m_pumpStatus->setText(read.error);
    recompute();
}

void SystemCurveWindow::showPump(const PumpCurve &pump)
{
    const std::vector<CurveTexts::PumpRowTexts> rows = CurveTexts::tableTexts(pump, m_unit);
    m_fillingTable = true;
    m_pumpTable->clearContents();
    m_pumpTable->setRowCount(std::max(int(rows.size()) + 2, BlankPumpRows));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
            m_pumpTable->setItem(r, c, new QTableWidgetItem(rows[size_t(r)][size_t(c)]));
    }
    m_fillingTable = false;
    m_pump = pump;
    m_pumpFault.clear();
    m_pumpStatus->clear();
    recompute();
}

// The flows in the table are converted to the new unit, so that the curve stays the
// same; a cell that is not a number stays as typed.
void SystemCurveWindow::changeFlowUnit()
{
    const CurveTexts::FlowUnit from = m_unit;
    m_unit = currentUnit();
    m_pumpTable->horizontalHeaderItem(0)->setText(CurveTexts::flowHeading(m_unit));
    const std::optional<QString> file = m_pumpFile;
    m_fillingTable = true;
    for (int r = 0; r < m_pumpTable->rowCount(); ++r) {
        QTableWidgetItem *item = m_pumpTable->item(r, 0);
        const std::optional<double> flow
            = item ? NumberText::parse(item->text()) : std::optional<double>();
        if (flow) {
            item->setText(NumberText::plain(
                CurveTexts::fromLitresPerHour(CurveTexts::toLitresPerHour(*flow, from), m_unit)));
        }
    }
    m_fillingTable = false;
    readPumpTable();
    m_pumpFile = file;
}

void SystemCurveWindow::pasteRows()
{
    const std::vector<QStringList> cells
        = CurveTexts::pastedCells(QApplication::clipboard()->text());
    if (cells.empty())
        return;
    const QModelIndex current = m_pumpTable->currentIndex();
    const int top = current.isValid() ? current.row() : 0;
    const int left = current.isValid() ? current.column() : 0;
    const int needed = top + int(cells.size());
    if (m_pumpTable->rowCount() < needed)
        m_pumpTable->setRowCount(needed);
    m_fillingTable = true;
    for (int r = 0; r < int(cells.size()); ++r) {
        const QStringList &row = cells[size_t(r)];
        for (int c = 0; c < int(row.size()) && left + c < m_pumpTable->columnCount(); ++c)
            m_pumpTable->setItem(top + r, left + c, new QTableWidgetItem(row[c].trimmed()));
    }
    m_fillingTable = false;
    readPumpTable();
}
