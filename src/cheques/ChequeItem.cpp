#include "cheques/ChequeItem.h"

#include "cheques/ChequeFila.h"

#include <QTreeWidget>

namespace {

// "dd/mm/yyyy" as yyyymmdd, comparable as a number; texts that are not such a date sort first.
int claveFecha(const QString& texto)
{
    if (texto.size() != 10)
        return -1;
    bool d = false, m = false, y = false;
    const int dia = QStringView(texto).mid(0, 2).toInt(&d);
    const int mes = QStringView(texto).mid(3, 2).toInt(&m);
    const int anio = QStringView(texto).mid(6, 4).toInt(&y);
    return d && m && y ? anio * 10000 + mes * 100 + dia : -1;
}

} // namespace

ChequeItem::ChequeItem(const QStringList& textos) : QTreeWidgetItem(textos, QTreeWidgetItem::UserType) {}

bool ChequeItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (column == ColumnaCheque::Fecha || column == ColumnaCheque::Vencimiento)
        return claveFecha(text(column)) < claveFecha(other.text(column));
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
}
