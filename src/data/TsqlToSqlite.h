#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

/// Rewrites the program's statements, written in SQL Server's dialect, as the statements SQLite runs.
/// Works on the pieces of TsqlTokenizer, so quoted texts, quoted names and comments pass unchanged;
/// TsqlBatch tells the statements of a batch apart and TsqlDates reads and writes the date styles.
///
/// What changes: table hints WITH (NOLOCK, ...) and "T (NOLOCK)" go; SELECT [DISTINCT] TOP n (also
/// TOP (n), in sub-selects, WITH TIES dropped) becomes LIMIT n at the end of that select; TOP 100
/// PERCENT goes; isnull( becomes ifnull(; Len(x) becomes length(rtrim(x)), as LEN does not count
/// trailing blanks; CONVERT to integer, decimal, float and text types becomes CAST, a text with a
/// date style strftime(), a date literal its ISO text, other date values tsql_datetime(); CAST(x AS
/// datetime) keeps x; LEFT/RIGHT become substr(); {d '...'}, {ts '...'}, {fn f()} their contents;
/// "DELETE T WHERE" gets its FROM; [names] become "names"; the dbo. owner goes ("db..T" is "db.T");
/// N'...' loses its N; ALTER TABLE ... ADD C type [NOT] NULL [CONSTRAINT x] [DEFAULT (v)] becomes
/// ADD COLUMN (a NOT NULL column without default is added as NULL: SQLite refuses it on a table
/// with rows); "+" next to a quoted text, and the "+" after it in the same expression, becomes "||";
/// a quoted text (other than a number) on one side of a comparison gets COLLATE NOCASE_RTRIM, so it
/// compares without regard to case or trailing blanks as on the server; the transaction statements
/// become BEGIN, COMMIT and ROLLBACK, and session options (SET NOCOUNT ON, ...) and "GO" lines go.
/// charindex() and getdate() stay: the engine registers them (SqliteFunctions).
///
/// Limits: "+" between two columns stays an addition (their types are unknown here); "||" binds
/// tighter than "*" and "+" in SQLite, so a concatenation mixed with arithmetic needs parentheses;
/// CONVERT(varchar(n), x) does not cut x to n characters; TOP in one member of a UNION limits the
/// whole union; TOP n PERCENT other than 100, SET ROWCOUNT, multi-column ALTER TABLE ADD and LIKE
/// patterns with [a-z] classes are left as they are and fail (or match differently) on SQLite.
class TsqlToSqlite
{
public:
    /// The statements `tsql` stands for, in order. A batch is split at ";" and at line breaks where
    /// a new statement starts; its transaction statements become "BEGIN", "COMMIT" and "ROLLBACK";
    /// session options (SET NOCOUNT ON, ...) and "GO" lines are dropped. Blank input gives none.
    /// Raises a RuntimeError (AdoErrorNumber::CommandText) for a text nested deeper than
    /// MaxNesting parentheses, which the translator, working level by level, does not take.
    static QStringList translate(QStringView tsql);

    /// The deepest nesting of parentheses translated; far beyond any statement the program writes.
    static constexpr int MaxNesting = 200;
    /// The description of the refusal, as SQL Server words its own (error 191).
    static QString tooDeepDescription();
};
