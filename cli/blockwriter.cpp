#include "cli/blockwriter.h"

#include <cerrno>
#include <unistd.h>

namespace {

// Large enough that the system calls do not count, small enough to stay in the cache.
constexpr qsizetype BlockSize = 256 * 1024;

} // namespace

int writeFully(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        data += n;
        size -= n;
    }
    return 0;
}

BlockWriter::BlockWriter(int fd)
    : m_fd(fd)
{
    m_block.reserve(BlockSize);
}

void BlockWriter::write(const char *data, qsizetype size)
{
    if (m_error != 0 || size == 0)
        return;
    if (m_block.size() + size > BlockSize && !flush())
        return;
    if (size >= BlockSize) // more than a block at once: no copy
        writeAll(data, size);
    else
        m_block.append(data, size);
}

bool BlockWriter::flush()
{
    if (m_error == 0 && !m_block.isEmpty())
        writeAll(m_block.constData(), m_block.size());
    m_block.resize(0);
    return m_error == 0;
}

bool BlockWriter::writeAll(const char *data, qsizetype size)
{
    m_error = writeFully(m_fd, data, size);
    return m_error == 0;
}
