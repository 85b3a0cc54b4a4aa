#pragma once

// What the tool-window tests do as a user would: find menu items and toolbar buttons,
// wait for a window to have the keyboard, type, leave a field, press a close box.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include "pickers/pickertables.h"
#include "shell/frmstart.h"
#include "support/scripteddialogs.h"
#include "support/testgeneral.h"
#include "support/testlocale.h"

#include <memory>

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

// Types into a field and leaves it with Tab, as a user would.
inline void typeAndLeave(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

inline void type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
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

// A fresh program: the record and the pickers' memory as at start-up, the main window
// on screen and active, its dialogs scripted.
inline bool startProgram(std::unique_ptr<frmStart> &main, ScriptedDialogs *&dialogs)
{
    QLocale::setDefault(testLocale());
    resetBasGeneral();
    setPickerStartValues(basGeneral());
    dialogs = new ScriptedDialogs;
    main = std::make_unique<frmStart>(basGeneral(), *dialogs);
    main->show();
    return activate(main.get());
}

inline void stopProgram(std::unique_ptr<frmStart> &main, ScriptedDialogs *&dialogs)
{
    main.reset();
    flushDeletes();
    delete dialogs;
    dialogs = nullptr;
}

} // namespace WindowTest
