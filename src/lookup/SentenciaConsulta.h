#pragma once

#include <QString>

class DB_Dll;
struct MascaraConsulta;

/// The statements of the lookup request and of the database re-search (F5) of its windows. Pure text
/// work except SentenciaAutomatica, which reads the field names of the table.
class SentenciaConsulta
{
public:
    /// A condition longer than one character that does not begin with "(" becomes " (" + it + ") ".
    static QString EnvuelveCondicion(const QString& where);
    /// The row limit of the lookups from the value of "TopConsArt": its whole number, 1000 when that
    /// is 0 (missing, blank, not a number) or negative.
    static int LimiteFilas(const QString& valorTopConsArt);

    /// The statement of a mask record: its fields, its condition (else `where`, else the default
    /// condition of the special tables), ordered by the search column. When `campoBusqueda` is empty
    /// it becomes the first field of the mask; a mask of one field leaves `faltaConfigurar` true and
    /// returns "" (the table must be configured first).
    static QString DeMascara(const MascaraConsulta& mascara, int limite, QString& campoBusqueda,
                             const QString& where, bool& faltaConfigurar);
    /// The automatic statement of table `tabla`: its fields in reverse order without the key and the
    /// timestamp columns, ordered by the description-like column, which becomes `campoBusqueda`.
    /// `sentenciaOpcional`, when given, is the statement. The fields are read from the database; when
    /// they cannot be read (the data layer has reported why) the result is empty: there is no statement.
    static QString Automatica(const QString& tabla, int limite, QString& campoBusqueda, const QString& where,
                              const QString& sentenciaOpcional, DB_Dll& db);
    /// A caller's statement: the article list through its lookup view, `where` appended (with
    /// " WHERE " when it has none; `where` is rewritten so). Never limited, locked or ordered.
    static QString DelLlamador(const QString& sql, QString& where);

    /// The re-search statement of the list window: `sqlBase` / `colaSql` receive the statement
    /// without and with its ordering (or grouping) tail, and the result is the statement with a LIKE
    /// condition on `campo` for the typed `texto` (contains, blanks as wildcards, when `contiene`;
    /// else starts-with, "*" as wildcard). The typed text goes into the literal through the SQL-literal
    /// helper, so an apostrophe in it cannot end the literal.
    static QString BusquedaLista(const QString& sentencia, const QString& campo, const QString& texto,
                                 bool contiene, QString& sqlBase, QString& colaSql);
    /// The re-search statement of the tree window: a contains condition on Descripcion before the
    /// ORDER BY tail.
    static QString BusquedaArbol(const QString& sentencia, const QString& texto, QString& sqlBase,
                                 QString& colaSql);

    /// The word after the first "from" of `sentencia` (the table or view listed).
    static QString TablaDeSentencia(const QString& sentencia);
};
