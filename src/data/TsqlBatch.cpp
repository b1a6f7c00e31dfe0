#include "data/TsqlBatch.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Session options of SET that have no meaning on SQLite and are dropped.
bool isSessionOption(QStringView word)
{
    return TsqlPieces::equalsAny(word, {u"nocount", u"xact_abort", u"ansi_nulls", u"ansi_padding",
                                        u"ansi_warnings", u"quoted_identifier", u"arithabort",
                                        u"concat_null_yields_null", u"dateformat", u"language",
                                        u"lock_timeout", u"deadlock_priority", u"transaction"});
}

bool isStatementKeyword(QStringView word)
{
    return TsqlPieces::equalsAny(word, {u"select", u"insert", u"update", u"delete", u"begin", u"commit",
                                        u"rollback", u"alter", u"create", u"drop", u"set"});
}

} // namespace

TsqlBatch::TsqlBatch(QStringView source) : TsqlPieces(source) {}

bool TsqlBatch::startsLine(qsizetype i) const
{
    return i > 0 && kind(i - 1) == Kind::Space && hasLineBreak(text(i - 1));
}

bool TsqlBatch::isGoLine(qsizetype i) const
{
    return isWord(i, u"go") && (i == 0 || startsLine(i)) &&
           (i + 1 == size() || (kind(i + 1) == Kind::Space && hasLineBreak(text(i + 1))));
}

// BEGIN, COMMIT or ROLLBACK with TRAN, TRANS, TRANSACTION (or WORK).
bool TsqlBatch::isTransactionKeyword(qsizetype i) const
{
    if (!isWord(i, u"begin") && !isWord(i, u"commit") && !isWord(i, u"rollback"))
        return false;
    const qsizetype next = nextSig(i, size());
    return isWord(next, u"tran") || isWord(next, u"trans") || isWord(next, u"transaction") ||
           (!isWord(i, u"begin") && isWord(next, u"work"));
}

bool TsqlBatch::startsStatement(qsizetype i, const StatementState& s) const
{
    if (!isStatementKeyword(text(i)) || s.trigger)
        return false;
    // On one line, only the transaction statements are told apart from their neighbours.
    if (!startsLine(i) && !isTransactionKeyword(i) && !isTransactionKeyword(s.first))
        return false;
    // Keywords that continue the statement: "ON DELETE CASCADE", "AFTER INSERT", "UNION SELECT".
    const qsizetype prev = prevSig(i, 0);
    const QStringView before = prev >= 0 && kind(prev) == Kind::Word ? text(prev) : QStringView();
    if ((isWord(i, u"delete") || isWord(i, u"update")) &&
        TsqlPieces::equalsAny(before, {u"on", u"of", u"for"}))
        return false;
    if ((isWord(i, u"insert") || isWord(i, u"delete") || isWord(i, u"update")) &&
        TsqlPieces::equalsAny(before, {u"of", u"after", u"before", u"instead"}))
        return false;
    if (isWord(i, u"select"))
        return !TsqlPieces::equalsAny(before, {u"union", u"all", u"except", u"intersect", u"as"}) &&
               !(isWord(s.first, u"insert") && !s.sawSource);
    if (isWord(i, u"set"))
        return !(isWord(s.first, u"update") && !s.sawSet);
    if (isWord(i, u"alter") || isWord(i, u"drop"))
        return !isWord(s.first, u"alter");
    return true;
}

void TsqlBatch::noteWord(qsizetype i, StatementState& s) const
{
    if (isWord(s.first, u"insert") && (isWord(i, u"values") || isWord(i, u"select") || isWord(i, u"default")))
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

QList<TsqlRange> TsqlBatch::statements() const
{
    QList<TsqlRange> ranges;
    StatementState state;
    qsizetype begin = 0;
    int depth = 0;
    const auto close = [&](qsizetype end, qsizetype next) {
        if (end > begin)
            ranges.append(TsqlRange{begin, end});
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

QString TsqlBatch::transactionStatement(TsqlRange r) const
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
    const bool tranWord =
        k < sig.size() && (isWord(sig[k], u"tran") || isWord(sig[k], u"trans") ||
                           isWord(sig[k], u"transaction") || (word != u"BEGIN" && isWord(sig[k], u"work")));
    if (tranWord)
        ++k;
    // An optional transaction name follows the keyword.
    if (tranWord && k < sig.size() && isName(sig[k]))
        ++k;
    if (k != sig.size() || (word == u"BEGIN" && sig.size() > 1 && !tranWord))
        return {};
    return word;
}

bool TsqlBatch::isSessionSet(TsqlRange r) const
{
    // "SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED" is the longest of them.
    const std::vector<qsizetype> sig = significant(r, 7);
    return sig.size() >= 2 && sig.size() <= 6 && isWord(sig[0], u"set") && kind(sig[1]) == Kind::Word &&
           isSessionOption(text(sig[1]));
}
