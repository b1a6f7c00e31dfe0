#include "zimbrel2/ClsSistema.h"

#include "zimbrel2/ClsUtiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

QString ClsSistema::NombrePC()
{
    const QString host = QSysInfo::machineHostName().trimmed();
    const qsizetype dot = host.indexOf(u'.');
    return dot > 0 ? host.left(dot) : host;
}

QString ClsSistema::UsuarioWindows()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(variable).trimmed();
        if (!user.isEmpty())
            return user;
    }
    // A session without those variables (a service, a bare root shell): the account's own name.
    if (const passwd* account = getpwuid(getuid()); account && account->pw_name)
        return QString::fromLocal8Bit(account->pw_name);
    return QString();
}

QString ClsSistema::CarpetaAuxiliar()
{
    for (const char* variable : {"TEMP", "TMP"}) {
        const QString folder = qEnvironmentVariable(variable).trimmed();
        if (folder.isEmpty())
            continue;
        const QFileInfo info(folder);
        if (info.isDir() && info.isWritable())
            return ClsUtiles::CarpetaConBarra(folder);
    }
    return ClsUtiles::CarpetaConBarra(QDir::tempPath());
}
