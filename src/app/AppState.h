#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

/// One column and its value, already written as an SQL literal, of a statement being built.
struct CampoValor
{
    QString Campo;
    QString Valor;
};

/// The program-wide fields of the application frame, one instance per process, created on first use.
/// The data layer's own (gDB, gDBEstadisticas, gConfidencialidad) live in DataGlobals.
struct AppState
{
    /// Workstation and user, upper-cased, at most 50 characters: the key of this workstation in the
    /// INI file and in the print table.
    QString gPuestoUsuario;
    QString gUsuarioLogeado;
    /// "Reimpresion" selects the reprint mode.
    QString gParametroAdicional;
    QString gMenu;
    QString gCaja = QStringLiteral("1");
    int gFlatToolbars = 1;
    /// Connection text for the report component.
    QString gCadenaDSN;
    /// Command time-out of the main connection, seconds.
    qint16 gTimeOut = 360;
    /// Name of the configuration table; blank until first use.
    QString gTablaCfg;
    /// The program folder, ending with the separator, and the help file in it.
    QString gCarpetaPrograma;
    QString gArchivoAyuda;

    /// Connection and mask file the lookup request works with.
    QString gConnStringConsultas;
    bool gUsarMascarasConsultas = false;
    QString gRutaMascaraConsultas;

    /// Settings of the suite read at start-up that this program keeps but does not use, by key.
    QHash<QString, QString> gConfiguracion;

    /// The pending field list and the script of the statement builder.
    QList<CampoValor> gCamposValores;
};

AppState& appState();
/// A fresh state, with the data layer's objects and settings (tests; a new run).
void resetAppState();
