#include "cli/pathsource.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadSize = 64 * 1024;

QString reason(int error)
{
    return qt_error_string(error);
}

} // namespace

PathSource::PathSource(QStringList arguments)
    : m_arguments(std::move(arguments))
{ }

PathSource::~PathSource()
{
    if (m_ownsFd)
        ::close(m_fd);
}

bool PathSource::openList(const QString &listName)
{
    m_listName = listName;
    if (listName == QLatin1String("-")) {
        m_fd = STDIN_FILENO;
    } else {
        m_fd = ::open(QFile::encodeName(listName).constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            m_error = QStringLiteral("cannot read the file list \"%1\": %2")
                          .arg(QDir::toNativeSeparators(listName), reason(errno));
            return false;
        }
        m_ownsFd = true;
    }
    m_endOfList = false;
    return true;
}

bool PathSource::fillBuffer()
{
    m_buffer.remove(0, m_position);
    m_position = 0;
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + ReadSize);
    ssize_t n;
    do {
        n = ::read(m_fd, m_buffer.data() + kept, size_t(ReadSize));
    } while (n < 0 && errno == EINTR);
    m_buffer.resize(kept + qMax<ssize_t>(n, 0));
    if (n < 0) {
        m_error = QStringLiteral("cannot read the file list \"%1\": %2")
                      .arg(m_listName == QLatin1String("-") ? QStringLiteral("standard input")
                                                            : QDir::toNativeSeparators(m_listName),
                          reason(errno));
    }
    return n > 0;
}

bool PathSource::next(QString &path)
{
    if (m_nextArgument < m_arguments.size()) {
        path = m_arguments.at(m_nextArgument++);
        return true;
    }
    while (!m_endOfList) {
        qsizetype end = m_buffer.indexOf('\n', m_position);
        if (end < 0 && fillBuffer())
            continue;
        // The last line may lack its line end.
        const bool last = end < 0;
        if (last) {
            end = m_buffer.size();
            m_endOfList = true;
        }
        qsizetype stop = end;
        if (stop > m_position && m_buffer.at(stop - 1) == '\r')
            --stop;
        const qsizetype start = m_position;
        m_position = last ? end : end + 1;
        if (stop > start) {
            path = QString::fromLocal8Bit(QByteArrayView(m_buffer).sliced(start, stop - start));
            return true;
        }
    }
    return false;
}
