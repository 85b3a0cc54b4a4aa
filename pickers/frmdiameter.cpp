#include "pickers/frmdiameter.h"

#include "calc/basgeneral.h"
#include "calc/fieldtable.h"
#include "calc/numbertext.h"
#include "pickers/pickertables.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {
const QString WindowCaption = QStringLiteral("Inner diameter");
const QString FrameCaption = QStringLiteral("Standard pipes");
const QString OkCaption = QStringLiteral("OK");

std::span<const char *const> listTexts(int standard)
{
    if (standard == 0)
        return IsoDiameterTexts;
    return DinDiameterTexts;
}
} // namespace

frmDiameter::frmDiameter(BasGeneral &general, QWidget *parent)
    : ToolWindow(parent)
    , m_general(general)
{
    // Closed by its close box, the picker is gone; the next opening starts afresh from
    // the remembered choices.
    setWindowTitle(WindowCaption);
    buildWindow();
}

void frmDiameter::buildWindow()
{
    m_frame = new QGroupBox(FrameCaption, this);
    auto *rows = new QVBoxLayout(m_frame);
    m_standards = new QButtonGroup(this);
    m_standards->setExclusive(true);
    const int indent = fontMetrics().horizontalAdvance(QStringLiteral("xxxx"));
    for (size_t k = 0; k < m_l1.size(); ++k) {
        if (k > 0)
            rows->addSpacing(8);
        m_ssOption1[k]
            = new QRadioButton(QString::fromLatin1(DiameterStandardCaptions.at(k)), m_frame);
        m_headings[k] = new QLabel(QString::fromLatin1(DiameterListHeadings.at(k)), m_frame);
        m_l1[k] = new QComboBox(m_frame);
        m_l1[k]->setEditable(false);
        m_l1[k]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        // Qt's own interface reads the list's entries and the one shown; the heading
        // comes with it as its label (the buddy relation) and as its description.
        m_headings[k]->setBuddy(m_l1[k]);
        m_l1[k]->setAccessibleDescription(m_headings[k]->text());
        m_standards->addButton(m_ssOption1[k], int(k));
        rows->addWidget(m_ssOption1[k]);
        auto *heading = new QHBoxLayout;
        heading->addSpacing(indent);
        heading->addWidget(m_headings[k]);
        rows->addLayout(heading);
        auto *list = new QHBoxLayout;
        list->addSpacing(indent);
        list->addWidget(m_l1[k]);
        list->addStretch();
        rows->addLayout(list);
    }
    m_command3 = new QPushButton(OkCaption, m_frame);
    m_command3->setAutoDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command3);
    rows->addSpacing(8);
    rows->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A new standard or entry (click, key or the load step) applies it; choosing the
    // standard or entry already selected applies it again, over a diameter typed
    // meanwhile in the main window.
    connect(m_standards, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            SSOption1_Click(id);
    });
    connect(m_standards, &QButtonGroup::idClicked, this, &frmDiameter::SSOption1_Click);
    for (size_t k = 0; k < m_l1.size(); ++k) {
        const int standard = int(k);
        connect(m_l1[k], &QComboBox::currentIndexChanged, this,
            [this, standard] { L1_Click(standard); });
        connect(m_l1[k], &QComboBox::activated, this, [this, standard] { L1_Click(standard); });
    }
    connect(m_command3, &QPushButton::clicked, this, &frmDiameter::Command3_Click);
}

// Both lists are filled afresh with nothing selected; then the remembered standard is
// chosen as a click on it would, which selects its remembered entry.
void frmDiameter::Form_Load()
{
    int listWidth = 0;
    for (size_t k = 0; k < m_l1.size(); ++k) {
        const QSignalBlocker quiet(m_l1[k]);
        m_l1[k]->clear();
        for (const char *text : listTexts(int(k)))
            m_l1[k]->addItem(QString::fromLatin1(text));
        m_l1[k]->setCurrentIndex(-1);
        listWidth = std::max(listWidth, m_l1[k]->sizeHint().width());
    }
    // Both lists as wide as the wider one, so that they line up.
    for (QComboBox *list : m_l1)
        list->setMinimumWidth(listWidth);
    const int standard = m_general.DiameterStandard == 1 ? 1 : 0;
    if (m_ssOption1[size_t(standard)]->isChecked())
        SSOption1_Click(standard);
    else
        m_ssOption1[size_t(standard)]->setChecked(true);
}

void frmDiameter::SSOption1_Click(int standard)
{
    if (isClosing() || standard < 0 || standard >= int(m_l1.size()))
        return;
    BasGeneral &general = m_general;
    m_l1[0]->setEnabled(standard == 0);
    m_l1[1]->setEnabled(standard == 1);
    QComboBox *list = m_l1[size_t(standard)];
    int remembered = general.DiameterChoice[size_t(standard)];
    if (remembered < 0 || remembered >= list->count())
        remembered = 0;
    // Selecting the remembered entry writes its diameter; a list that already shows
    // it would not signal a change, so it is applied directly.
    if (list->currentIndex() == remembered)
        L1_Click(standard);
    else
        list->setCurrentIndex(remembered);
    general.DiameterStandard = qint16(standard);
}

void frmDiameter::L1_Click(int standard)
{
    if (isClosing() || standard < 0 || standard >= int(m_l1.size()))
        return;
    const int position = m_l1[size_t(standard)]->currentIndex();
    BasGeneral &general = m_general;
    const std::vector<double> &table = standard == 0 ? general.IsoDiameters : general.DinDiameters;
    if (position < 0 || position >= int(table.size()))
        return;
    // The main window stores the diameter when the field is handed over (OK).
    Q_EMIT fieldWritten(EntryField::InnerDiameter, NumberText::plain(table[size_t(position)]));
    general.DiameterChoice[size_t(standard)] = qint16(position);
}

void frmDiameter::Command3_Click()
{
    finishWithHandOver(EntryField::InnerDiameter);
}

void frmDiameter::closeEvent(QCloseEvent *event)
{
    // The close box hands the diameter over as OK does: the field never shows a
    // diameter that the results were not computed with.
    handOverOnCloseBox(event, EntryField::InnerDiameter);
    QWidget::closeEvent(event);
}
