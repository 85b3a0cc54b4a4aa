#pragma once

#include "calc/dialogs.h"

#include <QStringList>

// The batch tool cannot ask anything. A prompt is answered with Cancel, which ends
// the calculation at once, and remembered so that the case is reported as needing
// an answer; message boxes are collected in the order the window would show them.
class BatchDialogs : public Dialogs
{
public:
    QString inputBox(
        const QString &message, const QString &title, const QString &defaultAnswer) override;
    void messageBox(const QString &text, Icon icon, const QString &title) override;
    // Nobody can answer: No, which leaves everything as it was.
    bool question(const QString &text) override;
    QString openFileName(const FileDialogSetup &setup) override;
    QString saveFileName(const FileDialogSetup &setup) override;

    bool prompted() const { return !m_firstPrompt.isEmpty(); }
    QString firstPrompt() const { return m_firstPrompt; }
    const QStringList &messages() const { return m_messages; }
    // Forgets the prompt and the messages, for the next case.
    void clear();

private:
    QString m_firstPrompt;
    QStringList m_messages;
};
