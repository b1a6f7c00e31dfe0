#include "zimbrel2/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

void ProgramInfo::setExecutableName(const QString& name)
{
    executableOverride() = name;
}

void ProgramInfo::setProgramFolder(const QString& folder)
{
    folderOverride() = folder.isEmpty() ? QString() : withSeparator(folder);
}

void ProgramInfo::reset()
{
    executableOverride().clear();
    folderOverride().clear();
}
