#include "data/OracleDialect.h"

#include "data/BlankTrim.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/RuntimeError.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

constexpr Qt::CaseSensitivity CI = Qt::CaseInsensitive;

const QString DateFormat = u"'DD/MM/YYYY'"_s;

// In this order; the trailing blanks keep "INSERTED" or "UPDATED" from counting as keywords.
const QString Keywords[] = {
    u"INSERT "_s,         u"DELETE "_s, u"UPDATE "_s,  u"CREATE "_s,      u"DROP "_s,    u"ALTER "_s,
    u"SET TRANSACTION"_s, u"COMMIT"_s,  u"ROLLBACK"_s, u"IF NOT EXIST"_s, u"IF EXIST"_s, u"GRANT "_s,
};

[[noreturn]] void invalidArgument()
{
    throw RuntimeError(RuntimeError::InvalidArgument, u"Invalid procedure call or argument"_s);
}

void replaceAll(QString& text, const QString& sought, const QString& replacement)
{
    if (!sought.isEmpty())
        text.replace(sought, replacement, CI);
}

// TOP n becomes a ROWNUM condition placed before GROUP BY or ORDER BY.
QString rowLimit(const QString& valor)
{
    const qsizetype p = valor.indexOf(u"top"_s, 0, CI);
    const QString head = valor.left(p);
    const QString rest = trimBlanks(QStringView(valor).mid(p + 3));
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        invalidArgument();
    const QString n = rest.left(blank);
    QString body = rest.mid(blank + 1);

    QString tail1;
    QString tail2;
    const qsizetype groupBy = valor.indexOf(u" GROUP BY "_s, 0, CI);
    if (groupBy >= 0) {
        tail1 = valor.mid(groupBy);
    } else {
        const qsizetype orderBy = valor.indexOf(u"ORDER BY "_s, 0, CI);
        if (orderBy >= 0)
            tail2 = valor.mid(orderBy);
    }
    const QString limit =
        (valor.contains(u" WHERE "_s, CI) ? u" AND ROWNUM <= "_s : u" WHERE ROWNUM <= "_s) + n;
    replaceAll(body, trimBlanks(tail1), u" "_s);
    replaceAll(body, trimBlanks(tail2), u" "_s);
    return head + u' ' + body + u' ' + limit + u' ' + tail1 + u' ' + tail2;
}

// Every quoted text that reads as a date by the regional settings becomes TO_DATE of its day,
// month and four-digit year. The quotes are paired in order over the text as it stands before
// any replacement.
void dateLiterals(QString& t)
{
    const QString s = t;
    qsizetype i = 0;
    for (;;) {
        const qsizetype a = s.indexOf(u'\'', i);
        if (a < 0)
            break;
        const qsizetype b = s.indexOf(u'\'', a + 1);
        if (b < 0)
            invalidArgument();
        const QString literal = s.mid(a + 1, b - a - 1);
        i = b;
        if (const std::optional<QDate> date = ClsUtiles::TextoAFechaRegional(literal)) {
            replaceAll(t, u'\'' + literal + u'\'',
                       u"TO_DATE('"_s + date->toString(u"dd/MM/yyyy"_s) + u"',"_s + DateFormat + u')');
        }
        i += 1;
    }
    // A literal that was already inside TO_DATE came out wrapped twice.
    while (t.contains(u"TO_DATE(TO_DATE("_s, CI)) {
        replaceAll(t, u"TO_DATE(TO_DATE("_s, u"TO_DATE("_s);
        replaceAll(t, DateFormat + u")," + DateFormat + u')', DateFormat + u')');
    }
}

// Comparisons with an empty text after the first WHERE: Oracle stores an empty text as NULL.
void emptyTextComparisons(QString& t)
{
    const qsizetype w = t.indexOf(u"WHERE "_s, 0, CI);
    if (w < 0)
        return;
    QString tail = t.mid(w);
    replaceAll(tail, u"= ''"_s, u" IS NULL "_s);
    replaceAll(tail, u"=''"_s, u" IS NULL "_s);
    t = t.left(w) + tail;
}

// Style 103 of a conversion to text is a day/month/year format.
void dateStyle103(QString& t)
{
    const QString toChar = u"TO_CHAR("_s;
    qsizetype i = 0;
    for (;;) {
        i = t.indexOf(u"103"_s, i);
        if (i < 0)
            break;
        const qsizetype k = t.lastIndexOf(u'(', i);
        if (k >= toChar.size() - 1 &&
            QStringView(t).mid(k - (toChar.size() - 1), toChar.size()).compare(toChar, CI) == 0)
            t = t.left(i) + DateFormat + t.mid(i + 3);
        i += 3;
    }
}

qsizetype firstKeyword(const QString& script, qsizetype from)
{
    qsizetype first = -1;
    for (const QString& keyword : Keywords) {
        const qsizetype at = script.indexOf(keyword, from, CI);
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first;
}

} // namespace

namespace OracleDialect {

QString translate(const QString& valor)
{
    if (ClsUtiles::CuentaPalabras(valor) <= 1)
        return valor.compare(u"LEN"_s, CI) == 0 ? u"LENGTH"_s : valor;

    QString t = valor;
    if (valor.contains(u"top "_s, CI))
        t = rowLimit(valor);
    for (const QString& len : {u" LEN("_s, u" LEN ("_s, u" LEN  ("_s, u" LEN   ("_s, u" LEN    ("_s})
        replaceAll(t, len, u" LENGTH("_s);
    t.replace(u'[', u'"');
    t.replace(u']', u'"');
    dateLiterals(t);
    replaceAll(t, u"Charindex"_s, u"InStr"_s);
    replaceAll(t, u"CONVERT(NVARCHAR,"_s, u"TO_CHAR("_s);
    replaceAll(t, u"CONVERT(INT,"_s, u"TO_NUMBER("_s);
    emptyTextComparisons(t);
    dateStyle103(t);
    replaceAll(t, u"SUBSTRING("_s, u"SUBSTR("_s);
    replaceAll(t, u"ISNULL("_s, u"NVL("_s);
    return t;
}

QString prepareScript(QString script)
{
    replaceAll(script, u"SET NOCOUNT ON"_s, QString());
    replaceAll(script, u"SET NOCOUNT OFF"_s, QString());
    replaceAll(script, u" GO "_s, u" "_s);
    replaceAll(script, u"\r\nGO "_s, u" "_s);
    replaceAll(script, u"\r\nGO\r\n"_s, u" "_s);
    replaceAll(script, u"\r\n"_s, u" "_s);
    replaceAll(script, u"\r"_s, u" "_s);
    replaceAll(script, u"BEGIN TRANSACTION"_s, u"SET TRANSACTION"_s);
    replaceAll(script, u"BEGIN TRANS"_s, u"SET TRANSACTION"_s);
    replaceAll(script, u"COMMIT TRANSACTION"_s, u"COMMIT"_s);
    replaceAll(script, u"COMMIT TRANS"_s, u"COMMIT"_s);
    replaceAll(script, u"ROLLBACK TRANSACTION"_s, u"ROLLBACK"_s);
    replaceAll(script, u"ROLLBACK TRANS"_s, u"ROLLBACK"_s);
    return script;
}

std::optional<ScriptStatement> nextStatement(const QString& script)
{
    ScriptStatement statement;
    statement.start = firstKeyword(script, 0);
    if (statement.start < 0)
        return std::nullopt;
    statement.next = firstKeyword(script, statement.start + 1);
    const qsizetype length = statement.next < 0 ? -1 : statement.next - statement.start;
    statement.text = trimBlanks(QStringView(script).mid(statement.start, length));
    return statement;
}

QStringList splitScript(const QString& script)
{
    QStringList statements;
    QString rest = script;
    while (const std::optional<ScriptStatement> statement = nextStatement(rest)) {
        statements.append(statement->text);
        rest = statement->next < 0 ? QString() : rest.mid(statement->next);
    }
    return statements;
}

ScriptAction scriptAction(const QString& statement)
{
    if (statement.compare(u"SET TRANSACTION"_s, CI) == 0)
        return ScriptAction::BeginTransaction;
    if (statement.compare(u"COMMIT"_s, CI) == 0)
        return ScriptAction::Commit;
    if (statement.compare(u"ROLLBACK"_s, CI) == 0)
        return ScriptAction::Rollback;
    return ScriptAction::Execute;
}

bool isFilteredOut(const QString& statement)
{
    return statement.contains(u"SET NOCOUNT"_s, CI) || statement.contains(u"IF NOT EXIST"_s, CI);
}

} // namespace OracleDialect
