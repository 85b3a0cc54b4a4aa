#include "fittings/ui/fittinglosseswindow.h"

#include "calc/dialogs.h"
#include "fittings/fittingtexts.h"
#include "fittings/ui/fittinglossesmodel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString WindowCaption = QStringLiteral("Fitting losses");
const QString TableName = QStringLiteral("Fitting losses by method");
const QString Legend = QStringLiteral(
    "Each counted fitting by the main window's l/d and by the published methods at the "
    "case's Reynolds number. The tooltip of a K names its published row. The System curve "
    "window draws the curve by the method of your choice.");
const QString ExportCaption = QStringLiteral("Export CSV ...");
const QString CloseCaption = QStringLiteral("Close");

} // namespace

FittingLossesWindow::FittingLossesWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
{
    setWindowTitle(WindowCaption);
    buildWindow();
    setCase({});
}

QLabel *FittingLossesWindow::addLine()
{
    auto *line = new QLabel(this);
    line->setWordWrap(true);
    // Reachable by Tab, so that the keyboard reads every line.
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return line;
}

void FittingLossesWindow::buildWindow()
{
    m_model = new FittingLossesModel(this);
    auto *legend = new QLabel(Legend, this);
    legend->setWordWrap(true);
    m_conditions = addLine();

    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setAccessibleName(TableName);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_spread = addLine();
    m_note = addLine();
    m_leftOut = addLine();

    m_export = new QPushButton(ExportCaption, this);
    m_export->setAccessibleName(QStringLiteral("Export CSV"));
    m_close = new QPushButton(CloseCaption, this);
    m_close->setAccessibleName(CloseCaption);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(legend);
    layout->addWidget(m_conditions);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_spread);
    layout->addWidget(m_note);
    layout->addWidget(m_leftOut);
    layout->addLayout(buttons);
    resize(1100, 420);

    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

void FittingLossesWindow::showLine(QLabel *line, const QString &text)
{
    line->setText(text);
    line->setAccessibleName(text);
    line->setVisible(!text.isEmpty());
}

void FittingLossesWindow::setCase(
    const CaseInput &c, const std::optional<CalcEngine::Outcome> &computed)
{
    FittingLosses::Table table = FittingLosses::of(c, computed);
    showLine(m_conditions, FittingTexts::conditions(table));
    showLine(m_spread, FittingTexts::spread(table));
    showLine(m_note, FittingTexts::note(table));
    showLine(m_leftOut, FittingTexts::leftOut(table));
    m_model->setTable(std::move(table));
    m_export->setEnabled(m_model->rowCount() > 0);
}

void FittingLossesWindow::exportCsv()
{
    Dialogs::FileDialogSetup setup;
    setup.filterDescription = QStringLiteral("CSV files");
    setup.filterPattern = QStringLiteral("*.csv");
    setup.title = QStringLiteral("Export fitting losses");
    setup.defaultSuffix = QStringLiteral("csv");
    const QString path = m_dialogs.saveFileName(setup);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(FittingLosses::csv(m_model->table())) < 0
        || !file.commit()) {
        m_dialogs.messageBox(QStringLiteral("Cannot export to \"%1\": %2.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()),
            Dialogs::Icon::Warning);
    }
}
