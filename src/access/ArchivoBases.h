#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

/// One registered connection of BASES.TXT.
struct ConexionRegistrada
{
    /// "SRV01\SQL2008 / EMPRESA1": the server without port and the database, upper case.
    QString nombre;
    QString dbName;
    QString usuario;
    /// The password as typed; the file holds it encoded.
    QString password;
    /// The server as typed; it may carry ":" and a port ("srv01:1433").
    QString servidor;
};

/// The registered connections file "BASES.TXT": one connection a line, five comma-separated fields
/// (name, database, login, encoded password, server), in the workstation's ANSI code page, each line
/// ended by CR LF. The file only grows: lines are appended, never edited or removed.
class ArchivoBases
{
public:
    static QString NombreArchivo();

    /// The file the connection list is read from: the per-user copy when the program folder cannot
    /// be written and that copy exists, else the one in the program folder.
    static QString RutaLectura();
    /// The file a new connection is appended to: the program folder's when it can be written, else
    /// the per-user copy (which starts as a copy of the program folder's file).
    static QString RutaEscritura();

    /// The lines of the file without their line ends, in file order. Throws RuntimeError 75 when the
    /// file exists but cannot be read; a missing file has no lines.
    static QList<QByteArray> Lineas(const QString& ruta);

    /// A line read back: fields separated by commas, a field possibly enclosed in double quotes,
    /// blanks around fields dropped, the password decoded. nullopt for a line that is not a
    /// connection: a blank first field, fewer than five fields or a quote left open.
    static std::optional<ConexionRegistrada> LeeLinea(const QByteArray& linea);

    /// The line written for `conexion`, with its CR LF. Fields are written as they stand; one that
    /// holds a comma is enclosed in double quotes so that it reads back whole.
    static QByteArray Linea(const ConexionRegistrada& conexion);

    /// The name a connection is registered under: the server in upper case, trimmed and cut before
    /// a ":" port, + " / " + the database in upper case, trimmed.
    static QString NombreConexion(const QString& servidor, const QString& dbName);

    /// Appends `conexion` to RutaEscritura(), creating the file when missing. Throws RuntimeError
    /// 75 when the file cannot be opened, 57 when the line cannot be written whole.
    static void Agrega(const ConexionRegistrada& conexion);
};
