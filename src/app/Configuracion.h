#pragma once

#include <QString>
#include <QVariant>

/// The value of a configuration key through the main connection; `valorAux` receives its auxiliary
/// value. A missing key reads as a single blank; with the connection closed the result is "".
QString Cfg(const QString& clave, QString& valorAux);
QString Cfg(const QString& clave);
/// The same through the statistics connection.
QString CfgTS(const QString& clave, QString& valorAux);
QString CfgTS(const QString& clave);

/// Writes a configuration key through the main connection (adds the row or updates it); silent on
/// failure. An empty `valorAux` keeps the stored auxiliary value.
void GrabaCfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
              const QString& grupo, bool recortaValor);
/// The same through the statistics connection.
void GrabaCfgTS(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
                const QString& grupo, bool recortaValor);

/// Loads the run configuration at start-up: the confidentiality setting, and the suite's settings
/// this program keeps.
void CargaConfiguracion(const QString& carpetaPrograma);
