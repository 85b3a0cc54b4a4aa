#include "pickers/frmabsruwheid.h"

#include "calc/basgeneral.h"
#include "calc/fieldtable.h"
#include "calc/numbertext.h"
#include "pickers/pickertables.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString WindowCaption = QStringLiteral("Pipe Data");
const QString FrameCaption = QStringLiteral("Surface roughness value [E] ");
const QString OkCaption = QStringLiteral("OK");
} // namespace

frmAbsRuwheid::frmAbsRuwheid(BasGeneral &general, QWidget *parent)
    : ToolWindow(parent)
    , m_general(general)
{
    // Closed by its close box, the picker is gone; the next opening starts afresh from
    // the remembered choice.
    setWindowTitle(WindowCaption);
    buildWindow();
}

void frmAbsRuwheid::buildWindow()
{
    m_frame = new QGroupBox(FrameCaption, this);
    auto *rows = new QVBoxLayout(m_frame);
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);
    const int indent = fontMetrics().horizontalAdvance(QStringLiteral("xxx"));
    int group = -1;
    for (size_t i = 0; i < RoughnessTable.size(); ++i) {
        const RoughnessRow &row = RoughnessTable[i];
        if (row.group != group) {
            group = row.group;
            auto *heading
                = new QLabel(QString::fromLatin1(RoughnessGroups.at(size_t(group))), m_frame);
            if (group > 0)
                rows->addSpacing(6);
            rows->addWidget(heading);
            m_label1[size_t(group)] = heading;
        }
        auto *option = new QRadioButton(QString::fromLatin1(row.caption), m_frame);
        // "new" and "very rusted" stand under two headings: a screen reader says which.
        option->setAccessibleName(QStringLiteral("%1, %2").arg(
            QLatin1String(RoughnessGroups.at(size_t(row.group))), QLatin1String(row.caption)));
        auto *line = new QHBoxLayout;
        line->addSpacing(indent);
        line->addWidget(option);
        line->addStretch();
        rows->addLayout(line);
        m_options->addButton(option, int(i));
        m_option1[i] = option;
    }

    m_command1 = new QPushButton(OkCaption, this);
    m_command1->setAutoDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // OK first, then the options in table order.
    QWidget *previous = m_command1;
    for (QRadioButton *option : m_option1) {
        setTabOrder(previous, option);
        previous = option;
    }
    m_command1->setFocus();

    // A new selection (click, arrow key or the load step) applies its row; a click on
    // the option already selected applies it again, over a value typed meanwhile.
    connect(m_options, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Option1_Click(id);
    });
    connect(m_options, &QButtonGroup::idClicked, this, &frmAbsRuwheid::Option1_Click);
    connect(m_command1, &QPushButton::clicked, this, &frmAbsRuwheid::Command1_Click);
}

// The remembered choice is applied at once, as a click on it would.
void frmAbsRuwheid::Form_Load()
{
    BasGeneral &general = m_general;
    const int choice = general.RoughnessChoice;
    if (choice < 0 || choice >= int(m_option1.size()))
        return;
    if (m_option1[size_t(choice)]->isChecked())
        Option1_Click(choice);
    else
        m_option1[size_t(choice)]->setChecked(true);
}

void frmAbsRuwheid::Option1_Click(int index)
{
    if (isClosing() || index < 0 || index >= int(RoughnessTable.size()))
        return;
    BasGeneral &general = m_general;
    const double roughness = RoughnessTable[size_t(index)].roughness;
    general.WallRoughness = roughness;
    // The main window recalculates only when the field is handed over (OK).
    Q_EMIT fieldWritten(EntryField::WallRoughness, NumberText::plain(roughness));
    general.RoughnessChoice = qint16(index);
}

void frmAbsRuwheid::Command1_Click()
{
    finishWithHandOver(EntryField::WallRoughness);
}

void frmAbsRuwheid::closeEvent(QCloseEvent *event)
{
    // The close box hands the choice over as OK does, so that the results shown
    // always belong to the roughness shown.
    handOverOnCloseBox(event, EntryField::WallRoughness);
    QWidget::closeEvent(event);
}
