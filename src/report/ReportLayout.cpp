#include "report/ReportLayout.h"

using namespace Qt::StringLiterals;

QString ReportLayout::formulaName(const QString& name) const
{
    for (auto it = formulas.cbegin(); it != formulas.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return {};
}

bool ReportLayout::readsTable() const
{
    for (const LayoutItem& item : items) {
        if (item.kind == LayoutItem::Kind::Field)
            return true;
    }
    return false;
}

namespace ReportColumns {

QStringList names()
{
    return {u"USUARIO"_s, u"CUENTA"_s,         u"FECHA"_s, u"VENCIMIENTO"_s, u"NOMBRE"_s,
            u"IMPORTE"_s, u"IMPORTEENLETRA"_s, u"SERIE"_s, u"NUMERO"_s};
}

int indexOf(const QString& name)
{
    const QStringList all = names();
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace ReportColumns
