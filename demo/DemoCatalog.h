#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

/// The hand-written part of the generated data: the company's bank accounts with their chequebooks
/// and cheque history, the fixed suppliers and the cheques that tests rely on. The generator
/// (DemoWriter) turns these into rows and adds the scaled bulk.
class DemoCatalog
{
public:
    struct Chequebook
    {
        QString series;
        int first = 0;
        int last = 0;
        QDate received;
    };

    struct BankAccount
    {
        QString code;
        QString optionalCode;
        QString description;
        QString mediumOfPayment; // "CH" issues cheques; kept as the bank's file has it
        QString bankId;
        QString branch;        // four digits, for the CBU
        QString accountNumber; // as the bank writes it
        bool confidential = false;
        QList<Chequebook> chequebooks;
        QString numberedSeries; // series of the cheques already printed
        int firstNumbered = 0;  // their first number; they run on without gaps
        int numberedCount = 0;
        int unnumberedCount = 0; // cheques waiting for a number
    };

    /// How a supplier's payee is found: a payment-data row with a payee text, a row whose payee
    /// text is blank, or no row (both of the latter print the account's description).
    enum class Payee
    {
        Text,
        Blank,
        None
    };

    struct Supplier
    {
        QString name;
        QString city;
        QString province;
        QString postalCode;
        QString ivaCondition; // RI responsable inscripto, MT monotributo, EX exento
        Payee payee = Payee::None;
        QString payeeText;
        bool inactive = false; // Dada_De_Baja
    };

    /// A cheque whose every field is fixed (the test account's unnumbered cheques).
    struct FixedCheque
    {
        int supplier = 0; // 1-based index among the suppliers
        QDate date;
        QDate dueDate;
        qint64 cents = 0;
        QString detail;
    };

    static QList<BankAccount> bankAccounts();
    static QList<Supplier> fixedSuppliers();
    /// The unnumbered cheques of the test account, in the order they are recorded.
    static QList<FixedCheque> testAccountCheques();

    /// Word lists the generated suppliers are made of.
    static QStringList companyKinds();
    static QStringList companyPlaces();
    static QStringList companySuffixes();
    static QStringList givenNames();
    static QStringList surnames();
    static QStringList streets();
    /// (city, province, postal code) triples for generated suppliers.
    static QList<QStringList> cities();

    /// Expense accounts 5.2.01.01 .. 5.2.01.NN of the chart, which purchase invoices debit.
    static constexpr int ExpenseAccountCount = 12;
    /// Cost centres that take expense lines.
    static QStringList costCentres();
};
