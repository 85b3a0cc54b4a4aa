#pragma once

#include "cli/blockwriter.h"

#include <QByteArray>
#include <QString>

// The two streams of a zeptor-cli command: standard output as whole lines gathered into
// blocks, and standard error, written at once. Tests hand in the descriptors of files of
// their own.
class CommandIo
{
public:
    CommandIo(int outFd, int errFd);

    BlockWriter &out() { return m_out; }
    int errFd() const { return m_errFd; }
    // One line on standard error; "\n" is added.
    void error(const QString &line) const;

    // Writes what is gathered; returns `status`, or ExitOutputFailed after saying on
    // standard error why the output is lost.
    int finish(int status);

private:
    BlockWriter m_out;
    int m_errFd;
};
