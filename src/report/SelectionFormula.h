#pragma once

#include <QString>
#include <QVariantList>

/// A record selection formula of the report (the subset of Crystal Reports' syntax a cheque run
/// uses: {TABLE.FIELD}, texts in '...' or "..." with the quote doubled inside, numbers, comparisons
/// = <> < > <= >=, AND, OR, NOT and parentheses) turned into a WHERE condition with bound values.
/// The formula's texts never become SQL text: each is a "?" placeholder.
class SelectionFormula
{
public:
    /// The deepest nesting of parentheses and NOT a formula may have.
    static constexpr int MaxDepth = 200;

    /// Reads `formula`; an empty formula selects every row. Anything else raises RuntimeError
    /// ReportErrors::FormulaInvalida with the reason and the position.
    static SelectionFormula parse(const QString& formula);

    /// The condition with "?" placeholders, fully parenthesised; empty when every row is selected.
    const QString& where() const { return m_where; }
    /// The values of the placeholders, in order.
    const QVariantList& values() const { return m_values; }

    /// The statement that reads the report's rows: every column of the print table, in cheque order.
    QString selectStatement() const;

private:
    QString m_where;
    QVariantList m_values;
};
