#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

/// The source tree's resources folder, with the shipped report files. Found from this header's own
/// path (the build passes absolute source paths), so a test needs no environment to find it.
inline QString shippedResources()
{
    return QDir::cleanPath(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
                           QStringLiteral("/../../resources")) +
           u'/';
}
