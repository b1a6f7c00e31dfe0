#include "report/FormulaAssignment.h"

#include "report/ReportErrors.h"
#include "zimbrel2/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw RuntimeError(ReportErrors::FormulaInvalida, message, u"ClsReporte"_s);
}

} // namespace

void FormulaAssignment::apply(const QString& assignment, ReportLayout& layout)
{
    const QString text = assignment.trimmed();
    if (text.isEmpty())
        return;
    const qsizetype equals = text.indexOf(u'=');
    const QString name = text.left(equals).trimmed();
    const QString value = equals < 0 ? QString() : text.mid(equals + 1).trimmed();
    const QChar quote = value.isEmpty() ? QChar() : value.front();
    if (equals <= 0 || (quote != u'\'' && quote != u'"') || value.size() < 2 || value.back() != quote)
        fail(u"La asignación de fórmula no es válida (se espera nombre='texto'): %1"_s.arg(assignment));
    const QString inner = value.mid(1, value.size() - 2);
    const QString doubled = QString(quote) + quote;
    // A lone quote inside would end the text early: the assignment is not one text.
    if (QString(inner).replace(doubled, QString()).contains(quote))
        fail(u"La asignación de fórmula no es válida (comilla sin duplicar): %1"_s.arg(assignment));
    const QString own = layout.formulaName(name.startsWith(u'@') ? name.mid(1) : name);
    if (own.isEmpty())
        fail(u"El reporte %1 no tiene la fórmula \"%2\"."_s.arg(layout.file, name));
    layout.formulas[own] = QString(inner).replace(doubled, QString(quote));
}
