#pragma once

// What the project-document and About window tests share: a started program with
// scripted dialogs in a temporary current directory, and the user's keystrokes.

#include "shell/frmabout.h"
#include "shell/frmstart.h"
#include "shell/startup.h"
#include "support/scripteddialogs.h"
#include "support/testgeneral.h"
#include "support/testlocale.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace DocsTest {

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A tool window counts as active for QWindow while its main window is, so wait for
// the application's own active window instead.
inline bool activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// Types into a field without leaving it.
inline void type(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

// Types into a field and leaves it with Tab.
inline void typeAndLeave(QLineEdit *field, const QString &text)
{
    type(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program as the start procedure leaves it, with the splash closed, its current
// directory a fresh temporary one.
class Program
{
public:
    explicit Program(const QLocale &locale = testLocale())
        : m_previousDir(QDir::currentPath())
    {
        QLocale::setDefault(locale);
        resetBasGeneral();
        QDir::setCurrent(m_dir.path());
        m_main = basGeneralMain(basGeneral(), dialogs);
        if (m_main->hasAbout())
            m_main->About().close();
        flushDeletes();
        activate(m_main.get());
    }
    ~Program()
    {
        m_main.reset();
        flushDeletes();
        QDir::setCurrent(m_previousDir);
        QLocale::setDefault(testLocale());
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    frmStart &main() { return *m_main; }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString dir() const { return m_dir.path(); }

    ScriptedDialogs dialogs;

private:
    QString m_previousDir;
    QTemporaryDir m_dir;
    std::unique_ptr<frmStart> m_main;
};

} // namespace DocsTest
