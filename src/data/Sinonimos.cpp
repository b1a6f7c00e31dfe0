#include "data/Sinonimos.h"

using namespace Qt::StringLiterals;

namespace {

const QString AdminMark = u"@Admin_"_s;

// Executable names of other programs of the suite that keep the real view even for restricted
// users. This program is on neither list.
const QStringList DepositoExceptions = {u"TSSTOCK"_s, u"TSREMITOS"_s};
const QStringList FamiliasExceptions = {u"TSARTICULOS"_s, u"TSLISTAPRECIOS"_s};

enum class Exceptions
{
    None,
    Deposito,
    Familias
};

struct Synonym
{
    QString table;
    QString restricted;
    Exceptions skippedFor;
};

// Applied in this order. The restricted name of the cost-centre journal has an underscore the base
// name lacks.
const Synonym Table[] = {
    {u"MA_CUENTAS"_s, u"SS_MA_CUENTAS"_s, Exceptions::None},
    {u"V_TA_DEPOSITO"_s, u"SS_V_TA_DEPOSITO"_s, Exceptions::Deposito},
    {u"MV_ASIENTOS"_s, u"SS_MV_ASIENTOS"_s, Exceptions::None},
    {u"V_TA_FAMILIAS"_s, u"SS_V_TA_FAMILIAS"_s, Exceptions::Familias},
    {u"V_TA_CAJAS"_s, u"SS_V_TA_CAJAS"_s, Exceptions::None},
    {u"AC_CUENTASDIARIO"_s, u"SS_AC_CUENTASDIARIO"_s, Exceptions::None},
    {u"AC_CUENTASDIARIO_CCOSTO"_s, u"SS_AC_CUENTAS_DIARIO_CCOSTO"_s, Exceptions::None},
};

// The neighbourhoods in which a name is taken as a table reference: between blanks, opening a
// parenthesis, and as the qualifier of a column after a blank, a parenthesis or a comma.
struct Context
{
    QString before;
    QString after;
};
const Context Contexts[] = {
    {u" "_s, u" "_s}, {u"("_s, u" "_s}, {u" "_s, u"."_s}, {u"("_s, u"."_s}, {u","_s, u"."_s},
};

bool listed(const QStringList& programs, const QString& programa)
{
    return programs.contains(programa, Qt::CaseInsensitive);
}

QString withoutMarks(QString text)
{
    return text.remove(AdminMark, Qt::CaseInsensitive);
}

} // namespace

namespace Sinonimos {

const QStringList& depositoExceptions()
{
    return DepositoExceptions;
}

const QStringList& familiasExceptions()
{
    return FamiliasExceptions;
}

QString redirect(const QString& sql, const QString& programa)
{
    QString text = sql;
    for (const Synonym& row : Table) {
        if ((row.skippedFor == Exceptions::Deposito && listed(DepositoExceptions, programa)) ||
            (row.skippedFor == Exceptions::Familias && listed(FamiliasExceptions, programa)))
            continue;
        for (const Context& c : Contexts)
            text.replace(c.before + row.table + c.after, c.before + row.restricted + c.after,
                         Qt::CaseInsensitive);
        if (row.table == u"MA_CUENTAS") {
            // Report formulas name the table inside braces ("{MA_CUENTAS.Codigo}").
            text.replace(u"{MA_CUENTAS."_s, u"{SS_MA_CUENTAS."_s, Qt::CaseInsensitive);
            text.replace(AdminMark + row.table, row.table, Qt::CaseInsensitive);
        }
    }
    return withoutMarks(text);
}

QString rewrite(const QString& sql, bool esAdmin, bool confidencialidad, const QString& programa)
{
    if (esAdmin)
        return withoutMarks(sql);
    // The accounting lines are only hidden when the installation asks for it; until then a statement
    // that reads them keeps every table real.
    if (sql.contains(u"MV_ASIENTOS"_s, Qt::CaseInsensitive) && !confidencialidad)
        return withoutMarks(sql);
    return redirect(sql, programa);
}

} // namespace Sinonimos
