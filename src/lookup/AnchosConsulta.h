#pragma once

#include <QList>
#include <QString>

/// The column-width file "CONSULTASLEN.TSO" of the list lookup window: one line per table, two
/// quoted texts separated by a comma, the table name and its widths in twips, each followed by "|"
/// ("VT_PROVEEDORES","1200|900|").
class AnchosConsulta
{
public:
    static QString NombreArchivo();
    static QString NombreTrabajo();

    /// The name a table's widths are kept under: the article stock list shares the article list's.
    static QString Tabla(const QString& tablaConsulta);
    /// The widths stored for `tabla` in `archivo`, as many as the line gives (at most `columnas`); a
    /// later line of the same table overrides an earlier one. Lines that are not two quoted texts
    /// are skipped; a missing or unreadable file gives none.
    static QList<int> Lee(const QString& archivo, const QString& tabla, int columnas);
    /// Replaces the line of `tabla` in `archivo` (kept last) with `anchos`, through the work file
    /// `trabajo` in the same folder, which then takes the file's place. The lines of other tables
    /// stay as they are; a missing file counts as empty. False when the files cannot be written.
    static bool Graba(const QString& archivo, const QString& trabajo, const QString& tabla,
                      const QList<int>& anchos);
};
