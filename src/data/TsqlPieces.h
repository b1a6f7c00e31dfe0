#pragma once

#include "data/TsqlTokenizer.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <vector>

/// A half-open run [begin, end) of pieces of a TsqlPieces.
struct TsqlRange
{
    qsizetype begin;
    qsizetype end;
};

/// A statement text in SQL Server's dialect split into its pieces, with the parentheses paired and
/// the small questions the batch splitter and the translator ask of a piece. The accessors are
/// inline: the translator asks them several times per piece.
class TsqlPieces
{
public:
    using Token = TsqlTokenizer::Token;
    using Kind = Token::Kind;

    explicit TsqlPieces(QStringView source);

    qsizetype size() const { return m_tok.size(); }
    QStringView source() const { return m_src; }
    const Token& token(qsizetype i) const { return m_tok[i]; }
    QStringView text(qsizetype i) const { return m_tok[i].text(m_src); }
    Kind kind(qsizetype i) const { return m_tok[i].kind; }
    /// The piece that closes (or opens) the parenthesis at `i`; -1 when it has no partner or `i`
    /// is no parenthesis.
    qsizetype match(qsizetype i) const { return m_match[i]; }
    /// The deepest nesting of parentheses in the text (0 for none).
    int depth() const { return m_depth; }

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
    /// The name a word or quoted name stands for, without its quotes.
    QString nameOf(qsizetype i) const;
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
    /// `r` without the blanks and comments at either end.
    TsqlRange trimmed(TsqlRange r) const;
    /// The significant pieces of `r`, at most `limit` of them.
    std::vector<qsizetype> significant(TsqlRange r, std::size_t limit) const;

    static bool equalsAny(QStringView word, std::initializer_list<QStringView> words);
    static bool hasLineBreak(QStringView text) { return text.contains(u'\n') || text.contains(u'\r'); }

private:
    QStringView m_src;
    QList<Token> m_tok;
    std::vector<qsizetype> m_match;
    int m_depth = 0;
};
