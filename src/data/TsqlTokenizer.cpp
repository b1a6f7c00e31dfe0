#include "data/TsqlTokenizer.h"

namespace {

using Token = TsqlTokenizer::Token;
using Kind = Token::Kind;

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'@' || c == u'#';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// End of a quoted piece that starts at `start` with `quote` and closes with `close`, where a doubled
// closing character stands for itself.
qsizetype quotedEnd(QStringView text, qsizetype start, QChar close)
{
    const qsizetype n = text.size();
    qsizetype i = start + 1;
    while (i < n) {
        if (text[i] == close) {
            if (i + 1 < n && text[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;
}

qsizetype numberEnd(QStringView text, qsizetype i)
{
    const qsizetype n = text.size();
    if (text[i] == u'0' && i + 1 < n && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        i += 2;
        while (i < n && (isDigit(text[i]) || (text[i].toLower() >= u'a' && text[i].toLower() <= u'f')))
            ++i;
        return i;
    }
    while (i < n && isDigit(text[i]))
        ++i;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i;
    }
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            i = j;
            while (i < n && isDigit(text[i]))
                ++i;
        }
    }
    return i;
}

qsizetype blockCommentEnd(QStringView text, qsizetype i)
{
    const qsizetype n = text.size();
    int depth = 0;
    while (i < n) {
        if (text[i] == u'/' && i + 1 < n && text[i + 1] == u'*') {
            ++depth;
            i += 2;
        } else if (text[i] == u'*' && i + 1 < n && text[i + 1] == u'/') {
            i += 2;
            if (--depth == 0)
                return i;
        } else {
            ++i;
        }
    }
    return n;
}

bool isTwoCharSymbol(QChar a, QChar b)
{
    return (a == u'<' && (b == u'>' || b == u'=')) || (a == u'>' && b == u'=') ||
           (a == u'!' && (b == u'=' || b == u'<' || b == u'>')) || (a == u'|' && b == u'|');
}

} // namespace

QList<TsqlTokenizer::Token> TsqlTokenizer::tokenize(QStringView text)
{
    QList<Token> tokens;
    tokens.reserve(text.size() / 3 + 4);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        qsizetype end = i + 1;
        Kind kind = Kind::Symbol;
        if (c.isSpace()) {
            kind = Kind::Space;
            while (end < n && text[end].isSpace())
                ++end;
        } else if (c == u'-' && next == u'-') {
            kind = Kind::Comment;
            while (end < n && text[end] != u'\n' && text[end] != u'\r')
                ++end;
        } else if (c == u'/' && next == u'*') {
            kind = Kind::Comment;
            end = blockCommentEnd(text, i);
        } else if (c == u'\'') {
            kind = Kind::String;
            end = quotedEnd(text, i, u'\'');
        } else if ((c == u'N' || c == u'n') && next == u'\'') {
            kind = Kind::String;
            end = quotedEnd(text, i + 1, u'\'');
        } else if (c == u'"') {
            kind = Kind::QuotedName;
            end = quotedEnd(text, i, u'"');
        } else if (c == u'[') {
            kind = Kind::BracketName;
            end = quotedEnd(text, i, u']');
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            kind = Kind::Number;
            end = numberEnd(text, i);
        } else if (isWordStart(c)) {
            kind = Kind::Word;
            while (end < n && isWordPart(text[end]))
                ++end;
        } else if (isTwoCharSymbol(c, next)) {
            end = i + 2;
        }
        tokens.append(Token{kind, i, end - i});
        i = end;
    }
    return tokens;
}
