#include "data/TsqlToSqlite.h"

#include "data/TsqlTokenizer.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// True for a quoted text holding a plain number: digits with an optional sign and decimal point.
bool isNumberText(QStringView quoted)
{
    static const QRegularExpression number(u"^'[+-]?\\d+(\\.\\d+)?'$"_s);
    return number.match(quoted.toString()).hasMatch();
}

using Token = TsqlTokenizer::Token;
using Kind = Token::Kind;

bool equalsAny(QStringView word, std::initializer_list<QStringView> words)
{
    for (QStringView w : words) {
        if (word.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Table hints SQLite has no use for: its readers never wait for writers' row locks.
bool isTableHint(QStringView word)
{
    return equalsAny(word,
                     {u"nolock", u"readuncommitted", u"readcommitted", u"readcommittedlock", u"rowlock",
                      u"paglock", u"tablock", u"tablockx", u"updlock", u"xlock", u"holdlock", u"serializable",
                      u"repeatableread", u"readpast", u"nowait", u"forceseek", u"noexpand", u"index"});
}

// Session options of SET that have no meaning on SQLite and are dropped.
bool isSessionOption(QStringView word)
{
    return equalsAny(word, {u"nocount", u"xact_abort", u"ansi_nulls", u"ansi_padding", u"ansi_warnings",
                            u"quoted_identifier", u"arithabort", u"concat_null_yields_null", u"dateformat",
                            u"language", u"lock_timeout", u"deadlock_priority", u"transaction"});
}

bool isStatementKeyword(QStringView word)
{
    return equalsAny(word, {u"select", u"insert", u"update", u"delete", u"begin", u"commit", u"rollback",
                            u"alter", u"create", u"drop", u"set"});
}

// Words after which an expression starts afresh: a "+" after them is no continuation of a
// concatenation.
bool isClauseKeyword(QStringView word)
{
    return equalsAny(word,
                     {u"and",    u"or",       u"not",     u"case",   u"when",  u"then", u"else",   u"end",
                      u"select", u"from",     u"where",   u"as",     u"on",    u"set",  u"values", u"in",
                      u"like",   u"is",       u"between", u"order",  u"group", u"by",   u"having", u"union",
                      u"join",   u"distinct", u"top",     u"exists", u"into",  u"asc",  u"desc",   u"all"});
}

bool hasLineBreak(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

// strftime formats of CONVERT's date styles.
QString strftimeFormat(int style)
{
    switch (style) {
    case 1:
        return u"%m/%d/%y"_s;
    case 3:
        return u"%d/%m/%y"_s;
    case 101:
        return u"%m/%d/%Y"_s;
    case 103:
        return u"%d/%m/%Y"_s;
    case 104:
        return u"%d.%m.%Y"_s;
    case 105:
        return u"%d-%m-%Y"_s;
    case 108:
        return u"%H:%M:%S"_s;
    case 112:
        return u"%Y%m%d"_s;
    case 20:
    case 120:
        return u"%Y-%m-%d %H:%M:%S"_s;
    case 21:
    case 121:
        return u"%Y-%m-%d %H:%M:%f"_s;
    case 23:
        return u"%Y-%m-%d"_s;
    case 126:
        return u"%Y-%m-%dT%H:%M:%f"_s;
    default:
        return {};
    }
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
    if (equalsAny(type, {u"int", u"integer", u"bigint", u"smallint", u"tinyint", u"bit"}))
        return TypeFamily::Integer;
    if (equalsAny(type, {u"decimal", u"numeric", u"money", u"smallmoney"}))
        return TypeFamily::Decimal;
    if (equalsAny(type, {u"float", u"real"}))
        return TypeFamily::Float;
    if (equalsAny(type, {u"char", u"varchar", u"nchar", u"nvarchar", u"text", u"ntext", u"sysname"}))
        return TypeFamily::Text;
    if (equalsAny(type, {u"datetime", u"smalldatetime", u"datetime2", u"datetimeoffset"}))
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

struct Range
{
    qsizetype begin;
    qsizetype end;
};

class Translator
{
public:
    explicit Translator(QStringView source)
        : m_src(source), m_tok(TsqlTokenizer::tokenize(source)), m_match(m_tok.size(), -1),
          m_skip(m_tok.size(), false), m_repl(m_tok.size())
    {
        matchParentheses();
    }

    QStringList run()
    {
        QStringList statements;
        for (const Range& r : splitStatements()) {
            QString text = statement(r).trimmed();
            if (!text.isEmpty())
                statements.append(text);
        }
        return statements;
    }

private:
    QStringView m_src;
    QList<Token> m_tok;
    std::vector<qsizetype> m_match;
    std::vector<bool> m_skip;
    std::vector<QString> m_repl;

    qsizetype size() const { return m_tok.size(); }
    QStringView text(qsizetype i) const { return m_tok[i].text(m_src); }
    Kind kind(qsizetype i) const { return m_tok[i].kind; }
    bool isWord(qsizetype i, QStringView w) const
    {
        return i >= 0 && i < size() && kind(i) == Kind::Word && text(i).compare(w, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(qsizetype i, QChar c) const
    {
        return i >= 0 && i < size() && kind(i) == Kind::Symbol && m_tok[i].len == 1 &&
               m_src[m_tok[i].pos] == c;
    }
    bool isBlank(qsizetype i) const { return kind(i) == Kind::Space || kind(i) == Kind::Comment; }
    bool isName(qsizetype i) const
    {
        return i >= 0 && i < size() &&
               (kind(i) == Kind::Word || kind(i) == Kind::BracketName || kind(i) == Kind::QuotedName);
    }
    // The name a word or quoted name stands for, without its quotes.
    QString nameOf(qsizetype i) const
    {
        const QStringView t = text(i);
        if (kind(i) == Kind::Word)
            return t.toString();
        return t.mid(1, t.size() - 2).toString();
    }
    qsizetype nextSig(qsizetype i, qsizetype end) const
    {
        for (++i; i < end; ++i) {
            if (!isBlank(i))
                return i;
        }
        return end;
    }
    qsizetype prevSig(qsizetype i, qsizetype begin) const
    {
        for (--i; i >= begin; --i) {
            if (!isBlank(i))
                return i;
        }
        return -1;
    }
    Range trimmed(Range r) const
    {
        while (r.begin < r.end && isBlank(r.begin))
            ++r.begin;
        while (r.end > r.begin && isBlank(r.end - 1))
            --r.end;
        return r;
    }

    void matchParentheses()
    {
        std::vector<qsizetype> open;
        for (qsizetype i = 0; i < size(); ++i) {
            if (isSymbol(i, u'(')) {
                open.push_back(i);
            } else if (isSymbol(i, u')') && !open.empty()) {
                m_match[open.back()] = i;
                m_match[i] = open.back();
                open.pop_back();
            }
        }
    }

    // --- Batches -----------------------------------------------------------------------------

    struct StatementState
    {
        qsizetype first = -1;
        bool sawSource = false; // INSERT: VALUES or SELECT seen
        bool sawSet = false;    // UPDATE: SET seen
        bool trigger = false;   // CREATE TRIGGER: its body holds statements of its own
        int bodyDepth = 0;
        bool bodyOpen = false;
    };

    bool startsLine(qsizetype i) const
    {
        return i > 0 && kind(i - 1) == Kind::Space && hasLineBreak(text(i - 1));
    }

    bool isGoLine(qsizetype i) const
    {
        return isWord(i, u"go") && (i == 0 || startsLine(i)) &&
               (i + 1 == size() || (kind(i + 1) == Kind::Space && hasLineBreak(text(i + 1))));
    }

    // BEGIN, COMMIT or ROLLBACK with TRAN, TRANS, TRANSACTION (or WORK).
    bool isTransactionKeyword(qsizetype i) const
    {
        if (!isWord(i, u"begin") && !isWord(i, u"commit") && !isWord(i, u"rollback"))
            return false;
        const qsizetype next = nextSig(i, size());
        return isWord(next, u"tran") || isWord(next, u"trans") || isWord(next, u"transaction") ||
               (!isWord(i, u"begin") && isWord(next, u"work"));
    }

    bool startsStatement(qsizetype i, const StatementState& s) const
    {
        if (!isStatementKeyword(text(i)) || s.trigger)
            return false;
        // On one line, only the transaction statements are told apart from their neighbours.
        if (!startsLine(i) && !isTransactionKeyword(i) && !isTransactionKeyword(s.first))
            return false;
        // Keywords that continue the statement: "ON DELETE CASCADE", "AFTER INSERT", "UNION SELECT".
        const qsizetype prev = prevSig(i, 0);
        const QStringView before = prev >= 0 && kind(prev) == Kind::Word ? text(prev) : QStringView();
        if ((isWord(i, u"delete") || isWord(i, u"update")) && equalsAny(before, {u"on", u"of", u"for"}))
            return false;
        if ((isWord(i, u"insert") || isWord(i, u"delete") || isWord(i, u"update")) &&
            equalsAny(before, {u"of", u"after", u"before", u"instead"}))
            return false;
        if (isWord(i, u"select"))
            return !equalsAny(before, {u"union", u"all", u"except", u"intersect", u"as"}) &&
                   !(isWord(s.first, u"insert") && !s.sawSource);
        if (isWord(i, u"set"))
            return !(isWord(s.first, u"update") && !s.sawSet);
        if (isWord(i, u"alter") || isWord(i, u"drop"))
            return !isWord(s.first, u"alter");
        return true;
    }

    void noteWord(qsizetype i, StatementState& s) const
    {
        if (isWord(s.first, u"insert") &&
            (isWord(i, u"values") || isWord(i, u"select") || isWord(i, u"default")))
            s.sawSource = true;
        if (isWord(s.first, u"update") && isWord(i, u"set"))
            s.sawSet = true;
        if (isWord(s.first, u"create") && isWord(i, u"trigger"))
            s.trigger = true;
        if (!s.trigger)
            return;
        if (isWord(i, u"begin") || (s.bodyOpen && isWord(i, u"case"))) {
            ++s.bodyDepth;
            s.bodyOpen = true;
        } else if (s.bodyOpen && isWord(i, u"end") && --s.bodyDepth == 0) {
            s.bodyOpen = false;
            s.trigger = false;
        }
    }

    QList<Range> splitStatements() const
    {
        QList<Range> ranges;
        StatementState state;
        qsizetype begin = 0;
        int depth = 0;
        const auto close = [&](qsizetype end, qsizetype next) {
            if (end > begin)
                ranges.append(Range{begin, end});
            begin = next;
            state = StatementState();
        };
        for (qsizetype i = 0; i < size(); ++i) {
            if (isSymbol(i, u'(')) {
                ++depth;
            } else if (isSymbol(i, u')')) {
                depth = std::max(0, depth - 1);
            } else if (depth == 0 && isSymbol(i, u';') && !state.trigger) {
                close(i, i + 1);
            } else if (depth == 0 && kind(i) == Kind::Word) {
                if (isGoLine(i)) {
                    close(i, i + 1);
                    continue;
                }
                if (state.first >= 0 && startsStatement(i, state))
                    close(i, i);
                if (state.first < 0)
                    state.first = i;
                noteWord(i, state);
            }
        }
        close(size(), size());
        return ranges;
    }

    // --- One statement -----------------------------------------------------------------------

    // The significant pieces of `r`, at most `limit` of them.
    std::vector<qsizetype> significant(Range r, std::size_t limit) const
    {
        std::vector<qsizetype> out;
        for (qsizetype i = r.begin; i < r.end && out.size() < limit; ++i) {
            if (!isBlank(i))
                out.push_back(i);
        }
        return out;
    }

    // "BEGIN TRANSACTION", "COMMIT TRANS", "ROLLBACK", ... as SQLite's word; empty for other text.
    QString transactionStatement(Range r) const
    {
        const std::vector<qsizetype> sig = significant(r, 5);
        if (sig.empty())
            return {};
        const qsizetype first = sig[0];
        QString word;
        if (isWord(first, u"begin"))
            word = u"BEGIN"_s;
        else if (isWord(first, u"commit"))
            word = u"COMMIT"_s;
        else if (isWord(first, u"rollback"))
            word = u"ROLLBACK"_s;
        else
            return {};
        std::size_t k = 1;
        if (word == u"BEGIN" && k < sig.size() && isWord(sig[k], u"distributed"))
            ++k;
        const bool tranWord = k < sig.size() && (isWord(sig[k], u"tran") || isWord(sig[k], u"trans") ||
                                                 isWord(sig[k], u"transaction") ||
                                                 (word != u"BEGIN" && isWord(sig[k], u"work")));
        if (tranWord)
            ++k;
        // An optional transaction name follows the keyword.
        if (tranWord && k < sig.size() && isName(sig[k]))
            ++k;
        if (k != sig.size() || (word == u"BEGIN" && sig.size() > 1 && !tranWord))
            return {};
        return word;
    }

    bool isSessionSet(Range r) const
    {
        // "SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED" is the longest of them.
        const std::vector<qsizetype> sig = significant(r, 7);
        return sig.size() >= 2 && sig.size() <= 6 && isWord(sig[0], u"set") && kind(sig[1]) == Kind::Word &&
               isSessionOption(text(sig[1]));
    }

    QString statement(Range r)
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
        out.reserve((m_tok[r.end - 1].pos + m_tok[r.end - 1].len - m_tok[r.begin].pos) * 5 / 4 + 16);
        write(r, out);
        return out;
    }

    // "with(nolock)" and the other hints after a table name go, with one of the blanks around them.
    void markHints(Range r)
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
            const qsizetype close = m_match[open];
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
                if (isSymbol(n, u'(') && m_match[n] > 0 && m_match[n] < close)
                    k = m_match[n];
                else if (isSymbol(n, u'=') && isName(nextSig(n, close)))
                    k = nextSig(n, close);
                else
                    return false;
            }
        }
        return any;
    }

    // "DELETE T WHERE ..." as "DELETE FROM T WHERE ...".
    void markDeleteFrom(Range r)
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
    void markAlterAdd(Range r)
    {
        const std::vector<qsizetype> sig = significant(r, 2);
        if (sig.size() < 2 || !isWord(sig[0], u"alter") || !isWord(sig[1], u"table"))
            return;
        qsizetype add = -1;
        bool hasDefault = false;
        for (qsizetype i = sig[1]; i < r.end; ++i) {
            if (isSymbol(i, u'(') && m_match[i] > i) {
                i = m_match[i];
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

    QString written(Range r)
    {
        QString out;
        write(trimmed(r), out);
        return out;
    }

    void write(Range r, QString& out)
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
    qsizetype writeItem(qsizetype i, Range r, Frame& f, QString& out)
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
        if (isSymbol(i, u'(') && m_match[i] > i && m_match[i] < r.end) {
            out += u'(';
            write(Range{i + 1, m_match[i]}, out);
            out += u')';
            f.prevString = false;
            return m_match[i] + 1;
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
    bool isComparedText(qsizetype i, Range r) const
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

    qsizetype writeWord(qsizetype i, Range r, Frame& f, QString& out)
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
        const bool call = isSymbol(open, u'(') && m_match[open] > open && m_match[open] < r.end &&
                          !isSymbol(prevSig(i, r.begin), u'.');
        if (call) {
            const qsizetype close = m_match[open];
            if (isWord(i, u"isnull")) {
                out += u"ifnull"_s;
                return i + 1;
            }
            if (isWord(i, u"len")) {
                // LEN does not count trailing blanks.
                out += u"length(rtrim("_s + written(Range{open + 1, close}) + u"))"_s;
                return close + 1;
            }
            if (isWord(i, u"convert")) {
                if (writeConvert(open, close, out))
                    return close + 1;
            } else if (isWord(i, u"cast")) {
                if (writeCast(open, close, out))
                    return close + 1;
            } else if (isWord(i, u"left") || isWord(i, u"right")) {
                const QList<Range> args = arguments(open, close);
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
    qsizetype writeSelect(qsizetype i, Range r, Frame& f, QString& out)
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
        } else if (isSymbol(count, u'(') && m_match[count] > count && m_match[count] < r.end) {
            limit = u'(' + written(Range{count + 1, m_match[count]}) + u')';
            after = m_match[count] + 1;
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

    QList<Range> arguments(qsizetype open, qsizetype close) const
    {
        QList<Range> args;
        qsizetype begin = open + 1;
        for (qsizetype k = open + 1; k < close; ++k) {
            if (isSymbol(k, u'(') && m_match[k] > k) {
                k = m_match[k];
            } else if (isSymbol(k, u',')) {
                args.append(trimmed(Range{begin, k}));
                begin = k + 1;
            }
        }
        args.append(trimmed(Range{begin, close}));
        return args;
    }

    // A date value converted to a date type: a literal becomes the ISO literal, an expression
    // goes through tsql_datetime() when a style says how to read it.
    QString dateValue(Range value, TypeFamily family, int style)
    {
        const std::vector<qsizetype> sig = significant(value, 2);
        if (sig.size() == 1 && kind(sig[0]) == Kind::String) {
            QString iso = TsqlToSqlite::isoDate(stringContent(text(sig[0])), style);
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
        const QList<Range> args = arguments(open, close);
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
        const Range value = args[1];
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
            const QString format = strftimeFormat(style);
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
            if (isSymbol(k, u'(') && m_match[k] > k) {
                k = m_match[k];
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
            out += dateValue(trimmed(Range{open + 1, k}), family, -1);
            return true;
        }
        return false;
    }

    // ODBC escapes: {d '2024-01-31'}, {ts '...'}, {t '...'} as the literal, {fn f(x)} as f(x).
    qsizetype writeOdbcEscape(qsizetype i, Range r, Frame& f, QString& out)
    {
        const qsizetype key = nextSig(i, r.end);
        if (isWord(key, u"d") || isWord(key, u"ts") || isWord(key, u"t")) {
            const qsizetype literal = nextSig(key, r.end);
            const qsizetype close = nextSig(literal, r.end);
            if (literal < r.end && kind(literal) == Kind::String && isSymbol(close, u'}')) {
                const QString content = stringContent(text(literal));
                const QString iso = isWord(key, u"t") ? QString() : TsqlToSqlite::isoDate(content);
                out += iso.isEmpty() ? quotedText(content) : quotedText(iso);
                f.prevString = false;
                return close + 1;
            }
        } else if (isWord(key, u"fn")) {
            for (qsizetype k = key + 1; k < r.end; ++k) {
                if (isSymbol(k, u'(') && m_match[k] > k) {
                    k = m_match[k];
                } else if (isSymbol(k, u'}')) {
                    write(trimmed(Range{key + 1, k}), out);
                    f.prevString = false;
                    return k + 1;
                }
            }
        }
        out += u'{';
        return i + 1;
    }
};

// Day, month and year of a date part written with `separator` in the order `order` ("dmy", "mdy",
// "ymd").
QDate datePart(QStringView text, QChar separator, QStringView order)
{
    const QList<QStringView> parts = text.split(separator);
    if (parts.size() != 3)
        return {};
    int values[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty() || parts[k].size() > 4)
            return {};
    }
    int day = 0;
    int month = 0;
    int year = 0;
    for (int k = 0; k < 3; ++k) {
        const QChar c = order[k];
        (c == u'd' ? day : c == u'm' ? month : year) = values[k];
    }
    if (year < 100 && parts[order.indexOf(u'y')].size() <= 2)
        year += year < 50 ? 2000 : 1900; // SQL Server's two-digit year cutoff is 2049
    return QDate(year, month, day);
}

QTime timePart(QStringView text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0)
        text = text.left(dot);
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    int values[3] = {0, 0, 0};
    for (qsizetype k = 0; k < parts.size(); ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty() || parts[k].size() > 2)
            return {};
    }
    return QTime(values[0], values[1], values[2]);
}

} // namespace

QStringList TsqlToSqlite::translate(QStringView tsql)
{
    if (tsql.trimmed().isEmpty())
        return {};
    return Translator(tsql).run();
}

QString TsqlToSqlite::isoDate(QStringView text, int style)
{
    text = text.trimmed();
    QStringView datePiece = text;
    QStringView timePiece;
    const qsizetype gap = text.indexOf(u' ') >= 0 ? text.indexOf(u' ') : text.indexOf(u'T');
    if (gap > 0) {
        datePiece = text.left(gap);
        timePiece = text.mid(gap + 1).trimmed();
    }
    QDate date;
    switch (style) {
    case 1:
    case 101:
        date = datePart(datePiece, u'/', u"mdy");
        break;
    case 3:
    case 103:
        date = datePart(datePiece, u'/', u"dmy");
        break;
    case 104:
        date = datePart(datePiece, u'.', u"dmy");
        break;
    case 105:
        date = datePart(datePiece, u'-', u"dmy");
        break;
    default:
        if (datePiece.size() == 8 && !datePiece.contains(u'-') && !datePiece.contains(u'/'))
            date = QDate::fromString(datePiece.toString(), u"yyyyMMdd"_s);
        else if (datePiece.contains(u'-'))
            date = datePart(datePiece, u'-', u"ymd");
        else if (style < 0)
            date = datePart(datePiece, u'/', u"dmy"); // the suite's language reads day/month/year
        break;
    }
    if (!date.isValid() && style >= 0 && datePiece.contains(u'-'))
        date = datePart(datePiece, u'-', u"ymd");
    if (!date.isValid())
        return {};
    if (timePiece.isEmpty())
        return date.toString(u"yyyy-MM-dd"_s);
    const QTime time = timePart(timePiece);
    if (!time.isValid())
        return {};
    return QDateTime(date, time).toString(u"yyyy-MM-dd HH:mm:ss"_s);
}
