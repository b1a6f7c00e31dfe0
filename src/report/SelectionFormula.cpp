#include "report/SelectionFormula.h"

#include "report/ReportErrors.h"
#include "report/ReportLayout.h"
#include "zimbrel2/RuntimeError.h"

#include <QList>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

struct Token
{
    enum class Kind
    {
        Field,
        Text,
        Number,
        Compare,
        And,
        Or,
        Not,
        Open,
        Close,
        End
    };
    Kind kind = Kind::End;
    QString text;     // column name, text value, number text or operator
    qsizetype at = 0; // position in the formula, from 1
};

class Parser
{
public:
    explicit Parser(QString formula) : m_formula(std::move(formula)) {}

    void run(QString& where, QVariantList& values)
    {
        tokenize();
        if (m_tokens.size() == 1)
            return;
        where = orExpression();
        if (current().kind != Token::Kind::End)
            fail(u"sobra \"%1\""_s.arg(current().text), current().at);
        values = m_values;
    }

private:
    [[noreturn]] void fail(const QString& reason, qsizetype at) const
    {
        throw RuntimeError(ReportErrors::FormulaInvalida,
                           u"La fórmula de selección no es válida: %1 (posición %2): %3"_s.arg(
                               reason, QString::number(at), m_formula),
                           u"ClsReporte"_s);
    }

    void push(Token::Kind kind, const QString& text, qsizetype at) { m_tokens.append({kind, text, at + 1}); }

    void tokenize()
    {
        const QString& f = m_formula;
        qsizetype i = 0;
        while (i < f.size()) {
            const QChar c = f.at(i);
            if (c.isSpace()) {
                ++i;
            } else if (c == u'{') {
                const qsizetype close = f.indexOf(u'}', i);
                if (close < 0)
                    fail(u"falta \"}\""_s, i + 1);
                field(f.mid(i + 1, close - i - 1), i);
                i = close + 1;
            } else if (c == u'\'' || c == u'"') {
                QString text;
                qsizetype j = i + 1;
                while (true) {
                    if (j >= f.size())
                        fail(u"texto sin cerrar"_s, i + 1);
                    if (f.at(j) == c) {
                        if (j + 1 < f.size() && f.at(j + 1) == c) {
                            text += c;
                            j += 2;
                            continue;
                        }
                        break;
                    }
                    text += f.at(j++);
                }
                push(Token::Kind::Text, text, i);
                i = j + 1;
            } else if (c.isDigit() ||
                       (c == u'-' && i + 1 < f.size() && f.at(i + 1).isDigit() && expectsValue())) {
                qsizetype j = i + 1;
                while (j < f.size() && f.at(j).isDigit())
                    ++j;
                if (j + 1 < f.size() && f.at(j) == u'.' && f.at(j + 1).isDigit()) {
                    j += 2;
                    while (j < f.size() && f.at(j).isDigit())
                        ++j;
                }
                if (j < f.size() && (f.at(j).isLetter() || f.at(j) == u'_'))
                    fail(u"número no válido"_s, i + 1);
                push(Token::Kind::Number, f.mid(i, j - i), i);
                i = j;
            } else if (c == u'=' || c == u'<' || c == u'>') {
                QString op(c);
                if (i + 1 < f.size() && ((c == u'<' && (f.at(i + 1) == u'>' || f.at(i + 1) == u'=')) ||
                                         (c == u'>' && f.at(i + 1) == u'=')))
                    op += f.at(i + 1);
                push(Token::Kind::Compare, op, i);
                i += op.size();
            } else if (c == u'(' || c == u')') {
                push(c == u'(' ? Token::Kind::Open : Token::Kind::Close, QString(c), i);
                ++i;
            } else if (c.isLetter()) {
                qsizetype j = i;
                while (j < f.size() && (f.at(j).isLetterOrNumber() || f.at(j) == u'_'))
                    ++j;
                const QString word = f.mid(i, j - i);
                const QString upper = word.toUpper();
                if (upper == u"AND"_s)
                    push(Token::Kind::And, word, i);
                else if (upper == u"OR"_s)
                    push(Token::Kind::Or, word, i);
                else if (upper == u"NOT"_s)
                    push(Token::Kind::Not, word, i);
                else
                    fail(u"palabra no admitida \"%1\""_s.arg(word), i + 1);
                i = j;
            } else {
                fail(u"carácter no admitido \"%1\""_s.arg(c), i + 1);
            }
        }
        push(Token::Kind::End, u"fin de la fórmula"_s, f.size());
    }

    // A minus sign is a number's sign only where a value may stand (after an operator or at the start).
    bool expectsValue() const
    {
        if (m_tokens.isEmpty())
            return true;
        const Token::Kind last = m_tokens.last().kind;
        return last != Token::Kind::Field && last != Token::Kind::Text && last != Token::Kind::Number &&
               last != Token::Kind::Close;
    }

    void field(const QString& inside, qsizetype at)
    {
        const qsizetype dot = inside.indexOf(u'.');
        const QString table = inside.left(dot).trimmed();
        const QString column = dot < 0 ? QString() : inside.mid(dot + 1).trimmed();
        if (dot < 0 || table.isEmpty() || column.isEmpty())
            fail(u"el campo {%1} debe escribirse {TABLA.CAMPO}"_s.arg(inside), at + 1);
        if (table.compare(ReportColumns::Table, Qt::CaseInsensitive) != 0)
            fail(u"tabla desconocida \"%1\" (el reporte lee %2)"_s.arg(table, ReportColumns::Table), at + 1);
        const int index = ReportColumns::indexOf(column);
        if (index < 0)
            fail(u"campo desconocido \"%1\""_s.arg(column), at + 1);
        push(Token::Kind::Field, ReportColumns::names().at(index), at);
    }

    const Token& current() const { return m_tokens.at(m_next); }
    Token take() { return m_tokens.at(m_next++); }

    // A chain of one operator becomes one parenthesised list, built once: joining as it goes would
    // copy the condition so far at every term.
    QString chain(Token::Kind kind, const QString& word, QString (Parser::*term)())
    {
        QString first = (this->*term)();
        if (current().kind != kind)
            return first;
        QStringList terms{std::move(first)};
        while (current().kind == kind) {
            take();
            terms << (this->*term)();
        }
        return u"("_s + terms.join(u' ' + word + u' ') + u")"_s;
    }

    QString orExpression() { return chain(Token::Kind::Or, u"OR"_s, &Parser::andExpression); }
    QString andExpression() { return chain(Token::Kind::And, u"AND"_s, &Parser::notExpression); }

    // Each NOT and each parenthesis is one level of the parser's own recursion: past a depth no
    // cheque formula needs, the formula is refused rather than the stack overrun.
    void enter(const Token& token)
    {
        if (++m_depth > SelectionFormula::MaxDepth)
            fail(u"anida más de %1 niveles de paréntesis o NOT"_s.arg(SelectionFormula::MaxDepth), token.at);
    }

    QString notExpression()
    {
        if (current().kind == Token::Kind::Not) {
            const Token notToken = take();
            // NOT NOT NOT ... is a loop, not a recursion.
            int nots = 1;
            enter(notToken);
            while (current().kind == Token::Kind::Not) {
                enter(take());
                ++nots;
            }
            QString inner = notExpression();
            m_depth -= nots;
            for (int i = 0; i < nots; ++i)
                inner = u"(NOT "_s + inner + u")"_s;
            return inner;
        }
        if (current().kind == Token::Kind::Open) {
            const Token open = take();
            enter(open);
            const QString inner = orExpression();
            if (current().kind != Token::Kind::Close)
                fail(u"falta \")\" para el \"(\" de la posición %1"_s.arg(open.at), current().at);
            take();
            --m_depth;
            return inner;
        }
        const QString left = operand();
        if (current().kind != Token::Kind::Compare)
            fail(u"se esperaba una comparación (= <> < > <= >=) y hay \"%1\""_s.arg(current().text),
                 current().at);
        const QString op = take().text;
        const QString right = operand();
        return u"("_s + left + u' ' + op + u' ' + right + u")"_s;
    }

    QString operand()
    {
        const Token token = take();
        switch (token.kind) {
        case Token::Kind::Field:
            return token.text;
        case Token::Kind::Text:
            m_values.append(token.text);
            return u"?"_s;
        case Token::Kind::Number: {
            bool ok = false;
            const QVariant value = token.text.contains(u'.') ? QVariant(token.text.toDouble(&ok))
                                                             : QVariant(token.text.toLongLong(&ok));
            if (!ok)
                fail(u"número fuera de rango \"%1\""_s.arg(token.text), token.at);
            m_values.append(value);
            return u"?"_s;
        }
        default:
            fail(u"se esperaba un campo, un texto o un número y hay \"%1\""_s.arg(token.text), token.at);
        }
    }

    QString m_formula;
    QList<Token> m_tokens;
    qsizetype m_next = 0;
    int m_depth = 0;
    QVariantList m_values;
};

} // namespace

SelectionFormula SelectionFormula::parse(const QString& formula)
{
    SelectionFormula result;
    Parser(formula).run(result.m_where, result.m_values);
    return result;
}

QString SelectionFormula::selectStatement() const
{
    QString sql = u"SELECT "_s + ReportColumns::names().join(u", "_s) + u" FROM "_s + ReportColumns::Table;
    if (!m_where.isEmpty())
        sql += u" WHERE "_s + m_where;
    // Number order is the order generation gave the numbers, and the order a reprint asks for.
    return sql + u" ORDER BY SERIE, NUMERO"_s;
}
