#include "cli/batchdialogs.h"

QString BatchDialogs::inputBox(const QString &message, const QString &, const QString &)
{
    if (m_firstPrompt.isEmpty())
        m_firstPrompt = message;
    return {};
}

void BatchDialogs::messageBox(const QString &text, Icon, const QString &)
{
    m_messages.append(text);
}

QString BatchDialogs::openFileName(const FileDialogSetup &)
{
    return {};
}

QString BatchDialogs::saveFileName(const FileDialogSetup &)
{
    return {};
}

void BatchDialogs::clear()
{
    m_firstPrompt.clear();
    m_messages.clear();
}
