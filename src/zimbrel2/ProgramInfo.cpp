#include "zimbrel2/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString& executableOverride()
{
    static QString name;
    return name;
}

QString& folderOverride()
{
    static QString folder;
    return folder;
}

QString& userFolderOverride()
{
    static QString folder;
    return folder;
}

std::optional<bool>& writableOverride()
{
    static std::optional<bool> writable;
    return writable;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QString ProgramInfo::executableName()
{
    if (!executableOverride().isEmpty())
        return executableOverride();
    const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    return path.isEmpty() ? QStringLiteral("talonex") : QFileInfo(path).completeBaseName();
}

QString ProgramInfo::programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return withSeparator(folder);
}

QString ProgramInfo::userFolder()
{
    if (!userFolderOverride().isEmpty())
        return userFolderOverride();
    // ~/.local/share/talonex for the program (named by its application name).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + u"/.local/share/talonex"_s;
    return withSeparator(folder);
}

bool ProgramInfo::programFolderWritable()
{
    if (writableOverride())
        return *writableOverride();
    const QFileInfo folder(programFolder());
    const QString canonical = folder.canonicalFilePath();
    if (canonical.isEmpty() || canonical.startsWith(u"/usr/"_s))
        return false;
    return folder.isDir() && folder.isWritable();
}

QString ProgramInfo::writablePath(const QString& fileName)
{
    if (programFolderWritable())
        return programFolder() + fileName;
    const QString path = userFolder() + fileName;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString ProgramInfo::readablePath(const QString& fileName)
{
    if (programFolderWritable())
        return programFolder() + fileName;
    const QString own = userFolder() + fileName;
    if (QFileInfo::exists(own))
        return own;
    const QString shipped = programFolder() + fileName;
    return QFileInfo::exists(shipped) ? shipped : own;
}

void ProgramInfo::setExecutableName(const QString& name)
{
    executableOverride() = name;
}

void ProgramInfo::setProgramFolder(const QString& folder)
{
    folderOverride() = folder.isEmpty() ? QString() : withSeparator(folder);
}

void ProgramInfo::setUserFolder(const QString& folder)
{
    userFolderOverride() = folder.isEmpty() ? QString() : withSeparator(folder);
}

void ProgramInfo::setProgramFolderWritable(std::optional<bool> writable)
{
    writableOverride() = writable;
}

void ProgramInfo::reset()
{
    writableOverride().reset();
    executableOverride().clear();
    folderOverride().clear();
    userFolderOverride().clear();
}
