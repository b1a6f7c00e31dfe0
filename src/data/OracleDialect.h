#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// The Oracle forms of the T-SQL the program writes, by text substitution (every search ignores
/// case and every replacement replaces all occurrences), and the splitting of a T-SQL script into
/// the statements an Oracle server runs one by one. Pure text.
namespace OracleDialect {

/// `valor` in Oracle's dialect: a lone "LEN" becomes "LENGTH"; a statement gets its TOP turned into
/// ROWNUM, LEN into LENGTH, brackets into double quotes, date literals into TO_DATE, CHARINDEX,
/// CONVERT, SUBSTRING and ISNULL into their Oracle names and empty-text comparisons into IS NULL.
/// Raises RuntimeError 5 (invalid procedure call or argument) for a single quote without its
/// closing one, or a TOP without a row count and a blank after it.
QString translate(const QString& valor);

/// The script with what Oracle does not take removed: SET NOCOUNT, GO separators and line breaks
/// become blanks, T-SQL transaction statements become SET TRANSACTION, COMMIT and ROLLBACK.
QString prepareScript(QString script);

/// One statement of a prepared script: the text from a keyword up to the next keyword, trimmed.
struct ScriptStatement
{
    /// Where the statement's keyword starts.
    qsizetype start = -1;
    /// Where the next statement starts; -1 when this one runs to the end of the script.
    qsizetype next = -1;
    QString text;
};

/// The first statement of `script`; nullopt when no keyword occurs in it. Keywords are found
/// anywhere, also inside names and quoted texts.
std::optional<ScriptStatement> nextStatement(const QString& script);

/// Every statement of a prepared script, in order.
QStringList splitScript(const QString& script);

/// What the script runner does with a statement.
enum class ScriptAction
{
    BeginTransaction,
    Commit,
    Rollback,
    Execute
};
ScriptAction scriptAction(const QString& statement);

/// A statement the runner leaves out: a SET NOCOUNT, or the test of an IF NOT EXISTS (the statement
/// after it runs unconditionally).
bool isFilteredOut(const QString& statement);

} // namespace OracleDialect
