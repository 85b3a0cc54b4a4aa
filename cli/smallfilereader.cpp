#include "cli/smallfilereader.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sixty-four times the largest project file this program writes.
constexpr qsizetype Capacity = 64 * 1024;

} // namespace

SmallFileReader::SmallFileReader()
{
    m_buffer.reserve(Capacity);
    m_nativePath.reserve(1024);
}

bool SmallFileReader::read(const QString &path, QByteArray *&bytes)
{
    // The name as QFile encodes it, so that both open the same file.
    m_nativePath = QFile::encodeName(path);
    if (m_nativePath.isEmpty())
        return false;
    // Without blocking on a named pipe or device: anything but a regular file is left
    // to the project file reader, which refuses it with its own message.
    const int fd = ::open(m_nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    m_buffer.resize(Capacity);
    qsizetype total = 0;
    bool ok = true;
    // Reading on until read() says end of file: a short read is the end only for a
    // regular file, and the name may be that of a pipe.
    for (;;) {
        const ssize_t n = ::read(fd, m_buffer.data() + total, size_t(Capacity - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        total += n;
        if (total == Capacity) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    m_buffer.resize(total);
    bytes = &m_buffer;
    return ok;
}
