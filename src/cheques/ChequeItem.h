#pragma once

#include <QTreeWidgetItem>

/// A row of the cheque list. Rows sort on the clicked column's text, except the two date columns,
/// which sort by date: as text "15/12/2026" would come after "02/01/2027", and generation numbers
/// the ticked rows in the order shown.
class ChequeItem : public QTreeWidgetItem
{
public:
    static constexpr int ClaveRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;
    static constexpr int MarcaRole = Qt::UserRole + 2;

    explicit ChequeItem(const QStringList& textos);

    bool operator<(const QTreeWidgetItem& other) const override;
};
