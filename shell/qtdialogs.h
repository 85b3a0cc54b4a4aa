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
    bool question(const QString &text) override;
    QString openFileName(const FileDialogSetup &setup) override;
    QString saveFileName(const FileDialogSetup &setup) override;
    bool choosePrinter(QPrinter &printer) override;

    // A prompt's carriage return (character 13) starts a new line on screen.
    static QString promptText(const QString &message);
    // A message as a message box shows it: line breaks as in promptText, a word longer
    // than MaxWordLength broken into lines of that length, and the whole cut after
    // MaxMessageLength characters. A message box lays a long unbroken text out for
    // seconds; no message of the program needs more than this.
    static QString messageText(const QString &text);
    static constexpr qsizetype MaxWordLength = 80;
    static constexpr qsizetype MaxMessageLength = 2000;

private:
    QWidget *dialogParent() const;

    QPointer<QWidget> m_mainWindow;
};
