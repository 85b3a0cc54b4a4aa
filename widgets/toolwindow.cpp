#include "widgets/toolwindow.h"

#include <QCloseEvent>

ToolWindow::ToolWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    // Closed, a tool window is gone; the next opening rebuilds it from the record.
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::finishWithHandOver(int index)
{
    if (m_closing)
        return;
    m_closing = true;
    Q_EMIT handedOver(index);
    hide();
    if (parentWidget())
        parentWidget()->activateWindow();
    deleteLater();
}

void ToolWindow::handOverOnCloseBox(QCloseEvent *event, int index)
{
    if (!m_closing && event->spontaneous()) {
        m_closing = true;
        Q_EMIT handedOver(index);
    }
    m_closing = true;
}
