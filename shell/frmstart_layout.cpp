#include "shell/frmstart.h"

#include "shell/frmstart_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The text the entry fields are sized for: a signed seven-digit value with four decimals.
// That holds every Reynolds number in full (fixed up to "1000000.0", above it "1.23E+06");
// a longer text scrolls inside its field.
constexpr const char *WidestFieldText = "-1234567.0000";

struct DotsButton
{
    int field;
    const char *name;
    const char *toolTip;
};

constexpr std::array<DotsButton, 4> DotsButtons = {{
    {4, "SSCommand1", "Choose a standard inner pipe diameter"},
    {23, "SCommand2", "Choose the wall roughness by pipe material"},
    {9, "SCommand4", "Count the bends and tees"},
    {10, "SCommand5", "Count the valves and fittings"},
}};

// What a screen reader says for a field: its caption and unit, or a description
// where the field has no caption of its own.
QString accessibleFieldName(const FieldInfo &field)
{
    QString caption = QString::fromLatin1(field.caption).trimmed();
    if (field.index == 8)
        caption = QString::fromLatin1(frmStartTexts::SumFieldDescription);
    else if (field.index == 21)
        caption = QString::fromLatin1(frmStartTexts::PaFieldDescription);
    QString unit = QString::fromLatin1(field.unit);
    if (field.index == 15)
        unit = QStringLiteral("[mm2]");
    return unit.isEmpty() ? caption : caption + QLatin1Char(' ') + unit;
}

} // namespace

void frmStart::buildWindow()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));

    const QList<QGroupBox *> leftFrames
        = {buildFrame("Fluid data"), buildFrame("Pipe data"), buildFrame("Equivalent length")};
    const QList<QGroupBox *> rightFrames
        = {buildFrame("Results"), buildFrame("Total pressure drop")};
    alignColumns(leftFrames);
    alignColumns(rightFrames);

    auto *left = new QVBoxLayout;
    for (QGroupBox *frame : leftFrames)
        left->addWidget(frame);
    left->addStretch(1);

    m_command3 = new QPushButton(QString::fromLatin1(frmStartTexts::ClearCaption), central);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setToolTip(QStringLiteral("Back to the start values of a new case"));
    m_command3->setAccessibleName(m_command3->text());
    m_command3->setAutoDefault(false);
    connect(m_command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    m_command4 = new QPushButton(QString::fromLatin1(frmStartTexts::ExitCaption), central);
    m_command4->setObjectName(QStringLiteral("Command4"));
    m_command4->setToolTip(QStringLiteral("End the program"));
    m_command4->setAccessibleName(m_command4->text());
    m_command4->setAutoDefault(false);
    connect(m_command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // Label1(26): a caption nothing changes; the printed report carries it.
    m_messageLabel = new QLabel(QString::fromLatin1(MessageLabelCaption), central);
    m_messageLabel->setObjectName(QStringLiteral("Label1_26"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_messageLabel);
    buttons->addStretch(1);
    buttons->addWidget(m_command3);
    buttons->addWidget(m_command4);

    auto *right = new QVBoxLayout;
    for (QGroupBox *frame : rightFrames)
        right->addWidget(frame);
    right->addStretch(1);
    right->addLayout(buttons);

    auto *columns = new QHBoxLayout(central);
    columns->addLayout(left);
    columns->addLayout(right);
    setCentralWidget(central);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusBar1_text"));
    // No accessible name of its own: a screen reader reads the text shown ("Flow is
    // Laminar"), and Qt announces each new text as a change of that name.
    m_status->setAccessibleDescription(QStringLiteral("status"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_status, 1);
}

// One frame: per field a row of caption, field, unit and, where the field has a
// window of its own, the "..." button.
QGroupBox *frmStart::buildFrame(const char *frame)
{
    auto *box = new QGroupBox(QString::fromLatin1(frame));
    box->setObjectName(QString::fromLatin1(frame).replace(QLatin1Char(' '), QLatin1Char('_')));
    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(4, 1); // an empty column takes the spare width

    const int fieldWidth = fontMetrics().horizontalAdvance(QString::fromLatin1(WidestFieldText))
        + 2 * fontMetrics().averageCharWidth();
    int row = 0;
    for (const FieldInfo &field : FieldTable) {
        if (qstrcmp(field.frame, frame) != 0)
            continue;
        const size_t i = size_t(field.index);
        const QString suffix = QString::number(field.index);

        auto *caption = new QLabel(QString::fromLatin1(field.caption), box);
        caption->setObjectName(QStringLiteral("Label1_") + suffix);
        auto *edit = new QLineEdit(box);
        edit->setObjectName(QStringLiteral("Text0_") + suffix);
        edit->setAccessibleName(accessibleFieldName(field));
        edit->setFixedWidth(fieldWidth);
        caption->setBuddy(edit);
        auto *unit = new QLabel(QString::fromLatin1(field.unit), box);
        unit->setObjectName(QStringLiteral("Label2_") + suffix);

        // Typing is free in the entry fields; the program alone writes the others,
        // which still take the focus (the tool windows hand their totals over there).
        if (field.role != FieldRole::Entry) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::ClickFocus);
        }
        edit->installEventFilter(this);
        const int index = field.index;
        connect(edit, &QLineEdit::textChanged, this, [this, index](const QString &text) {
            if (text != m_sheet.Text0(index))
                m_sheet.setText0(index, text);
        });

        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        if (field.index == 15) {
            // The pipe area is in mm with a raised 2, a small label of its own.
            auto *square = new QLabel(QStringLiteral("2"), box);
            square->setObjectName(QStringLiteral("Label2_15_square"));
            QFont small = square->font();
            small.setPointSizeF(small.pointSizeF() * 0.7);
            square->setFont(small);
            square->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            auto *units = new QHBoxLayout;
            units->setSpacing(0);
            units->addWidget(unit);
            units->addWidget(square, 0, Qt::AlignTop);
            units->addStretch(1);
            grid->addLayout(units, row, 2);
        } else {
            grid->addWidget(unit, row, 2);
        }

        for (const DotsButton &dots : DotsButtons) {
            if (dots.field != field.index)
                continue;
            auto *button = new QPushButton(QString::fromLatin1(frmStartTexts::DotsCaption), box);
            button->setObjectName(QString::fromLatin1(dots.name));
            button->setToolTip(QString::fromLatin1(dots.toolTip));
            button->setAccessibleName(QString::fromLatin1(dots.toolTip));
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::StrongFocus);
            button->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
            grid->addWidget(button, row, 3);
            if (field.index == 4) {
                m_ssCommand1 = button;
                connect(button, &QPushButton::clicked, this, [this] { SSCommand1_Click(); });
            } else if (field.index == 23) {
                m_sCommand2 = button;
                connect(button, &QPushButton::clicked, this, [this] { SCommand2_Click(); });
            } else if (field.index == 9) {
                m_sCommand4 = button;
                connect(button, &QPushButton::clicked, this, [this] { SCommand4_Click(); });
            } else {
                m_sCommand5 = button;
                connect(button, &QPushButton::clicked, this, [this] { SCommand5_Click(); });
            }
        }

        // A label without text would be read by its frame's title (a phantom "Results"):
        // it is left out of the window, and so out of what a screen reader reads.
        for (QLabel *label : {caption, unit}) {
            if (label->text().isEmpty())
                label->hide();
        }

        m_text0[i] = edit;
        m_label1[i] = caption;
        m_label2[i] = unit;
        ++row;
    }
    // Keeps the column of "..." buttons the same width in every frame.
    grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    return box;
}

// The frames of one column share the widths of their caption and unit columns, so
// that fields and units stand in one line from the top frame to the bottom one.
void frmStart::alignColumns(const QList<QGroupBox *> &frames)
{
    int captionWidth = 0;
    int unitWidth = 0;
    for (QGroupBox *frame : frames) {
        for (QLabel *label : frame->findChildren<QLabel *>()) {
            if (label->objectName().startsWith(QLatin1String("Label1_")))
                captionWidth = std::max(captionWidth, label->sizeHint().width());
            else if (label->objectName().startsWith(QLatin1String("Label2_")))
                unitWidth = std::max(unitWidth, label->sizeHint().width());
        }
    }
    // The pipe area's unit carries its raised 2 beside it.
    unitWidth += fontMetrics().averageCharWidth();
    for (QGroupBox *frame : frames) {
        auto *grid = static_cast<QGridLayout *>(frame->layout());
        grid->setColumnMinimumWidth(0, captionWidth);
        grid->setColumnMinimumWidth(2, unitWidth);
    }
}

// The entry fields first, in their navigation order, then the buttons beside them and
// at the bottom; the display fields are reached by a click only.
void frmStart::buildTabOrder()
{
    QList<QWidget *> chain;
    for (int index : EntryOrder)
        chain << Text0(index);
    chain << m_ssCommand1 << m_sCommand2 << m_sCommand4 << m_sCommand5 << m_command3 << m_command4;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
