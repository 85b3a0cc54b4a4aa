#pragma once

#include "shell/frmstart.h"
#include "support/scripteddialogs.h"
#include "support/testgeneral.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

// A main window on screen with scripted dialogs, as a fresh program shows it.
struct FrmStartHarness
{
    ScriptedDialogs dialogs;
    std::unique_ptr<frmStart> window;

    bool open()
    {
        resetBasGeneral();
        window = std::make_unique<frmStart>(basGeneral(), dialogs);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    BasGeneral &record() { return basGeneral(); }
    QLineEdit *field(int index) const { return window->Text0(index); }
    QString text(int index) const { return window->Text0(index)->text(); }

    // The field the program's user is in: where the keyboard focus is.
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

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};
