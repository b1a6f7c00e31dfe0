#include "data/TsqlToPostgres.h"

#include "data/PostgresEngine.h"
#include "data/SqliteFunctions.h"
#include "data/TsqlToSqlite.h"
#include "data/TsqlTokenizer.h"

using namespace Qt::StringLiterals;

namespace {

using Token = TsqlTokenizer::Token;
using Kind = Token::Kind;

// to_char's pattern of a strftime format ("%d/%m/%Y" gives "DD/MM/YYYY"), as an SQL literal.
QString toCharPattern(QStringView literal)
{
    QString out;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] != u'%' || i + 1 >= literal.size()) {
            out += literal[i];
            continue;
        }
        switch (literal[++i].unicode()) {
        case 'd':
            out += u"DD"_s;
            break;
        case 'm':
            out += u"MM"_s;
            break;
        case 'Y':
            out += u"YYYY"_s;
            break;
        case 'y':
            out += u"YY"_s;
            break;
        case 'H':
            out += u"HH24"_s;
            break;
        case 'M':
            out += u"MI"_s;
            break;
        case 'S':
            out += u"SS"_s;
            break;
        case 'f':
            out += u"SS.MS"_s;
            break;
        default:
            out += u'%';
            out += literal[i];
        }
    }
    return out;
}

// A statement's pieces with what the rewriting asks of them.
class Pass
{
public:
    Pass(QStringView source, const QDateTime& now)
        : m_src(source), m_t(TsqlTokenizer::tokenize(source)), m_now(now)
    {
    }

    QString run()
    {
        const qsizetype first = nextSig(-1, m_t.size());
        const qsizetype second = nextSig(first, m_t.size());
        m_definesTable = (isWord(first, u"create") || isWord(first, u"alter")) &&
                         (isWord(second, u"table") || isWord(nextSig(second, m_t.size()), u"table"));
        return rewrite(0, m_t.size());
    }

private:
    QStringView text(qsizetype i) const { return m_t[i].text(m_src); }
    Kind kind(qsizetype i) const { return m_t[i].kind; }
    bool isWord(qsizetype i, QStringView word) const
    {
        return i >= 0 && i < m_t.size() && kind(i) == Kind::Word &&
               text(i).compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(qsizetype i, QStringView symbol) const
    {
        return i >= 0 && i < m_t.size() && kind(i) == Kind::Symbol && text(i) == symbol;
    }
    bool insignificant(qsizetype i) const { return kind(i) == Kind::Space || kind(i) == Kind::Comment; }
    qsizetype nextSig(qsizetype i, qsizetype end) const
    {
        for (++i; i < end; ++i) {
            if (!insignificant(i))
                return i;
        }
        return end;
    }
    qsizetype prevSig(qsizetype i) const
    {
        for (--i; i >= 0; --i) {
            if (!insignificant(i))
                return i;
        }
        return -1;
    }
    // The ")" that closes the "(" at `open`; `end` when it is not closed.
    qsizetype closing(qsizetype open, qsizetype end) const
    {
        int depth = 0;
        for (qsizetype i = open; i < end; ++i) {
            if (isSymbol(i, u"("))
                ++depth;
            else if (isSymbol(i, u")") && --depth == 0)
                return i;
        }
        return end;
    }
    // The arguments between the parentheses at `open` and `close`, split at the commas of depth 1.
    QList<QPair<qsizetype, qsizetype>> arguments(qsizetype open, qsizetype close) const
    {
        QList<QPair<qsizetype, qsizetype>> args;
        int depth = 0;
        qsizetype begin = open + 1;
        for (qsizetype i = open + 1; i < close; ++i) {
            if (isSymbol(i, u"("))
                ++depth;
            else if (isSymbol(i, u")"))
                --depth;
            else if (depth == 0 && isSymbol(i, u",")) {
                args.append({begin, i});
                begin = i + 1;
            }
        }
        args.append({begin, close});
        return args;
    }
    QString raw(qsizetype begin, qsizetype end) const
    {
        if (begin >= end)
            return {};
        return m_src.mid(m_t[begin].pos, m_t[end - 1].pos + m_t[end - 1].len - m_t[begin].pos).toString();
    }

    // The operand that starts at `i`: a function call or a parenthesised expression through its
    // ")", else the one piece. The index after it.
    qsizetype operandEnd(qsizetype i, qsizetype end) const
    {
        if (i >= end)
            return end;
        if (isSymbol(i, u"("))
            return std::min(closing(i, end) + 1, end);
        const qsizetype next = nextSig(i, end);
        if (kind(i) == Kind::Word && isSymbol(next, u"("))
            return std::min(closing(next, end) + 1, end);
        return i + 1;
    }

    QString rewrite(qsizetype begin, qsizetype end)
    {
        QString out;
        qsizetype i = begin;
        while (i < end) {
            const qsizetype next = nextSig(i, end);
            if (kind(i) == Kind::Word && isSymbol(next, u"(")) {
                const qsizetype close = closing(next, end);
                if (close < end) {
                    const auto args = arguments(next, close);
                    if (isWord(i, u"ifnull")) {
                        // isnull() has the type of its first argument: a number in second place is
                        // written as a text, which PostgreSQL reads in the first one's type.
                        const qsizetype second =
                            args.size() == 2 ? nextSig(args[1].first - 1, args[1].second) : -1;
                        if (second >= 0 && second < args[1].second && kind(second) == Kind::Number &&
                            nextSig(second, args[1].second) == args[1].second) {
                            out += u"coalesce("_s + rewrite(args[0].first, args[0].second) + u", '"_s +
                                   text(second) + u"')"_s;
                            i = close + 1;
                            continue;
                        }
                        out += u"coalesce"_s;
                        i = next;
                        continue;
                    }
                    if (isWord(i, u"getdate") && nextSig(next, end) == close) {
                        out += u"CAST('"_s + m_now.toString(u"yyyy-MM-dd HH:mm:ss"_s) + u"' AS timestamp)"_s;
                        i = close + 1;
                        continue;
                    }
                    if (isWord(i, u"strftime") && args.size() == 2) {
                        const qsizetype format = nextSig(args[0].first - 1, args[0].second);
                        if (format < args[0].second && kind(format) == Kind::String) {
                            out += u"to_char(CAST("_s + rewrite(args[1].first, args[1].second) +
                                   u" AS timestamp), "_s + toCharPattern(text(format)) + u')';
                            i = close + 1;
                            continue;
                        }
                    }
                    if (isWord(i, u"substr") && args.size() == 3 &&
                        raw(args[1].first, args[1].second).trimmed().startsWith(u"-(")) {
                        out += u"right("_s + rewrite(args[0].first, args[0].second) + u", "_s +
                               rewrite(args[2].first, args[2].second) + u')';
                        i = close + 1;
                        continue;
                    }
                }
            }
            // The SQLite rewriting names its text collation after quoted texts; here the columns
            // carry theirs, which a comparison with a text takes.
            if (isWord(i, u"collate") && isWord(next, QString::fromLatin1(SqliteFunctions::TextCollation))) {
                while (out.endsWith(u' '))
                    out.chop(1);
                i = next + 1;
                continue;
            }
            // The program's own tables compare their texts as the database's do.
            if (isTextTypeToCollate(i, end)) {
                const qsizetype after = operandEnd(i, end);
                out += raw(i, after) + u" COLLATE "_s + QString::fromLatin1(PostgresEngine::TextCollation);
                i = after;
                continue;
            }
            if (isWord(i, u"real") && isWord(prevSig(i), u"as")) {
                out += u"DOUBLE PRECISION"_s;
                ++i;
                continue;
            }
            if (isWord(i, u"like")) {
                const qsizetype operand = nextSig(i, end);
                const qsizetype after = operandEnd(operand, end);
                out += u"ILIKE"_s + raw(i + 1, operand) + rewrite(operand, after) + u" COLLATE \"default\""_s;
                i = after;
                continue;
            }
            if (kind(i) == Kind::QuotedName && !isWord(prevSig(i), u"as")) {
                out += text(i).toString().toLower();
                ++i;
                continue;
            }
            out += text(i);
            ++i;
        }
        return out;
    }

    // A text type of a column a CREATE or ALTER TABLE defines, without a collation of its own.
    bool isTextTypeToCollate(qsizetype i, qsizetype end) const
    {
        if (!m_definesTable || kind(i) != Kind::Word)
            return false;
        static const QStringList types = {u"char"_s,     u"varchar"_s, u"nchar"_s,
                                          u"nvarchar"_s, u"text"_s,    u"ntext"_s};
        if (!types.contains(text(i).toString().toLower()))
            return false;
        const qsizetype prev = prevSig(i);
        return prev >= 0 && (kind(prev) == Kind::Word || kind(prev) == Kind::QuotedName) &&
               !isWord(prev, u"as") && !isWord(nextSig(operandEnd(i, end) - 1, end), u"collate");
    }

    QStringView m_src;
    QList<Token> m_t;
    QDateTime m_now;
    bool m_definesTable = false;
};

QString plainName(QStringView name)
{
    QString n = name.toString();
    if (n.size() >= 2 &&
        ((n.startsWith(u'[') && n.endsWith(u']')) || (n.startsWith(u'"') && n.endsWith(u'"'))))
        n = n.mid(1, n.size() - 2);
    return n.toLower();
}

// The tables `tsql` reads with the UPDLOCK or HOLDLOCK hint, in lower case.
QStringList lockedTables(QStringView tsql)
{
    const QList<Token> t = TsqlTokenizer::tokenize(tsql);
    QList<qsizetype> sig;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != Kind::Space && t[i].kind != Kind::Comment)
            sig.append(i);
    }
    auto word = [&](qsizetype k) { return k >= 0 && k < sig.size() ? t[sig[k]].text(tsql) : QStringView(); };
    auto is = [&](qsizetype k, QStringView w) { return word(k).compare(w, Qt::CaseInsensitive) == 0; };
    QStringList tables;
    for (qsizetype k = 0; k < sig.size(); ++k) {
        if (!is(k, u"updlock") && !is(k, u"holdlock") && !is(k, u"xlock"))
            continue;
        // Back to the keyword that names the table: FROM, JOIN, UPDATE, INTO.
        qsizetype j = k - 1;
        while (j >= 0 && !is(j, u"from") && !is(j, u"join") && !is(j, u"update") && !is(j, u"into") &&
               !is(j, u";"))
            --j;
        if (j < 0 || is(j, u";") || j + 1 >= k)
            continue;
        qsizetype name = j + 1;
        // "dbo.T", "db.dbo.T", "db..T": the last part.
        while (name + 2 < k && is(name + 1, u"."))
            name += 2;
        if (name + 1 < k && is(name + 1, u".") && name + 2 < k)
            name += 2;
        const QString table = plainName(word(name));
        if (!table.isEmpty() && !tables.contains(table))
            tables.append(table);
    }
    return tables;
}

} // namespace

QString TsqlToPostgres::lockStatement(const QString& table)
{
    QString literal = u"talonex.lock."_s + table.toLower();
    literal.replace(u'\'', u"''"_s);
    return u"DO $$BEGIN PERFORM pg_advisory_xact_lock(hashtext('"_s + literal + u"')); END$$"_s;
}

QStringList TsqlToPostgres::translate(QStringView tsql, const QDateTime& now)
{
    QStringList locks = lockedTables(tsql);
    QStringList out;
    for (const QString& statement : TsqlToSqlite::translate(tsql)) {
        QString rewritten = Pass(statement, now).run();
        if (!locks.isEmpty()) {
            const QString lower = rewritten.toLower();
            for (auto it = locks.begin(); it != locks.end();) {
                if (lower.contains(*it)) {
                    out.append(lockStatement(*it));
                    it = locks.erase(it);
                } else {
                    ++it;
                }
            }
        }
        out.append(rewritten);
    }
    return out;
}
