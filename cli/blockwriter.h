#pragma once

#include <QByteArray>

// Standard output of the batch tool: whole lines gathered into large blocks, so that
// a run makes few system calls and a run that is killed ends after a whole line. The
// first failed write (a full disk, a closed output) is kept, and nothing is written
// after it.
class BlockWriter
{
public:
    explicit BlockWriter(int fd);
    BlockWriter(const BlockWriter &) = delete;
    BlockWriter &operator=(const BlockWriter &) = delete;

    // Whole lines; they go out once a block is full.
    void write(const char *data, qsizetype size);
    void write(const QByteArray &lines) { write(lines.constData(), lines.size()); }
    // Writes what is gathered; false when this or an earlier write failed.
    bool flush();

    bool failed() const { return m_error != 0; }
    int error() const { return m_error; } // errno of the failed write

private:
    bool writeAll(const char *data, qsizetype size);

    int m_fd;
    int m_error = 0;
    QByteArray m_block;
};

// Writes all of `bytes` to `fd`, retrying after interrupts and partial writes; the
// errno of a failure, else 0.
int writeFully(int fd, const char *data, qsizetype size);
