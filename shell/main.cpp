#include "calc/basgeneral.h"
#include "shell/frmstart.h"
#include "shell/qtdialogs.h"
#include "shell/startup.h"
#include "zeptor_version.h"

#include <QApplication>
#include <QIcon>

// The program takes no arguments of its own; Qt's platform options still apply.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zeptor"));
    QApplication::setApplicationVersion(QString::fromLatin1(ZeptorVersion::text));
    // Every bundled size, so that task bars and switchers need not scale up 24 pixels.
    QIcon icon(QStringLiteral(":/icons/zeptor.png"));
    icon.addFile(QStringLiteral(":/icons/zeptor-48.png"));
    icon.addFile(QStringLiteral(":/icons/zeptor-256.png"));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Zeptor"));

    BasGeneral general;
    QtDialogs dialogs;
    const std::unique_ptr<frmStart> window = basGeneralMain(general, dialogs);
    QObject::connect(window.get(), &frmStart::closed, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
