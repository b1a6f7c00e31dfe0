#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class AdoRecordset;

/// What the list lookup window lists, without the window: the columns of a statement's recordset
/// (header, width in letters "X"), its rows (texts, tick, stock colour) and the widths of columns
/// whose field gives no size. The window turns letters into pixels and rows into list items.
class ListadoConsulta
{
public:
    /// Widest column, in letters, and the width of every currency or numeric field.
    static constexpr int AnchoMaximoColumna = 60;
    static constexpr int AnchoMoneda = 12;

    struct Columna
    {
        /// The field name; the search box over the column remembers it.
        QString campo;
        QString titulo;
        /// Width in letters "X".
        int letras = 0;
        /// The field gives no defined size: the column is sized by its longest value instead.
        bool sinTamano = false;
        /// Widened by ten letters ("@10" in the default values).
        bool ensanchada = false;
    };

    struct Fila
    {
        /// One text per field: the first trimmed, the others as displayed.
        QStringList textos;
        bool marcada = false;
        /// Stock colour of an article row (blue-green-red), when it has one.
        std::optional<qlonglong> color;
    };

    /// What the rows depend on, as the window holds it.
    struct Opciones
    {
        QString sql;
        QString campoDevuelto;
        bool checkBoxes = false;
        QString valoresDefault;
        QString muestraStock;
        QVariant stkNivel1;
        QVariant stkNivel2;
        QVariant stkNivel3;
        QVariant stkNivel4;
    };

    /// The columns of `rs`, from the first field to the last, appended to `columnas`. A failure
    /// part-way raises the runtime error and leaves the columns built so far.
    static void Encolumnar(const AdoRecordset& rs, const QString& sql, const QString& valoresDefault,
                           QList<Columna>& columnas);
    /// Every row of `rs` from the first; an empty recordset gives none. A failure raises the runtime
    /// error and gives no rows at all.
    static QList<Fila> Leer(AdoRecordset& rs, const Opciones& opciones);
    /// Width in letters of a column without defined size: its longest value or header, capped, and
    /// ten letters more when `ensancha`.
    static int LetrasPorContenido(const QString& titulo, const QList<Fila>& filas, int columna,
                                  bool ensancha);
    /// The stock situation's colour of a row with reorder point `p` and stock `s`.
    static QVariant ColorDeStock(double p, double s, const QVariant& nivel1, const QVariant& nivel2,
                                 const QVariant& nivel3, const QVariant& nivel4);
};
