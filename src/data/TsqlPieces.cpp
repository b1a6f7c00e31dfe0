#include "data/TsqlPieces.h"

#include <algorithm>

TsqlPieces::TsqlPieces(QStringView source)
    : m_src(source), m_tok(TsqlTokenizer::tokenize(source)), m_match(m_tok.size(), -1)
{
    std::vector<qsizetype> open;
    for (qsizetype i = 0; i < size(); ++i) {
        if (isSymbol(i, u'(')) {
            open.push_back(i);
            m_depth = std::max(m_depth, int(open.size()));
        } else if (isSymbol(i, u')') && !open.empty()) {
            m_match[open.back()] = i;
            m_match[i] = open.back();
            open.pop_back();
        }
    }
}

QString TsqlPieces::nameOf(qsizetype i) const
{
    const QStringView t = text(i);
    if (kind(i) == Kind::Word)
        return t.toString();
    return t.mid(1, t.size() - 2).toString();
}

TsqlRange TsqlPieces::trimmed(TsqlRange r) const
{
    while (r.begin < r.end && isBlank(r.begin))
        ++r.begin;
    while (r.end > r.begin && isBlank(r.end - 1))
        --r.end;
    return r;
}

std::vector<qsizetype> TsqlPieces::significant(TsqlRange r, std::size_t limit) const
{
    std::vector<qsizetype> out;
    for (qsizetype i = r.begin; i < r.end && out.size() < limit; ++i) {
        if (!isBlank(i))
            out.push_back(i);
    }
    return out;
}

bool TsqlPieces::equalsAny(QStringView word, std::initializer_list<QStringView> words)
{
    for (QStringView w : words) {
        if (word.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
