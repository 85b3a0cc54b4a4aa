#include "cli/commandio.h"
#include "cli/commands.h"
#include "zeptor_version.h"

#include <QCoreApplication>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeptor-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ZeptorVersion::text));
    CommandIo io(STDOUT_FILENO, STDERR_FILENO);
    return Commands::runProgram(QCoreApplication::arguments().mid(1), io);
}
