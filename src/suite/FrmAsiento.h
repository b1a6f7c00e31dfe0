#pragma once

#include "suite/AsientoContable.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

/// The ledger viewer's window: the lines of one accounting entry, read-only, with the totals; titled
/// with the voucher. Escape or "&Cerrar" closes it.
class FrmAsiento : public QWidget
{
    Q_OBJECT

public:
    explicit FrmAsiento(const AsientoContable& asiento, QWidget* parent = nullptr);

    QTableWidget* Lineas() const { return m_lineas; }

private:
    QLabel* m_lblAsiento = nullptr;
    QTableWidget* m_lineas = nullptr;
    QPushButton* m_cmdCerrar = nullptr;
};
