#pragma once

#include <QString>

#include <optional>

/// One record of the lookup mask file "consultas.tso": fixed-length records of 1202 bytes (title
/// 100, table 100, fields 500, condition 500, CR LF), text in the ANSI code page, blank-padded.
struct MascaraConsulta
{
    static constexpr qsizetype LongitudRegistro = 1202;

    QString Titulo;
    QString Tabla;
    QString Campos;
    QString Condicion;

    /// The text of a field without NUL and code-255 characters, trimmed.
    static QString Limpia(const QString& campo);

    /// The first record of the file at `ruta` whose cleaned table equals `tabla` (trimmed, any case);
    /// nullopt at the end of the file, or when the file cannot be read. A short last record counts as
    /// far as it goes.
    static std::optional<MascaraConsulta> Busca(const QString& ruta, const QString& tabla);
};
