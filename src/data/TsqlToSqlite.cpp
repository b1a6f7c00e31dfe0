// The T-SQL statement as SQLite reads it: hints, TOP, CONVERT/CAST, output and the text collation,
// each a rewrite over one token walk. The rewrites stay in one file because they share that walk
// and their order matters (TOP before the hints, CONVERT before the collation); the date styles
// live in TsqlDates and the batch splitting in TsqlBatch.
#include "data/TsqlToSqlite.h"

#include "data/AdoError.h"
#include "data/TsqlBatch.h"
#include "data/TsqlDates.h"
#include "zimbrel2/RuntimeError.h"

#include <QRegularExpression>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// True for a quoted text holding a plain number: digits with an optional sign and decimal point.
bool isNumberText(QStringView quoted)
{
    static const QRegularExpression number(u"^'[+-]?\\d+(\\.\\d+)?'$"_s);
    return number.match(quoted.toString()).hasMatch();
}

// Table hints SQLite has no use for: its readers never wait for writers' row locks.
bool isTableHint(QStringView word)
{
    return TsqlPieces::equalsAny(word, {u"nolock", u"readuncommitted", u"readcommitted", u"readcommittedlock",
                                        u"rowlock", u"paglock", u"tablock", u"tablockx", u"updlock", u"xlock",
                                        u"holdlock", u"serializable", u"repeatableread", u"readpast",
                                        u"nowait", u"forceseek", u"noexpand", u"index"});
}

// Words after which an expression starts afresh: a "+" after them is no continuation of a
// concatenation.
bool isClauseKeyword(QStringView word)
{
    return TsqlPieces::equalsAny(
        word, {u"and",    u"or",       u"not",     u"case",   u"when",  u"then", u"else",   u"end",
               u"select", u"from",     u"where",   u"as",     u"on",    u"set",  u"values", u"in",
               u"like",   u"is",       u"between", u"order",  u"group", u"by",   u"having", u"union",
               u"join",   u"distinct", u"top",     u"exists", u"into",  u"asc",  u"desc",   u"all"});
}

enum class TypeFamily
{
    Other,
    Integer,
    Decimal,
    Float,
    Text,
    DateTime,
    Date,
};

TypeFamily typeFamily(QStringView type)
{
    if (TsqlPieces::equalsAny(type, {u"int", u"integer", u"bigint", u"smallint", u"tinyint", u"bit"}))
        return TypeFamily::Integer;
    if (TsqlPieces::equalsAny(type, {u"decimal", u"numeric", u"money", u"smallmoney"}))
        return TypeFamily::Decimal;
    if (TsqlPieces::equalsAny(type, {u"float", u"real"}))
        return TypeFamily::Float;
    if (TsqlPieces::equalsAny(type,
                              {u"char", u"varchar", u"nchar", u"nvarchar", u"text", u"ntext", u"sysname"}))
        return TypeFamily::Text;
    if (TsqlPieces::equalsAny(type, {u"datetime", u"smalldatetime", u"datetime2", u"datetimeoffset"}))
        return TypeFamily::DateTime;
    if (type.compare(u"date", Qt::CaseInsensitive) == 0)
        return TypeFamily::Date;
    return TypeFamily::Other;
}

QString quotedText(const QString& text)
{
    QString out = text;
    out.replace(u'\'', u"''"_s);
    return u'\'' + out + u'\'';
}

// The content of a '...' or N'...' piece.
QString stringContent(QStringView piece)
{
    if (piece.startsWith(u'N') || piece.startsWith(u'n'))
        piece = piece.mid(1);
    if (piece.size() >= 2 && piece.endsWith(u'\''))
        piece = piece.mid(1, piece.size() - 2);
    else
        piece = piece.mid(1);
    QString out = piece.toString();
    out.replace(u"''"_s, u"'"_s);
    return out;
}

// Rewrites each statement of a batch; the pieces it drops are marked in m_skip, the ones it writes
// otherwise in m_repl, and everything else is written as it stands.
class Translator : private TsqlBatch
{
public:
    explicit Translator(QStringView source) : TsqlBatch(source), m_skip(size(), false), m_repl(size()) {}

    bool tooDeep() const { return depth() > TsqlToSqlite::MaxNesting; }

    QStringList run()
    {
        QStringList statements;
        for (const TsqlRange& r : TsqlBatch::statements()) {
            QString text = statement(r).trimmed();
            if (!text.isEmpty())
                statements.append(text);
        }
        return statements;
    }

private:
    std::vector<bool> m_skip;
    std::vector<QString> m_repl;

    QString statement(TsqlRange r)
    {
        if (significant(r, 1).empty() || isSessionSet(r))
            return {};
        QString word = transactionStatement(r);
        if (!word.isEmpty())
            return word;
        markHints(r);
        markDeleteFrom(r);
        markAlterAdd(r);
        QString out;
        out.reserve((token(r.end - 1).pos + token(r.end - 1).len - token(r.begin).pos) * 5 / 4 + 16);
        write(r, out);
        return out;
    }

    // "with(nolock)" and the other hints after a table name go, with one of the blanks around them.
    void markHints(TsqlRange r)
    {
        for (qsizetype i = r.begin; i < r.end; ++i) {
            qsizetype open = -1;
            qsizetype first = i; // first piece of the hint
            if (isWord(i, u"with")) {
                open = nextSig(i, r.end);
                if (!isSymbol(open, u'('))
                    continue;
            } else if (isSymbol(i, u'(') && isName(prevSig(i, r.begin)) &&
                       !isWord(prevSig(i, r.begin), u"values") &&
                       !isWord(prevSig(prevSig(i, r.begin), r.begin), u"into")) {
                // The older form without WITH: "FROM T (NOLOCK)".
                const qsizetype inner = nextSig(i, r.end);
                if (!isWord(inner, u"nolock") || !isSymbol(nextSig(inner, r.end), u')'))
                    continue;
                open = i;
            } else {
                continue;
            }
            const qsizetype close = match(open);
            if (close < 0 || close >= r.end || !onlyHints(open, close))
                continue;
            const qsizetype before = first - 1;
            const qsizetype after = close + 1;
            const bool spaceBefore = before >= r.begin && kind(before) == Kind::Space;
            const bool spaceAfter = after >= r.end || kind(after) == Kind::Space;
            for (qsizetype k = first; k <= close; ++k)
                m_skip[k] = true;
            if (spaceBefore && spaceAfter)
                m_skip[before] = true;
            else if (!spaceBefore && !spaceAfter) {
                m_skip[first] = false;
                m_repl[first] = u" "_s;
            }
            i = close;
        }
    }

    bool onlyHints(qsizetype open, qsizetype close) const
    {
        bool any = false;
        for (qsizetype k = open + 1; k < close; ++k) {
            if (isBlank(k) || isSymbol(k, u','))
                continue;
            if (kind(k) != Kind::Word || !isTableHint(text(k)))
                return false;
            any = true;
            if (isWord(k, u"index")) {
                // INDEX(ix) or INDEX = ix
                const qsizetype n = nextSig(k, close);
                if (isSymbol(n, u'(') && match(n) > 0 && match(n) < close)
                    k = match(n);
                else if (isSymbol(n, u'=') && isName(nextSig(n, close)))
                    k = nextSig(n, close);
                else
                    return false;
            }
        }
        return any;
    }

    // "DELETE T WHERE ..." as "DELETE FROM T WHERE ...".
    void markDeleteFrom(TsqlRange r)
    {
        const std::vector<qsizetype> sig = significant(r, 2);
        if (sig.size() == 2 && isWord(sig[0], u"delete") && isName(sig[1]) && !isWord(sig[1], u"from") &&
            !isWord(sig[1], u"top"))
            m_repl[sig[0]] = text(sig[0]) + u" FROM"_s;
    }

    // "ALTER TABLE T ADD C type Null CONSTRAINT DF_x DEFAULT (v)" as SQLite's
    // "ALTER TABLE T ADD COLUMN C type NULL DEFAULT (v)". SQLite cannot add a NOT NULL column
    // without a default to a table that has rows, where SQL Server refuses it only on a table that
    // has rows: such a column is added as NULL, so that the program, which adds columns before it
    // uses them and never relies on the refusal, goes on working.
    void markAlterAdd(TsqlRange r)
    {
        const std::vector<qsizetype> sig = significant(r, 2);
        if (sig.size() < 2 || !isWord(sig[0], u"alter") || !isWord(sig[1], u"table"))
            return;
        qsizetype add = -1;
        bool hasDefault = false;
        for (qsizetype i = sig[1]; i < r.end; ++i) {
            if (isSymbol(i, u'(') && match(i) > i) {
                i = match(i);
                continue;
            }
            if (add < 0 && isWord(i, u"add"))
                add = i;
            else if (add >= 0 && isSymbol(i, u','))
                return; // several columns at once: SQLite takes one per statement
            else if (add >= 0 && isWord(i, u"default"))
                hasDefault = true;
        }
        const qsizetype column = nextSig(add, r.end);
        if (add < 0 || column >= r.end || isWord(column, u"column") || isWord(column, u"constraint"))
            return;
        m_repl[add] = text(add) + u" COLUMN"_s;
        for (qsizetype i = column; i < r.end; ++i) {
            if (isWord(i, u"constraint") && hasDefault) {
                const qsizetype name = nextSig(i, r.end);
                if (!isName(name))
                    continue;
                for (qsizetype k = i; k <= name; ++k)
                    m_skip[k] = true;
                if (i - 1 > add && kind(i - 1) == Kind::Space)
                    m_skip[i - 1] = true;
                i = name;
            } else if (isWord(i, u"not") && isWord(nextSig(i, r.end), u"null")) {
                const qsizetype null = nextSig(i, r.end);
                if (hasDefault) {
                    m_repl[i] = u"NOT"_s;
                    m_repl[null] = u"NULL"_s;
                } else {
                    m_repl[i] = u"NULL"_s;
                    for (qsizetype k = i + 1; k <= null; ++k)
                        m_skip[k] = true;
                }
                i = null;
            } else if (isWord(i, u"null")) {
                m_repl[i] = u"NULL"_s;
            }
        }
    }

    // --- Emitting ----------------------------------------------------------------------------

    // The state of one level of parentheses while it is written out.
    struct Frame
    {
        qsizetype lastSig = -1; // the last piece written at this level; LIMIT goes after it
        QString limit;          // from "TOP n" of this level's SELECT
        bool prevString = false;
        bool concat = false; // a "+" of this expression was a concatenation
    };

    QString written(TsqlRange r)
    {
        QString out;
        write(trimmed(r), out);
        return out;
    }

    void write(TsqlRange r, QString& out)
    {
        Frame f;
        for (qsizetype i = r.end - 1; i >= r.begin; --i) {
            if (!isBlank(i) && !m_skip[i]) {
                f.lastSig = i;
                break;
            }
        }
        qsizetype i = r.begin;
        while (i < r.end) {
            const qsizetype next = writeItem(i, r, f, out);
            if (!f.limit.isEmpty() && next > f.lastSig) {
                out += u" LIMIT "_s + f.limit;
                f.limit.clear();
            }
            i = next;
        }
        if (!f.limit.isEmpty())
            out += u" LIMIT "_s + f.limit;
    }

    // Writes the piece at `i` (or the construct that starts there) and answers where to go on.
    qsizetype writeItem(qsizetype i, TsqlRange r, Frame& f, QString& out)
    {
        if (m_skip[i])
            return i + 1;
        if (!m_repl[i].isNull()) {
            out += m_repl[i];
            if (!isBlank(i))
                f.prevString = false;
            return i + 1;
        }
        const QStringView t = text(i);
        switch (kind(i)) {
        case Kind::Space:
            out += t;
            return i + 1;
        case Kind::Comment:
            // SQLite does not nest block comments.
            out += (t.startsWith(u"/*") && t.mid(2).contains(u"/*")) ? u" "_s : t.toString();
            return i + 1;
        case Kind::String:
            out += (t.startsWith(u'\'') ? t : t.mid(1));
            // SQL Server compares texts without regard to case or trailing blanks, also where one
            // side is a function's result (LTRIM(RTRIM(c)) = 'x'), which SQLite compares exactly.
            // The text columns are declared with the same collation, so an index on the column
            // still serves the comparison.
            // A number written as a text ('2024', as the key of an accounting line is compared) has
            // no case to ignore; left without a collation it compares by the column's affinity and
            // collation, so an index on a numeric column still serves it.
            if (isComparedText(i, r) && !isNumberText(t))
                out += u" COLLATE NOCASE_RTRIM"_s;
            f.prevString = true;
            return i + 1;
        case Kind::Number:
            out += t;
            f.prevString = false;
            return i + 1;
        case Kind::BracketName:
        case Kind::QuotedName: {
            f.prevString = false;
            if (isOwnerPrefix(i))
                return i + 2;
            if (kind(i) == Kind::QuotedName) {
                out += t;
                return i + 1;
            }
            QString name = t.mid(1, t.endsWith(u']') ? t.size() - 2 : t.size() - 1).toString();
            name.replace(u"]]"_s, u"]"_s);
            name.replace(u"\""_s, u"\"\""_s);
            out += u'"' + name + u'"';
            return i + 1;
        }
        case Kind::Word:
            return writeWord(i, r, f, out);
        case Kind::Symbol:
            break;
        }
        if (isSymbol(i, u'(') && match(i) > i && match(i) < r.end) {
            out += u'(';
            write(TsqlRange{i + 1, match(i)}, out);
            out += u')';
            f.prevString = false;
            return match(i) + 1;
        }
        if (isSymbol(i, u'{'))
            return writeOdbcEscape(i, r, f, out);
        if (isSymbol(i, u'+')) {
            // SQL Server's "+" joins texts; SQLite's "||" does.
            const qsizetype n = nextSig(i, r.end);
            if (f.prevString || f.concat || (n < r.end && kind(n) == Kind::String)) {
                out += u"||"_s;
                f.concat = true;
            } else {
                out += u'+';
            }
            f.prevString = false;
            return i + 1;
        }
        if (isSymbol(i, u'.') && isSymbol(i + 1, u'.') && isName(i - 1)) {
            out += u'.'; // "catalog..table": the default owner
            return i + 2;
        }
        if (!isSymbol(i, u'.')) {
            f.concat = false;
        }
        f.prevString = false;
        out += t;
        return i + 1;
    }

    // A quoted text on one side of a comparison operator.
    bool isComparedText(qsizetype i, TsqlRange r) const
    {
        const QStringView t = text(i);
        if (t.size() < 2 || !t.endsWith(u'\''))
            return false;
        const auto isComparison = [&](qsizetype k) {
            if (k < r.begin || k >= r.end || kind(k) != Kind::Symbol)
                return false;
            const QStringView op = text(k);
            return op == u"=" || op == u"<>" || op == u"!=" || op == u"<" || op == u">" || op == u"<=" ||
                   op == u">=";
        };
        return isComparison(prevSig(i, r.begin)) || isComparison(nextSig(i, r.end));
    }

    // "dbo." before a name.
    bool isOwnerPrefix(qsizetype i) const
    {
        return isSymbol(i + 1, u'.') && nameOf(i).compare(u"dbo", Qt::CaseInsensitive) == 0 &&
               i + 2 < size() && (isName(i + 2) || isSymbol(i + 2, u'*'));
    }

    qsizetype writeWord(qsizetype i, TsqlRange r, Frame& f, QString& out)
    {
        const QStringView t = text(i);
        if (isOwnerPrefix(i))
            return i + 2;
        f.prevString = false;
        if (isClauseKeyword(t))
            f.concat = false;
        if (isWord(i, u"select"))
            return writeSelect(i, r, f, out);
        const qsizetype open = nextSig(i, r.end);
        const bool call = isSymbol(open, u'(') && match(open) > open && match(open) < r.end &&
                          !isSymbol(prevSig(i, r.begin), u'.');
        if (call) {
            const qsizetype close = match(open);
            if (isWord(i, u"isnull")) {
                out += u"ifnull"_s;
                return i + 1;
            }
            if (isWord(i, u"len")) {
                // LEN does not count trailing blanks.
                out += u"length(rtrim("_s + written(TsqlRange{open + 1, close}) + u"))"_s;
                return close + 1;
            }
            if (isWord(i, u"convert")) {
                if (writeConvert(open, close, out))
                    return close + 1;
            } else if (isWord(i, u"cast")) {
                if (writeCast(open, close, out))
                    return close + 1;
            } else if (isWord(i, u"left") || isWord(i, u"right")) {
                const QList<TsqlRange> args = arguments(open, close);
                if (args.size() == 2) {
                    const QString value = written(args[0]);
                    const QString count = written(args[1]);
                    if (isWord(i, u"left"))
                        out += u"substr("_s + value + u", 1, "_s + count + u')';
                    else
                        out += u"substr("_s + value + u", -("_s + count + u"), "_s + count + u')';
                    return close + 1;
                }
            }
        }
        out += t;
        return i + 1;
    }

    // SELECT [DISTINCT | ALL] TOP n [PERCENT] [WITH TIES]: the row limit becomes LIMIT n at the end
    // of this level. "TOP 100 PERCENT" limits nothing; other percentages SQLite cannot express and
    // stay, to fail visibly.
    qsizetype writeSelect(qsizetype i, TsqlRange r, Frame& f, QString& out)
    {
        out += text(i);
        qsizetype top = nextSig(i, r.end);
        if (isWord(top, u"distinct") || isWord(top, u"all"))
            top = nextSig(top, r.end);
        if (!isWord(top, u"top"))
            return i + 1;
        const qsizetype count = nextSig(top, r.end);
        QString limit;
        qsizetype after;
        if (count < r.end && kind(count) == Kind::Number) {
            limit = text(count).toString();
            after = count + 1;
        } else if (isSymbol(count, u'(') && match(count) > count && match(count) < r.end) {
            limit = u'(' + written(TsqlRange{count + 1, match(count)}) + u')';
            after = match(count) + 1;
        } else {
            return i + 1;
        }
        qsizetype n = nextSig(after - 1, r.end);
        if (isWord(n, u"percent")) {
            if (limit != u"100" && limit != u"(100)")
                return i + 1;
            limit.clear();
            after = n + 1;
            n = nextSig(n, r.end);
        }
        if (isWord(n, u"with") && isWord(nextSig(n, r.end), u"ties"))
            after = nextSig(n, r.end) + 1;
        for (qsizetype k = i + 1; k < top; ++k)
            writeItem(k, r, f, out);
        if (after < r.end && kind(after) == Kind::Space && (out.endsWith(u' ') || hasLineBreak(out.right(1))))
            ++after;
        if (!limit.isEmpty())
            f.limit = limit;
        return after;
    }

    QList<TsqlRange> arguments(qsizetype open, qsizetype close) const
    {
        QList<TsqlRange> args;
        qsizetype begin = open + 1;
        for (qsizetype k = open + 1; k < close; ++k) {
            if (isSymbol(k, u'(') && match(k) > k) {
                k = match(k);
            } else if (isSymbol(k, u',')) {
                args.append(trimmed(TsqlRange{begin, k}));
                begin = k + 1;
            }
        }
        args.append(trimmed(TsqlRange{begin, close}));
        return args;
    }

    // A date value converted to a date type: a literal becomes the ISO literal, an expression
    // goes through tsql_datetime() when a style says how to read it.
    QString dateValue(TsqlRange value, TypeFamily family, int style)
    {
        const std::vector<qsizetype> sig = significant(value, 2);
        if (sig.size() == 1 && kind(sig[0]) == Kind::String) {
            QString iso = TsqlDates::isoDate(stringContent(text(sig[0])), style);
            if (!iso.isEmpty())
                return quotedText(family == TypeFamily::Date ? iso.left(10) : iso);
        }
        QString expr = written(value);
        if (style >= 0)
            expr = u"tsql_datetime("_s + expr + u", "_s + QString::number(style) + u')';
        if (family == TypeFamily::Date)
            return u"date("_s + expr + u')';
        return u'(' + expr + u')';
    }

    // CONVERT(type, value [, style]); false when the type is none SQLite needs written otherwise.
    bool writeConvert(qsizetype open, qsizetype close, QString& out)
    {
        const QList<TsqlRange> args = arguments(open, close);
        if (args.size() < 2 || args.size() > 3)
            return false;
        const std::vector<qsizetype> type = significant(args[0], 1);
        if (type.empty() || kind(type[0]) != Kind::Word)
            return false;
        int style = -1;
        if (args.size() == 3) {
            const std::vector<qsizetype> s = significant(args[2], 2);
            bool ok = false;
            if (s.size() == 1 && kind(s[0]) == Kind::Number)
                style = text(s[0]).toInt(&ok);
            if (!ok)
                return false;
        }
        const TypeFamily family = typeFamily(text(type[0]));
        const TsqlRange value = args[1];
        switch (family) {
        case TypeFamily::Integer:
            out += u"CAST("_s + written(value) + u" AS INTEGER)"_s;
            return true;
        case TypeFamily::Decimal:
            out += u"CAST("_s + written(value) + u" AS NUMERIC)"_s;
            return true;
        case TypeFamily::Float:
            out += u"CAST("_s + written(value) + u" AS REAL)"_s;
            return true;
        case TypeFamily::Text: {
            const QString format = TsqlDates::strftimeFormat(style);
            if (!format.isEmpty())
                out += u"strftime('"_s + format + u"', "_s + written(value) + u')';
            else
                out += u"CAST("_s + written(value) + u" AS TEXT)"_s;
            return true;
        }
        case TypeFamily::DateTime:
        case TypeFamily::Date:
            out += dateValue(value, family, style);
            return true;
        case TypeFamily::Other:
            break;
        }
        return false;
    }

    // CAST(value AS date type): SQLite would read the type as NUMERIC and turn '2024-01-31' into
    // 2024. Other types SQLite maps by their names as SQL Server means them.
    bool writeCast(qsizetype open, qsizetype close, QString& out)
    {
        for (qsizetype k = open + 1; k < close; ++k) {
            if (isSymbol(k, u'(') && match(k) > k) {
                k = match(k);
                continue;
            }
            if (!isWord(k, u"as"))
                continue;
            const qsizetype type = nextSig(k, close);
            if (type >= close || kind(type) != Kind::Word)
                return false;
            const TypeFamily family = typeFamily(text(type));
            if (family != TypeFamily::DateTime && family != TypeFamily::Date)
                return false;
            out += dateValue(trimmed(TsqlRange{open + 1, k}), family, -1);
            return true;
        }
        return false;
    }

    // ODBC escapes: {d '2024-01-31'}, {ts '...'}, {t '...'} as the literal, {fn f(x)} as f(x).
    qsizetype writeOdbcEscape(qsizetype i, TsqlRange r, Frame& f, QString& out)
    {
        const qsizetype key = nextSig(i, r.end);
        if (isWord(key, u"d") || isWord(key, u"ts") || isWord(key, u"t")) {
            const qsizetype literal = nextSig(key, r.end);
            const qsizetype close = nextSig(literal, r.end);
            if (literal < r.end && kind(literal) == Kind::String && isSymbol(close, u'}')) {
                const QString content = stringContent(text(literal));
                const QString iso = isWord(key, u"t") ? QString() : TsqlDates::isoDate(content);
                out += iso.isEmpty() ? quotedText(content) : quotedText(iso);
                f.prevString = false;
                return close + 1;
            }
        } else if (isWord(key, u"fn")) {
            for (qsizetype k = key + 1; k < r.end; ++k) {
                if (isSymbol(k, u'(') && match(k) > k) {
                    k = match(k);
                } else if (isSymbol(k, u'}')) {
                    write(trimmed(TsqlRange{key + 1, k}), out);
                    f.prevString = false;
                    return k + 1;
                }
            }
        }
        out += u'{';
        return i + 1;
    }
};

} // namespace

QStringList TsqlToSqlite::translate(QStringView tsql)
{
    if (tsql.trimmed().isEmpty())
        return {};
    Translator translator(tsql);
    if (translator.tooDeep())
        throw RuntimeError(AdoErrorNumber::CommandText, tooDeepDescription());
    return translator.run();
}

QString TsqlToSqlite::tooDeepDescription()
{
    return u"Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into "
           u"smaller queries."_s;
}
