#pragma once

#include <QList>
#include <QStringView>

/// Splits a statement text in SQL Server's dialect into its lexical pieces, so that rewriting never
/// looks inside quoted texts, quoted or bracketed names or comments.
class TsqlTokenizer
{
public:
    /// One piece: its kind and where it lies in the text that was split.
    struct Token
    {
        enum class Kind : unsigned char
        {
            Space,       // blanks, tabs, line breaks
            Comment,     // "-- ..." up to the line break, "/* ... */" (nested as the server allows)
            Word,        // names and keywords, also @variables, #temporaries and @@functions
            Number,      // 12, 1.5, .5, 1e3, 0x1F
            String,      // '...' with '' inside, also N'...'
            QuotedName,  // "..." with "" inside
            BracketName, // [...] with ]] inside
            Symbol,      // operators and punctuation; "<>", "!=", "<=", ">=", "||" as one piece
        };
        Kind kind;
        qsizetype pos;
        qsizetype len;

        QStringView text(QStringView source) const { return source.mid(pos, len); }
    };

    /// The pieces of `text` in order; together they cover it exactly. An unterminated quote or
    /// comment runs to the end of the text.
    static QList<Token> tokenize(QStringView text);
};
