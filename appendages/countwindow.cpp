#include "appendages/countwindow.h"

#include "calc/basgeneral.h"
#include "calc/dialogs.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace {
const QString ClearCaption = QStringLiteral("Clear");
const QString OkCaption = QStringLiteral("OK");
const QString ZeroCount = QStringLiteral("0");
} // namespace

CountWindow::CountWindow(Dialogs &dialogs, QWidget *parent, const Setup &setup)
    : ToolWindow(parent)
    , m_dialogs(dialogs)
    , m_setup(setup)
{
    // Closing by the title bar's close box ends this window as OK does; the counts
    // live in the record, so the next opening rebuilds it from them.
    setWindowTitle(m_setup.caption);
    buildWindow();
    Form_Load();
}

CountWindow::~CountWindow()
{
    // The fields outlive this part of the object during teardown; their focus
    // events must not reach a half-destroyed window.
    setClosing();
    for (QLineEdit *field : m_fields)
        field->removeEventFilter(this);
}

void CountWindow::buildWindow()
{
    m_frame = new QGroupBox(m_setup.frameCaption, this);
    auto *rows = new QGridLayout(m_frame);
    rows->setHorizontalSpacing(16);
    rows->setColumnStretch(0, 1);
    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    const int indent = fontMetrics().horizontalAdvance(QStringLiteral("xxxx"));
    for (size_t i = 0; i < m_setup.table.size(); ++i) {
        auto *label = new QLabel(QString::fromLatin1(m_setup.table[i].label), m_frame);
        if (int(i) >= m_setup.firstIndented && int(i) <= m_setup.lastIndented)
            label->setIndent(indent);
        auto *field = new QLineEdit(ZeroCount, m_frame);
        field->setFixedWidth(fieldWidth);
        field->setAlignment(Qt::AlignRight);
        field->installEventFilter(this);
        label->setBuddy(field);
        rows->addWidget(label, int(i), 0);
        rows->addWidget(field, int(i), 1);
        m_labels.push_back(label);
        m_fields.push_back(field);
    }

    auto *buttonFrame = new QGroupBox(this);
    auto *buttons = new QHBoxLayout(buttonFrame);
    m_clearButton = new QPushButton(ClearCaption, buttonFrame);
    m_okButton = new QPushButton(OkCaption, buttonFrame);
    for (QPushButton *button : {m_clearButton, m_okButton})
        button->setAutoDefault(true); // Enter on a focused button presses it
    buttons->addWidget(m_clearButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    connect(m_clearButton, &QPushButton::clicked, this, &CountWindow::clearCounts);
    connect(m_okButton, &QPushButton::clicked, this, &CountWindow::okClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addWidget(buttonFrame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The count fields in row order, then OK, then Clear.
    QWidget *previous = m_fields.front();
    for (size_t i = 1; i < m_fields.size(); ++i) {
        setTabOrder(previous, m_fields[i]);
        previous = m_fields[i];
    }
    setTabOrder(previous, m_okButton);
    setTabOrder(m_okButton, m_clearButton);
}

void CountWindow::Form_Load()
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(countText(m_setup.counts[i]));
}

// Every return to this window starts at the first count field, whichever field had
// the focus before.
void CountWindow::Form_Activate()
{
    if (isClosing())
        return;
    if (m_inLeaveCheck) {
        m_deactivatedDuringCheck = false;
        return;
    }
    if (m_deactivatedDuringCheck) {
        m_deactivatedDuringCheck = false;
        return;
    }
    m_fields.front()->setFocus(Qt::OtherFocusReason);
    m_fields.front()->selectAll();
}

bool CountWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    else if (event->type() == QEvent::WindowDeactivate && m_inLeaveCheck)
        m_deactivatedDuringCheck = true;
    return handled;
}

bool CountWindow::eventFilter(QObject *watched, QEvent *event)
{
    const int index = fieldIndex(watched);
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        // A context menu borrows the focus while the user is still editing. Any other
        // loss of focus commits, including a switch to another window: the field then
        // never shows a count that the record and the total do not hold.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            countLostFocus(index);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on as Tab does; leaving the field commits it.
            focusNextChild();
            return true;
        }
    }
    return false;
}

void CountWindow::closeEvent(QCloseEvent *event)
{
    // The user's close box keeps what the user typed; a close by the program (the
    // main window going away) asks nothing.
    if (!isClosing() && event->spontaneous())
        commitFocusedCount();
    setClosing();
    QWidget::closeEvent(event);
}

void CountWindow::countLostFocus(int index)
{
    if (m_inLeaveCheck || isClosing() || index < 0 || index >= rowCount())
        return;
    QPointer<CountWindow> self(this);
    m_inLeaveCheck = true;
    const qint16 count = CheckCount(m_fields[size_t(index)]->text(), m_dialogs);
    if (!self)
        return;
    m_setup.counts[size_t(index)] = count;
    m_fields[size_t(index)]->setText(countText(count));
    recomputeTotal();
    if (self)
        m_inLeaveCheck = false;
}

void CountWindow::recomputeTotal()
{
    QStringList texts;
    for (const QLineEdit *field : m_fields)
        texts << field->text();
    *m_setup.total = totalLd(texts, m_setup.table);
    Q_EMIT fieldWritten(m_setup.targetField, QString::number(*m_setup.total));
}

void CountWindow::clearCounts()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i]->setText(ZeroCount);
        m_setup.counts[i] = 0;
    }
    Q_EMIT fieldWritten(m_setup.targetField, ZeroCount);
}

void CountWindow::okClicked()
{
    if (isClosing() || m_inLeaveCheck)
        return;
    // A click takes the focus from the field before the button acts, but a key or the
    // program may press OK with the field still focused: commit it here in that case.
    commitFocusedCount();
    finishWithHandOver(m_setup.targetField);
}

void CountWindow::commitFocusedCount()
{
    const int index = fieldIndex(focusWidget());
    if (index >= 0)
        countLostFocus(index);
}

int CountWindow::fieldIndex(const QObject *object) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i] == object)
            return int(i);
    }
    return -1;
}
