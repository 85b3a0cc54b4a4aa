#pragma once

// What the window tests do as a user would: find menu items and toolbar buttons,
// wait for a window to have the keyboard, type, leave a field, press a close box.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include "shell/frmstart.h"

namespace WindowTest {

inline QAction *menuAction(QWidget *menuOwner, const QString &text)
{
    for (QAction *action : menuOwner->findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

inline QAction *toolbarAction(frmStart &main, const QString &toolTip)
{
    for (QAction *action : main.toolbar()->actions()) {
        if (action->toolTip() == toolTip)
            return action;
    }
    return nullptr;
}

// QTest::qWaitForWindowActive counts a window as active while its parent window is;
// what matters here is the window that has the keyboard.
inline bool waitActive(QWidget *window)
{
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

inline bool activate(QWidget *window)
{
    window->activateWindow();
    return waitActive(window);
}

// Types into a field without leaving it; the empty text deletes what was there.
inline void type(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

// Types into a field and leaves it with Tab, as a user would.
inline void typeAndLeave(QLineEdit *field, const QString &text)
{
    type(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// The title bar's close box: the window system's close event, then the close itself.
inline void pressCloseBox(QWidget *window)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(window, &close); // sendEvent would clear "spontaneous"
    if (close.isAccepted())
        window->close();
}

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The offscreen platform warns about every raise() and size hint; that is noise.
inline void silenceOffscreenNoise()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace WindowTest
