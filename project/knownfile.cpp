#include "project/knownfile.h"

#include "project/shownpath.h"

#include <QDir>
#include <QFileInfo>

namespace {
// As the save dialog asks before it replaces a file.
const QString ExistsQuestion = QStringLiteral("%1 already exists.\nDo you want to replace it?");
const QString ChangedQuestion
    = QStringLiteral("%1 has been changed by another program since it was last loaded or saved.\n"
                     "Do you want to replace it?");
} // namespace

QString KnownFile::absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

KnownFile::DiskState KnownFile::diskState(const QString &path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified(), info.metadataChangeTime()};
}

void KnownFile::remember(const QString &path)
{
    m_path = absolute(path);
    m_state = diskState(m_path);
}

QString KnownFile::questionBeforeSave(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {};
    const QString shown = shownPath(path);
    if (absolute(path) != m_path)
        return ExistsQuestion.arg(shown);
    if (diskState(path) != m_state)
        return ChangedQuestion.arg(shown);
    return {};
}
