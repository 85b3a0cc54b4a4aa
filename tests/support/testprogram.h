#pragma once

// The program as a test starts it: the record, the scripted dialogs and the main
// window, owned here as main() owns them in the real program, in a fresh temporary
// current directory and the test run's locale. Torn down window first, then the
// windows it deleted later, then the dialogs.

#include "calc/basgeneral.h"
#include "pickers/pickertables.h"
#include "shell/frmabout.h"
#include "shell/frmstart.h"
#include "shell/startup.h"
#include "support/scripteddialogs.h"
#include "support/testlocale.h"
#include "support/windowtest.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

struct TestProgram
{
    enum Start {
        MainWindow, // the main window alone, with the pickers' start values
        Procedure, // the start procedure, its splash closed
        ProcedureWithSplash, // the start procedure as the user sees it, splash included
    };

    explicit TestProgram(Start how = MainWindow, const QLocale &locale = testLocale())
        : m_previousDir(QDir::currentPath())
    {
        QLocale::setDefault(locale);
        QDir::setCurrent(m_dir.path());
        start(how);
    }
    ~TestProgram()
    {
        stop();
        QDir::setCurrent(m_previousDir);
        QLocale::setDefault(testLocale());
    }
    TestProgram(const TestProgram &) = delete;
    TestProgram &operator=(const TestProgram &) = delete;

    // Starts the main window on the record as it stands; `active` tells whether the
    // main window got the keyboard (not waited for while the splash stands in front).
    void start(Start how)
    {
        stop();
        if (how == MainWindow) {
            setPickerStartValues(general);
            window = std::make_unique<frmStart>(general, dialogs);
            window->show();
            active = WindowTest::activate(window.get());
            return;
        }
        window = basGeneralMain(general, dialogs);
        if (how == ProcedureWithSplash)
            return; // waiting here could outlast the splash's own timer
        if (window->hasAbout())
            window->About().close();
        WindowTest::flushDeletes();
        active = WindowTest::activate(window.get());
    }

    void stop()
    {
        window.reset();
        WindowTest::flushDeletes();
    }

    frmStart &main() { return *window; }
    QLineEdit *field(int index) const { return window->Text0(index); }
    QString text(int index) const { return window->Text0(index)->text(); }

    // The main window's field that has the keyboard focus, or 0.
    int focusedField() const
    {
        for (int i = 1; i < Text0Size; ++i) {
            if (fieldExists(i) && QApplication::focusWidget() == window->Text0(i))
                return i;
        }
        return 0;
    }

    // Clicks into a field and types over its text, as a person does. A click into the
    // field that already has the focus only places the cursor: then Ctrl+A selects.
    void typeInto(int index, const QString &text)
    {
        QTest::mouseClick(field(index), Qt::LeftButton);
        if (!field(index)->hasSelectedText())
            QTest::keyClick(field(index), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field(index), text);
    }

    // A key where the focus is.
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString dir() const { return m_dir.path(); }

    BasGeneral general;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmStart> window;
    bool active = false;

private:
    QString m_previousDir;
    QTemporaryDir m_dir;
};
