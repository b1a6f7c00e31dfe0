#pragma once

#include <QList>
#include <QMap>
#include <QString>

class DB_Dll;

/// A table of the suite kept by the table-maintenance programs: which table a lookup's name stands
/// for, its columns, and the addition of one row through the data layer.
class TablaMantenida
{
public:
    struct Columna
    {
        QString nombre;
        /// ADO field type code.
        int tipo = 0;
        int tamano = 0;
    };

    /// The table behind a lookup's table or view name: the suite's lookup views select from one table
    /// each, and rows are added to that table. Other names are taken as the table itself.
    static QString tablaDe(const QString& nombre);

    /// A table name the statements can carry as it is: a name of letters, digits and "_", with an
    /// optional owner ("dbo.TA_RUBROS"). Anything else could turn the statement into another one.
    static bool nombreValido(const QString& nombre);

    explicit TablaMantenida(QString tabla) : m_tabla(std::move(tabla)) {}

    const QString& tabla() const { return m_tabla; }
    const QList<Columna>& columnas() const { return m_columnas; }

    /// Reads the table's columns through `db`; false (with the database's failure shown by the data
    /// layer) when the table cannot be read.
    bool leeColumnas(DB_Dll& db);

    /// The INSERT of one row: every column with a value, as the SQL literal of its type; columns left
    /// empty are left out, so the table's defaults apply. nullopt with `error` when a value does not
    /// fit its column's kind (a number, a date "dd/mm/yyyy", a flag) or no column has a value.
    std::optional<QString> sentenciaAlta(const DB_Dll& db, const QMap<QString, QString>& valores,
                                         QString& error) const;

    enum class Alta
    {
        Grabada,
        /// The user is not an administrator; nothing was sent.
        SinPermiso,
        /// A value did not fit its column; nothing was sent.
        ValorInvalido,
        /// The database refused the row (its message was shown; the row is in AUX_ERR).
        Rechazada
    };
    /// Adds one row as one transaction of the shared script runner, telling the operator why when it
    /// is not added.
    Alta agrega(DB_Dll& db, const QMap<QString, QString>& valores) const;

private:
    QString m_tabla;
    QList<Columna> m_columnas;
};
