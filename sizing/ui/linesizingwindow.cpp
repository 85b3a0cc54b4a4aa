#include "sizing/ui/linesizingwindow.h"

#include "calc/dialogs.h"
#include "calc/fieldtable.h"
#include "calc/numbertext.h"
#include "sizing/sizingtable.h"
#include "sizing/ui/linesizingmodel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString WindowCaption = QStringLiteral("Line sizing");
const QString TableLabel = QStringLiteral("Pipe table:");
const QString IsoChoice = QStringLiteral("ISO 2853-1976 (E)");
const QString DinChoice = QStringLiteral("DIN 2448/1629 - NEN 2323");
const QString AllChoice = QStringLiteral("ISO and DIN");
const QString LoadTableCaption = QStringLiteral("Load table ...");
const QString LoadTableTip = QStringLiteral(
    "A CSV file with the header \"size,inner diameter [mm]\" and one pipe per line, "
    "for example \"DN 50,54.5\"; \".\" as decimal separator");
const QString LimitsCaption = QStringLiteral("Limits");
const QString LimitsTip = QStringLiteral(
    "Rows whose velocity lies within the band and whose friction loss per 100 m of "
    "straight pipe is at most the given value are marked. 0.5 to 3 m/s and 0.5 bar "
    "per 100 m are the usual rules of thumb for liquids: slow enough for neither "
    "erosion nor water hammer, fast enough not to let solids settle.");
const QString VelocityFrom = QStringLiteral("velocity from");
const QString VelocityTo = QStringLiteral("to");
const QString VelocityUnit = QStringLiteral("m/s");
const QString DropAtMost = QStringLiteral("pressure drop at most");
const QString DropUnit = QStringLiteral("bar/100 m");
const QString Legend = QStringLiteral("Marked green, \"yes\": within the limits. Bold: the "
                                      "inner diameter of the main window.");
const QString TableName = QStringLiteral("Pipe sizes");
const QString UseCaption = QStringLiteral("Use this size");
const QString UseTip = QStringLiteral("Write the inner diameter of the chosen row into the main "
                                      "window (Enter on a row does the same)");
const QString ExportCaption = QStringLiteral("Export CSV ...");
const QString CloseCaption = QStringLiteral("Close");

Dialogs::FileDialogSetup csvSetup(const QString &title)
{
    Dialogs::FileDialogSetup setup;
    setup.filterDescription = QStringLiteral("CSV files");
    setup.filterPattern = QStringLiteral("*.csv");
    setup.title = title;
    setup.defaultSuffix = QStringLiteral("csv");
    return setup;
}

NumberSpinBox *limitBox(QWidget *parent, double value, double maximum, const QString &name)
{
    auto *box = new NumberSpinBox(parent);
    box->setRange(0, maximum);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setValue(value);
    box->setAccessibleName(name);
    box->setToolTip(LimitsTip);
    // A limit counts once it is typed in full (Enter or leaving the box), so that a
    // band is never judged half-typed.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

LineSizingWindow::LineSizingWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
{
    setWindowTitle(WindowCaption);
    buildWindow();
    recalculate();
}

QWidget *LineSizingWindow::buildTableChoice()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(TableLabel, row);
    m_tableChoice = new QComboBox(row);
    m_tableChoice->addItems({IsoChoice, DinChoice, AllChoice});
    m_tableChoice->setCurrentIndex(AllTables);
    m_tableChoice->setAccessibleName(QStringLiteral("Pipe table"));
    label->setBuddy(m_tableChoice);
    m_loadTable = new QPushButton(LoadTableCaption, row);
    m_loadTable->setToolTip(LoadTableTip);
    m_loadTable->setAccessibleName(QStringLiteral("Load pipe table"));
    layout->addWidget(label);
    layout->addWidget(m_tableChoice, 1);
    layout->addWidget(m_loadTable);
    connect(m_tableChoice, &QComboBox::currentIndexChanged, this, [this] { recalculate(); });
    connect(m_loadTable, &QPushButton::clicked, this, [this] { loadTable(); });
    return row;
}

QWidget *LineSizingWindow::buildLimits()
{
    const SizingLimits defaults;
    auto *box = new QGroupBox(LimitsCaption, this);
    box->setToolTip(LimitsTip);
    auto *layout = new QHBoxLayout(box);
    m_minVelocity = limitBox(box, defaults.minVelocity, 100, QStringLiteral("Lowest velocity"));
    m_maxVelocity = limitBox(box, defaults.maxVelocity, 100, QStringLiteral("Highest velocity"));
    m_maxDrop = limitBox(
        box, defaults.maxDropPer100m, 1000, QStringLiteral("Highest pressure drop per 100 m"));
    layout->addWidget(new QLabel(VelocityFrom, box));
    layout->addWidget(m_minVelocity);
    layout->addWidget(new QLabel(VelocityTo, box));
    layout->addWidget(m_maxVelocity);
    layout->addWidget(new QLabel(VelocityUnit, box));
    layout->addSpacing(16);
    layout->addWidget(new QLabel(DropAtMost, box));
    layout->addWidget(m_maxDrop);
    layout->addWidget(new QLabel(DropUnit, box));
    layout->addStretch(1);
    for (NumberSpinBox *limit : {m_minVelocity, m_maxVelocity, m_maxDrop}) {
        connect(limit, &QDoubleSpinBox::valueChanged, this, [this, limit] { limitsEdited(limit); });
        connect(limit, &NumberSpinBox::refused, this, [this, limit](const QString &text) {
            m_note->setText(SizingTable::refusedLimit(text, limit->minimum(), limit->maximum()));
            m_note->show();
        });
    }
    return box;
}

void LineSizingWindow::buildWindow()
{
    m_model = new LineSizingModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(LineSizingModel::SortRole);

    // Created in the order of the layout, which is the order of Tab.
    QWidget *tableChoice = buildTableChoice();
    QWidget *limits = buildLimits();
    auto *legend = new QLabel(Legend, this);
    legend->setWordWrap(true);

    m_table = new QTableView(this);
    m_table->setModel(m_sorted);
    m_table->setAccessibleName(TableName);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // The table's own order until the user clicks a heading.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto *copy = new QAction(QStringLiteral("Copy rows"), m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &LineSizingWindow::copyRows);
    m_table->addAction(copy);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setAccessibleDescription(QStringLiteral("Note"));
    m_note->hide();

    m_use = new QPushButton(UseCaption, this);
    m_use->setToolTip(UseTip);
    m_use->setAccessibleName(UseCaption);
    m_export = new QPushButton(ExportCaption, this);
    m_export->setAccessibleName(QStringLiteral("Export CSV"));
    m_close = new QPushButton(CloseCaption, this);
    m_close->setAccessibleName(CloseCaption);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_use);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tableChoice);
    layout->addWidget(limits);
    layout->addWidget(legend);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
    resize(1180, 620);

    connect(m_table, &QAbstractItemView::activated, this, [this] { useThisSize(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_rowChosen = !m_choosingRow;
        updateUseButton();
    });
    connect(m_sorted, &QAbstractItemModel::modelReset, this, [this] { updateUseButton(); });
    connect(m_use, &QPushButton::clicked, this, [this] { useThisSize(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    updateUseButton();
}

void LineSizingWindow::setCase(
    const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed)
{
    m_case = c;
    m_computed = computed;
    recalculate();
}

std::vector<PipeSize> LineSizingWindow::currentPipes() const
{
    switch (m_tableChoice->currentIndex()) {
    case IsoTable:
        return PipeTable::builtIn(PipeTable::Standard::Iso);
    case DinTable:
        return PipeTable::builtIn(PipeTable::Standard::Din);
    case UserTable:
        return m_userPipes;
    default:
        return PipeTable::builtIn(PipeTable::Standard::All);
    }
}

void LineSizingWindow::recalculate()
{
    const double diameter = m_case.inputs.InnerDiameter;
    std::vector<SizingRow> rows;
    for (const PipeSize &pipe : currentPipes()) {
        // The main window's own diameter was calculated there already.
        rows.push_back(m_computed && LineSizing::isCurrentDiameter(pipe, diameter)
                ? LineSizing::rowOf(pipe, m_case, *m_computed)
                : LineSizing::row(pipe, m_case));
    }
    m_model->setRows(std::move(rows), diameter);
    selectCurrentDiameter();
}

void LineSizingWindow::selectCurrentDiameter()
{
    if (!m_table->currentIndex().isValid())
        m_rowChosen = false; // a new table
    if (m_rowChosen || m_sorted->rowCount() == 0)
        return;
    const double diameter = m_case.inputs.InnerDiameter;
    int nearest = 0;
    for (int row = 1; row < m_sorted->rowCount(); ++row) {
        const auto distance = [&](int r) {
            const int source = m_sorted->mapToSource(m_sorted->index(r, 0)).row();
            return std::abs(m_model->rows()[size_t(source)].pipe.innerDiameter - diameter);
        };
        if (distance(row) < distance(nearest))
            nearest = row;
    }
    const QModelIndex index = m_sorted->index(nearest, LineSizingModel::StandardColumn);
    m_choosingRow = true;
    m_table->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_choosingRow = false;
    m_table->scrollTo(index);
}

void LineSizingWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_fitted) {
        m_fitted = true;
        fitToColumns();
    }
    m_table->scrollTo(m_table->currentIndex());
}

void LineSizingWindow::fitToColumns()
{
    // What the columns take at their contents' width; the last one, which stretches,
    // takes at least the default width of a column (and all of the view where the
    // columns leave room, which then needs no wider window).
    const QHeaderView *header = m_table->horizontalHeader();
    const int last = header->count() - 1;
    const int columns = header->length() - header->sectionSize(last)
        + std::max(header->sectionSize(last), header->defaultSectionSize());
    // The table's frame and scroll bar, and the window's margins beside it.
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.left() + margins.right() + 2 * m_table->frameWidth()
        + m_table->verticalScrollBar()->sizeHint().width();
    int wanted = columns + chrome;
    if (const QScreen *s = screen())
        wanted = std::min(wanted, s->availableGeometry().width());
    if (wanted > width())
        resize(wanted, height());
}

void LineSizingWindow::limitsEdited(QDoubleSpinBox *edited)
{
    SizingLimits limits;
    limits.minVelocity = m_minVelocity->value();
    limits.maxVelocity = m_maxVelocity->value();
    limits.maxDropPer100m = m_maxDrop->value();
    if (!limits.isOrdered()) {
        // Refused: the box goes back to the limit in use, and the note says why.
        m_note->setText(SizingTable::reversedBand(limits.minVelocity, limits.maxVelocity));
        m_note->show();
        const QSignalBlocker quiet(edited);
        edited->setValue(edited == m_minVelocity ? m_limits.minVelocity : m_limits.maxVelocity);
        return;
    }
    m_note->hide();
    m_limits = limits;
    m_model->setLimits(limits);
}

void LineSizingWindow::updateUseButton()
{
    m_use->setEnabled(m_table->currentIndex().isValid());
}

void LineSizingWindow::copyRows()
{
    std::vector<const SizingRow *> rows;
    QModelIndexList selected = m_table->selectionModel()->selectedRows();
    // In the order on screen, whatever the order of clicking.
    std::sort(selected.begin(), selected.end(),
        [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : selected)
        rows.push_back(&m_model->rows()[size_t(m_sorted->mapToSource(index).row())]);
    if (rows.empty())
        return;
    QApplication::clipboard()->setText(SizingTable::tabSeparated(rows, m_limits));
}

void LineSizingWindow::loadTable()
{
    const QString path = m_dialogs.openFileName(csvSetup(QStringLiteral("Load pipe table")));
    if (path.isEmpty())
        return;
    const PipeTable::LoadResult loaded = PipeTable::load(path);
    if (!loaded.ok()) {
        // The table in use stays as it was.
        m_dialogs.messageBox(loaded.errorMessage, Dialogs::Icon::Warning);
        return;
    }
    m_userPipes = *loaded.pipes;
    const QString name = QFileInfo(path).fileName();
    if (m_tableChoice->count() > UserTable)
        m_tableChoice->setItemText(UserTable, name);
    else
        m_tableChoice->addItem(name);
    if (m_tableChoice->currentIndex() == UserTable)
        recalculate();
    else
        m_tableChoice->setCurrentIndex(UserTable);
}

void LineSizingWindow::exportCsv()
{
    const QString path = m_dialogs.saveFileName(csvSetup(QStringLiteral("Export line sizing")));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(SizingTable::csv(m_model->rows(), m_limits)) < 0 || !file.commit()) {
        m_dialogs.messageBox(QStringLiteral("Cannot export to \"%1\": %2.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()),
            Dialogs::Icon::Warning);
    }
}

void LineSizingWindow::useThisSize()
{
    const QModelIndex current = m_sorted->mapToSource(m_table->currentIndex());
    if (!current.isValid())
        return;
    const PipeSize &pipe = m_model->rows()[size_t(current.row())].pipe;
    if (pipe.isBuiltIn()) {
        m_note->hide();
        Q_EMIT pickerEntryChosen(pipe.pickerStandard, pipe.pickerPosition);
    } else {
        m_note->setText(SizingTable::notInPicker(pipe));
        m_note->show();
    }
    Q_EMIT fieldWritten(EntryField::InnerDiameter, NumberText::plain(pipe.innerDiameter));
    Q_EMIT handedOver(EntryField::InnerDiameter);
}
