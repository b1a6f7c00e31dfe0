#pragma once

#include "demo/DemoCatalog.h"
#include "demo/DemoDatabase.h"

#include <QSqlDatabase>
#include <QString>

class QSqlQuery;

/// Writes the generated part of the demo into a database that already has the schema and the
/// fixed reference data: bank accounts and chequebooks, suppliers, the payments with their
/// cheques, and purchase invoices up to the asked number of accounting lines.
class DemoWriter
{
public:
    DemoWriter(const QSqlDatabase& db, const DemoScale& scale);

    /// Writes it all; meant to run inside one transaction, before the indexes are built.
    bool writeData(QString* error);

private:
    struct Cheque
    {
        int account = 0;  // index into m_accounts
        int supplier = 0; // 1-based
        QDate date;
        QDate dueDate;
        qint64 cents = 0;
        QString detail;
        QString number; // "*-" or series + "-" + number
    };

    bool writeBankAccounts();
    bool writeSuppliers();
    bool writePayments();
    bool writePurchaseInvoices();
    QList<Cheque> normalCheques() const;
    QList<Cheque> extraCheques() const;
    bool exec(QSqlQuery& query);
    bool exec(const QString& statement);

    QSqlDatabase m_db;
    DemoScale m_scale;
    QList<DemoCatalog::BankAccount> m_accounts;
    QList<DemoCatalog::Supplier> m_fixedSuppliers;
    qint64 m_entries = 0; // accounting entries written so far
    QString m_error;
};
