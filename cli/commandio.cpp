#include "cli/commandio.h"

#include "cli/exitstatus.h"

CommandIo::CommandIo(int outFd, int errFd)
    : m_out(outFd)
    , m_errFd(errFd)
{ }

void CommandIo::error(const QString &line) const
{
    const QByteArray bytes = line.toUtf8() + '\n';
    writeFully(m_errFd, bytes.constData(), bytes.size());
}

int CommandIo::finish(int status)
{
    if (m_out.flush())
        return status;
    error(QStringLiteral("zeptor-cli: cannot write to standard output: %1")
              .arg(qt_error_string(m_out.error())));
    return Batch::ExitOutputFailed;
}
