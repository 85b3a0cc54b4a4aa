#include "project/regularfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

// The first buffer for a file whose size is not known (files of the kernel's report 0).
constexpr qint64 FirstChunk = 64 * 1024;

class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

QString notRegularReason(mode_t mode)
{
    const char *kind = nullptr;
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        kind = "a directory";
    else if (S_ISFIFO(mode))
        kind = "a named pipe";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = "a device";
    else if (S_ISSOCK(mode))
        kind = "a socket";
    else
        kind = "a special file";
    return QStringLiteral("it is %1, not a regular file").arg(QLatin1String(kind));
}

Read read(const QString &path, qint64 limit)
{
    Read result;
    // Opened without blocking, since a named pipe would wait here for a writer; the type
    // is then checked on what was opened, so the file cannot be swapped in between.
    const Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd() < 0) {
        result.reason = qt_error_string(errno);
        return result;
    }
    struct stat status;
    if (::fstat(file.fd(), &status) != 0) {
        result.reason = qt_error_string(errno);
        return result;
    }
    result.reason = notRegularReason(status.st_mode);
    if (!result.reason.isEmpty())
        return result;
    if (status.st_size > limit) {
        result.status = Read::Status::TooLarge;
        return result;
    }

    // Room for one byte more than the file should hold, so that the end shows in one
    // more read; never more than limit + 1 bytes in all.
    QByteArray &bytes = result.bytes;
    bytes.resize(qsizetype(std::min(status.st_size > 0 ? status.st_size : FirstChunk, limit) + 1));
    qsizetype total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total > limit)
                break;
            bytes.resize(qsizetype(std::min<qint64>(qint64(total) * 2, limit + 1)));
        }
        const ssize_t n = ::read(file.fd(), bytes.data() + total, size_t(bytes.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.reason = qt_error_string(errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        total += n;
    }
    bytes.truncate(total);
    if (total > limit) {
        result.status = Read::Status::TooLarge;
        result.bytes.clear();
        return result;
    }
    result.status = Read::Status::Ok;
    return result;
}

} // namespace RegularFile
