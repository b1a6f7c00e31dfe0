#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

/// Rewrites the program's statements, written in SQL Server's dialect, as the statements PostgreSQL
/// runs. It starts from the SQLite rewriting (TOP, CONVERT/CAST with styles, {d ...}/{ts ...}, hints,
/// brackets, "+" next to texts, LEN, LEFT/RIGHT, batches with transaction statements: the two
/// engines agree on LIMIT, "||", quoted names, BEGIN/COMMIT/ROLLBACK) and then turns what only
/// SQLite understands into PostgreSQL's forms:
/// - ifnull( becomes coalesce(; strftime(fmt, x) becomes to_char(CAST(x AS timestamp), fmt);
///   the substr() of RIGHT becomes right(); CAST(... AS REAL) becomes DOUBLE PRECISION (REAL is a
///   single float on PostgreSQL);
/// - getdate() becomes the program clock's moment (so a fixed clock holds on the server too);
/// - quoted names, which come from [brackets] or "quotes", are folded to lower case as PostgreSQL
///   folds unquoted ones (the names of the database are lower case there), except aliases after AS;
/// - "x LIKE p" becomes "x ILIKE p COLLATE "default"": the text columns use a non-deterministic,
///   case-insensitive collation that LIKE cannot work with; ILIKE under the deterministic default
///   collation matches without regard to case and with regard to accents, as the collation compares;
/// - a table read with the UPDLOCK or HOLDLOCK hint is locked first for the rest of the transaction
///   with a transaction-level advisory lock on the table's name (a statement of its own before the
///   reading one): under read committed a second transaction waits there and then reads what the
///   first committed, as the hint makes SQL Server's transactions wait.
/// charindex(), tsql_datetime() and "+" between two texts are functions and an operator the engine
/// creates on the server (PostgresEngine::supportScript()).
class TsqlToPostgres
{
public:
    /// The statements `tsql` stands for, in order; `now` is what getdate() gives.
    static QStringList translate(QStringView tsql, const QDateTime& now);

    /// The advisory-lock key of the table `table` that the UPDLOCK/HOLDLOCK hints lock.
    static QString lockStatement(const QString& table);
};
