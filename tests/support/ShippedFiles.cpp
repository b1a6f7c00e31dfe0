#include "support/ShippedFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ShippedFiles {

QString resources()
{
    return QStringLiteral(TALONEX_SOURCE_DIR "/resources/");
}

bool installSkins(const QString& programFolder)
{
    const QString source = resources() + QStringLiteral("Styles");
    const QString target = QDir(programFolder).filePath(QStringLiteral("Styles"));
    int copied = 0;
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = QDir(source).relativeFilePath(file);
        const QString copy = target + u'/' + relative;
        QDir().mkpath(QFileInfo(copy).path());
        QFile::remove(copy);
        copied += QFile::copy(file, copy) ? 1 : 0;
    }
    return copied > 0;
}

bool install(const QString& name, const QString& programFolder)
{
    const QString copy = QDir(programFolder).filePath(name);
    QFile::remove(copy);
    return QFile::copy(resources() + name, copy);
}

} // namespace ShippedFiles
