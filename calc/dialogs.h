#pragma once

#include "calc/dvlname.h"

#include <QString>

// Every modal interaction of the program goes through this interface: the windows use
// the Qt implementation, tests script the answers and record the messages, and the
// batch tool answers without a window.
class Dialogs
{
public:
    enum class Icon { None, Warning };

    // What a file dialog is set up with: filter, title and default suffix.
    struct FileDialogSetup
    {
        QString filterDescription = QStringLiteral("Zeptor");
        QString filterPattern = QStringLiteral("*.") + DvlFile::Suffix;
        QString title = QStringLiteral("Zeptor Files");
        QString defaultSuffix = DvlFile::Suffix;
    };

    virtual ~Dialogs() = default;

    // A modal input prompt. Returns the typed text; Cancel gives the empty text.
    virtual QString inputBox(
        const QString &message, const QString &title, const QString &defaultAnswer)
        = 0;

    // A modal message box with an OK button only. An empty title means the
    // application title "Zeptor".
    virtual void messageBox(
        const QString &text, Icon icon = Icon::None, const QString &title = QString())
        = 0;

    // A modal question with Yes and No; No is the default. True for Yes.
    virtual bool question(const QString &text) = 0;

    // File dialogs; the empty text means the user cancelled. The save dialog asks
    // before overwriting an existing file.
    virtual QString openFileName(const FileDialogSetup &setup) = 0;
    virtual QString saveFileName(const FileDialogSetup &setup) = 0;
};

inline const QString ApplicationTitle = QStringLiteral("Zeptor");
