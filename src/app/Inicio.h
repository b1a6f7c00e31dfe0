#pragma once

#include <QString>

/// How the start-up ended: no connection (the program must end), everything set, or stopped part-way
/// by an unexpected failure (the window goes on with what was set).
enum class ResultadoInicio
{
    SinConexion,
    Completo,
    Parcial
};

/// The start of every program of the suite: reads the start-up parameter string (or, with `usarIni`
/// and no parameters, the INI file), opens the main and statistics connections, writes the lookup
/// mask file when missing, loads the configuration and records the access. `parametros` "" takes
/// the process command line; `cadenaConexion` is an explicit connection string ("" normally).
ResultadoInicio IniciarAplicacion(bool usarIni, const QString& parametros, QString& cadenaConexion,
                                  int ubicacionCursor);

/// The server name without a protocol prefix ("tcp/") or a port (":1433"); a PostgreSQL server
/// "pg://host[:port]" as it stands.
QString NormalizaServidor(const QString& servidor);

/// The value of `key` in a start-up parameter string, as the suite's programs read it; `found`
/// tells whether the key is there at all.
QString LeeParametro(const QString& texto, const QString& key, bool* found = nullptr);

/// Appends the eleven lookup mask records to the mask file; false when it cannot be written.
bool CreaMascarasConsultas();

/// Opens the statistics connection and sets the command time-out from its configuration.
void AbreEstadisticas();

/// The INI file of the suite's workstations.
inline constexpr const char16_t* ArchivoIni = u"PX500wk.INI";
