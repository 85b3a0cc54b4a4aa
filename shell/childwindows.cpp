#include "shell/childwindows.h"

#include <QtGlobal>

QList<QWidget *> ChildWindows::existing() const
{
    QList<QWidget *> windows;
    for (const Entry &entry : m_entries) {
        if (entry.window)
            windows << entry.window;
    }
    return windows;
}

void ChildWindows::bringToFront(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

const ChildWindows::Entry &ChildWindows::find(std::type_index type) const
{
    for (const Entry &entry : m_entries) {
        if (entry.type == type)
            return entry;
    }
    qFatal("ChildWindows: no window of type %s is registered", type.name());
}

ChildWindows::Entry &ChildWindows::find(std::type_index type)
{
    return const_cast<Entry &>(std::as_const(*this).find(type));
}
