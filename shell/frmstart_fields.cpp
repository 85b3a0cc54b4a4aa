#include "shell/frmstart.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <algorithm>

// Qt's focus is not the program's focus. A field is left when the focus moves to
// another widget of the program: by Tab, a click, the navigation keys or code. The
// focus that Qt takes away when another application, a menu or one of our own modal
// dialogs becomes active is not a leave: the field keeps its text and its check runs
// when the user really leaves it. m_openField remembers the field that holds the
// focus in that sense.

namespace {
bool isActivationReason(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}
} // namespace

int frmStart::fieldIndexOf(const QObject *object) const
{
    for (size_t i = 0; i < m_text0.size(); ++i) {
        if (m_text0[i] && m_text0[i] == object)
            return int(i);
    }
    return 0;
}

bool frmStart::eventFilter(QObject *watched, QEvent *event)
{
    const int index = fieldIndexOf(watched);
    if (index == 0 || m_closing)
        return QMainWindow::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        Text0_FocusIn(index, static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::FocusOut:
        Text0_FocusOut(index, static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::KeyPress:
        if (Text0_KeyPress(index, static_cast<QKeyEvent *>(event)->key()))
            return true;
        break;
    case QEvent::MouseButtonRelease:
        // A click into a field selects its text, unless the user dragged a selection.
        if (m_selectOnRelease == index) {
            m_selectOnRelease = 0;
            if (!Text0(index)->hasSelectedText())
                Text0_GotFocus(index);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmStart::Text0_FocusIn(int index, Qt::FocusReason reason)
{
    if (m_movingFocus)
        return;
    if (isActivationReason(reason) && m_openField == index)
        return; // back from another window: the field was never left
    if (m_openField != 0 && m_openField != index && !m_inLeaveCheck) {
        // The focus went elsewhere while this window was not active, so Qt sent the
        // open field no focus-out: its check is due now, before the new field starts.
        Text0_LeaveCheck(m_openField);
    }
    m_openField = index;
    Text0_GotFocus(index);
    if (reason == Qt::MouseFocusReason)
        m_selectOnRelease = index;
}

void frmStart::Text0_FocusOut(int index, Qt::FocusReason reason)
{
    // While a check runs, its own prompt takes the focus: that is no second leave.
    if (m_movingFocus || m_inLeaveCheck || isActivationReason(reason))
        return;
    if (m_openField == index)
        Text0_LeaveCheck(index);
}

// Focus gain: the whole text is selected, so that typing replaces the old value.
void frmStart::Text0_GotFocus(int index)
{
    QLineEdit *field = Text0(index);
    field->setSelection(0, int(field->text().size()));
}

void frmStart::Text0_LeaveCheck(int index)
{
    if (m_inLeaveCheck)
        return;
    if (m_openField == index)
        m_openField = 0;
    const QScopedValueRollback<bool> guard(m_inLeaveCheck, true);
    m_sheet.Text0_LostFocus(index);
}

// Enter and Down go to the next entry field, Up to the previous one, after the leave
// check; the order wraps round. In a display field the keys check and stay.
bool frmStart::Text0_KeyPress(int index, int key)
{
    const bool forward = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    const bool backward = key == Qt::Key_Up;
    if (!forward && !backward)
        return false;

    Text0_LeaveCheck(index);
    const auto *position = std::find(EntryOrder.begin(), EntryOrder.end(), index);
    if (position == EntryOrder.end()) {
        if (focusWidget() == Text0(index))
            m_openField = index;
        return true;
    }
    const auto count = std::ptrdiff_t(EntryOrder.size());
    const std::ptrdiff_t step = forward ? 1 : count - 1;
    const int next = EntryOrder[size_t((position - EntryOrder.begin() + step) % count)];
    giveFocus(Text0(next));
    return true;
}

void frmStart::giveFocus(QWidget *target)
{
    m_openField = 0;
    {
        const QScopedValueRollback<bool> moving(m_movingFocus, true);
        target->setFocus(Qt::OtherFocusReason);
    }
    if (const int index = fieldIndexOf(target)) {
        m_openField = index;
        Text0_GotFocus(index);
    }
}

void frmStart::handOver(int index)
{
    // A field the user was still editing is left first, as moving the focus by hand
    // would leave it.
    if (m_openField != 0 && m_openField != index)
        Text0_LeaveCheck(m_openField);
    Text0_LeaveCheck(index);
    if (QPushButton *button = dotsButton(index))
        giveFocus(button);
    activateWindow();
}

void frmStart::commitForSave()
{
    if (m_openField != 0 && m_openField != 2)
        Text0_LeaveCheck(m_openField);
    Text0_LeaveCheck(2);
    giveFocus(Text0(1));
}
