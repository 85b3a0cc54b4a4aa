#include "project/dvlfilekind.h"

#include <sys/stat.h>

namespace DvlFile {

QString notRegularFileReason(mode_t mode)
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

} // namespace DvlFile
