#pragma once

#include "widgets/windowdialogs.h"

#include <QPointer>

class QWidget;

// The modal interactions on screen: Qt's input, message, file and printer dialogs.
// Each dialog is parented to the program's active window (the main window when no
// window of the program is active), so that it stands in front of the window that
// asked for it.
class QtDialogs : public WindowDialogs
{
public:
    // The window that owns the dialogs when none of the program's windows is active.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    QString inputBox(
        const QString &message, const QString &title, const QString &defaultAnswer) override;
    void messageBox(
        const QString &text, Icon icon = Icon::None, const QString &title = QString()) override;
    QString openFileName(const FileDialogSetup &setup) override;
    QString saveFileName(const FileDialogSetup &setup) override;
    bool choosePrinter(QPrinter &printer) override;

    // A prompt's carriage return (character 13) starts a new line on screen.
    static QString promptText(const QString &message);

private:
    QWidget *dialogParent() const;

    QPointer<QWidget> m_mainWindow;
};
