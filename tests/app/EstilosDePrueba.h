#pragma once

// Header only: the shipped skins for tests that load a window under a program folder of their own.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

/// The skins as shipped in the source tree: TALONEX_STYLES_DIR when the test target defines it
/// (target_compile_definitions(... TALONEX_STYLES_DIR="${CMAKE_SOURCE_DIR}/resources/Styles")), else
/// $TALONEX_SOURCE_DIR/resources/Styles.
inline QString carpetaEstilosFuente()
{
#ifdef TALONEX_STYLES_DIR
    return QStringLiteral(TALONEX_STYLES_DIR);
#else
    return qEnvironmentVariable("TALONEX_SOURCE_DIR") + QStringLiteral("/resources/Styles");
#endif
}

/// Copies the shipped skins to `carpetaPrograma` + "Styles/", as the build puts them beside the
/// program; false when none was copied.
inline bool copiaEstilos(const QString& carpetaPrograma)
{
    const QString origen = carpetaEstilosFuente();
    const QString destino = QDir(carpetaPrograma).filePath(QStringLiteral("Styles"));
    int copiados = 0;
    QDirIterator it(origen, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString archivo = it.next();
        const QString relativo = QDir(origen).relativeFilePath(archivo);
        QDir(destino).mkpath(QFileInfo(relativo).path());
        const QString copia = destino + QStringLiteral("/") + relativo;
        QFile::remove(copia);
        copiados += QFile::copy(archivo, copia) ? 1 : 0;
    }
    return copiados > 0;
}
