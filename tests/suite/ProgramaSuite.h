#pragma once

// Header only, for the tests of the stand-in executables: installing them in the test's program
// folder, where the launcher looks for them, and waiting for one the launcher started.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace ProgramaSuite {

/// Copies the built program `nombre` into `carpeta` (the test's program folder), so that it runs
/// with that folder as its own, as an installed program of the suite does.
inline QString instala(const QString& nombre, const QString& carpeta)
{
    const QString origen = QStringLiteral(TALONEX_PROGRAM_DIR "/") + nombre;
    const QString destino = carpeta + nombre;
    QFile::remove(destino);
    EXPECT_TRUE(QFile::copy(origen, destino)) << origen.toStdString();
    QFile::setPermissions(destino, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return destino;
}

/// The processes now running the executable `ruta`.
inline QList<qint64> procesosDe(const QString& ruta)
{
    QList<qint64> pids;
    const QString buscado = QFileInfo(ruta).canonicalFilePath();
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numero = false;
        const qint64 id = pid.toLongLong(&numero);
        if (numero &&
            QFileInfo(QStringLiteral("/proc/") + pid + QStringLiteral("/exe")).symLinkTarget() == buscado)
            pids << id;
    }
    return pids;
}

/// Waits, letting the test's own windows work, until `salida` exists and no process runs `ruta`
/// any more. A process still there after `limiteMs` is killed and the wait fails.
inline bool esperaFin(const QString& ruta, const QString& salida, int limiteMs = 30000)
{
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < limiteMs) {
        if (QFile::exists(salida) && procesosDe(ruta).isEmpty())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    for (qint64 pid : procesosDe(ruta))
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    return false;
}

inline QString lee(const QString& ruta)
{
    QFile file(ruta);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace ProgramaSuite
