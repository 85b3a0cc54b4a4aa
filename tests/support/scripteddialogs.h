#pragma once

#include "widgets/windowdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

// Dialogs for tests: input prompts are answered from a script, every prompt and
// message is recorded. A prompt with no scripted answer left counts as Cancel.
class ScriptedDialogs : public WindowDialogs
{
public:
    struct Prompt
    {
        QString message;
        QString title;
        QString defaultAnswer;
    };
    struct Message
    {
        QString text;
        Icon icon;
        QString title; // as shown: "Zeptor" when the caller gave none
    };

    QStringList answers; // input prompt answers, used front first
    QStringList openAnswers; // file names for the open dialog ("" = cancel)
    QStringList saveAnswers; // file names for the save dialog ("" = cancel)
    QList<bool> printerAnswers; // printer dialog outcomes (missing = cancel)
    QList<bool> questionAnswers; // Yes/No answers (missing = No)
    QStringList questions; // every question asked
    QList<FileDialogSetup> fileDialogs;

    static constexpr qsizetype MaxPrompts = 500;

    QList<Prompt> prompts;
    QList<Message> messages;

    // Called while a prompt or message is open (for re-entrancy checks in window tests).
    std::function<void()> whileOpen;
    // Called with the printer when the printer dialog is accepted (to direct it to a file).
    std::function<void(QPrinter &)> preparePrinter;

    QString inputBox(
        const QString &message, const QString &title, const QString &defaultAnswer) override
    {
        prompts.append({message, title, defaultAnswer});
        // A prompt loop that never ends is a fault of the code under test, not a hang.
        if (prompts.size() > MaxPrompts)
            qFatal("ScriptedDialogs: more than %d prompts", int(MaxPrompts));
        if (whileOpen)
            whileOpen();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    void messageBox(const QString &text, Icon icon, const QString &title) override
    {
        messages.append({text, icon, title.isEmpty() ? ApplicationTitle : title});
        if (whileOpen)
            whileOpen();
    }

    bool question(const QString &text) override
    {
        questions.append(text);
        if (whileOpen)
            whileOpen();
        return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
    }

    QString openFileName(const FileDialogSetup &setup) override
    {
        fileDialogs.append(setup);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }

    QString saveFileName(const FileDialogSetup &setup) override
    {
        fileDialogs.append(setup);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }

    bool choosePrinter(QPrinter &printer) override
    {
        const bool ok = printerAnswers.isEmpty() ? false : printerAnswers.takeFirst();
        if (ok && preparePrinter)
            preparePrinter(printer);
        return ok;
    }

    QStringList messageTexts() const
    {
        QStringList out;
        for (const Message &m : messages)
            out << m.text;
        return out;
    }
    QStringList promptMessages() const
    {
        QStringList out;
        for (const Prompt &p : prompts)
            out << p.message;
        return out;
    }
    void clearLog()
    {
        prompts.clear();
        messages.clear();
    }
};
