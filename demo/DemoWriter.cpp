#include "demo/DemoWriter.h"

#include "demo/ArgentineIds.h"
#include "demo/DemoRandom.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString RecordedAt = u"2023-12-15 09:00:00"_s;
const QString PaymentUser = u"JPEREZ"_s;
const QString InvoiceUser = u"TESSARO"_s;

QString supplierCode(int index)
{
    return u"2.1.01."_s + QString::number(index).rightJustified(5, u'0');
}

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

/// Cheques are written on working days: a Saturday or a Sunday moves on to the Monday.
QDate workingDay(QDate date)
{
    while (date.dayOfWeek() > 5)
        date = date.addDays(1);
    return date;
}

/// The k-th of n dates spread evenly from `first` over `days` days, in order.
QDate spreadDate(const QDate& first, int days, int k, int n)
{
    return workingDay(first.addDays(static_cast<qint64>(k) * days / std::max(n, 1)));
}

QString areaCode(const QString& province)
{
    if (province == u"Santa Fe"_s)
        return u"0341"_s;
    if (province == u"Córdoba"_s)
        return u"0351"_s;
    if (province == u"Buenos Aires"_s)
        return u"0221"_s;
    if (province == u"Ciudad Autónoma de Buenos Aires"_s)
        return u"011"_s;
    if (province == u"Mendoza"_s)
        return u"0261"_s;
    if (province == u"Entre Ríos"_s)
        return u"0343"_s;
    if (province == u"Tucumán"_s)
        return u"0381"_s;
    return u"0800"_s;
}

/// The first two words of a name, in lower-case ASCII: the mail domain of a supplier.
QString mailDomain(const QString& name)
{
    QString ascii;
    for (QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            ascii += c.toLower();
        else if (c.isSpace())
            ascii += u' ';
    }
    const QStringList words = ascii.split(u' ', Qt::SkipEmptyParts);
    return words.mid(0, 2).join(QString()) + u".com.ar"_s;
}

QString pick(const QStringList& list, DemoRandom& random)
{
    return list[random.below(static_cast<int>(list.size()))];
}

} // namespace

DemoWriter::DemoWriter(const QSqlDatabase& db, const DemoScale& scale)
    : m_db(db), m_scale(scale), m_accounts(DemoCatalog::bankAccounts()),
      m_fixedSuppliers(DemoCatalog::fixedSuppliers())
{
}

bool DemoWriter::writeData(QString* error)
{
    const bool ok = writeBankAccounts() && writeSuppliers() && writePayments() && writePurchaseInvoices();
    if (!ok && error)
        *error = m_error;
    return ok;
}

bool DemoWriter::exec(QSqlQuery& query)
{
    if (query.exec())
        return true;
    m_error = query.lastError().text() + u"\n"_s + query.lastQuery();
    return false;
}

bool DemoWriter::exec(const QString& statement)
{
    QSqlQuery query(m_db);
    if (query.exec(statement))
        return true;
    m_error = query.lastError().text() + u"\n"_s + statement;
    return false;
}

bool DemoWriter::writeBankAccounts()
{
    QSqlQuery account(m_db);
    account.prepare(
        u"INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Nivel, Imputable, TIPOVISTA, "
        "MedioDePago, IdBanco, NumeroCuentaBancaria, CBU, Moneda, Confidencial, FECHAHORA_GRABACION) "
        "VALUES (?, ?, ?, 4, 1, 'BC', ?, ?, ?, ?, 'PES', ?, ?)"_s);
    QSqlQuery book(m_db);
    book.prepare(
        u"INSERT INTO TA_CHEQUERAS (IdBanco, CuentaBancoDiferido, Serie, Numero_Desde, Numero_Hasta, "
        "Fecha_Recepcion) VALUES (?, ?, ?, ?, ?, ?)"_s);
    DemoRandom random(0xBA4C0000ULL);
    for (const DemoCatalog::BankAccount& plan : m_accounts) {
        QString accountDigits = QString::number(random.between(1, 999999999999LL)).rightJustified(13, u'0');
        account.addBindValue(plan.code);
        account.addBindValue(plan.optionalCode);
        account.addBindValue(plan.description);
        account.addBindValue(plan.mediumOfPayment);
        account.addBindValue(plan.bankId);
        account.addBindValue(plan.accountNumber);
        account.addBindValue(ArgentineIds::makeCbu(plan.bankId, plan.branch, accountDigits));
        account.addBindValue(plan.confidential ? 1 : 0);
        account.addBindValue(RecordedAt);
        if (!exec(account))
            return false;
        for (const DemoCatalog::Chequebook& chequebook : plan.chequebooks) {
            book.addBindValue(plan.bankId);
            book.addBindValue(plan.code);
            book.addBindValue(chequebook.series);
            book.addBindValue(chequebook.first);
            book.addBindValue(chequebook.last);
            book.addBindValue(isoDate(chequebook.received));
            if (!exec(book))
                return false;
        }
    }
    return true;
}

bool DemoWriter::writeSuppliers()
{
    QSqlQuery account(m_db);
    account.prepare(
        u"INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Nivel, Imputable, TIPOVISTA, "
        "Moneda, FECHAHORA_GRABACION) VALUES (?, ?, ?, 4, 1, 'PR', 'PES', ?)"_s);
    QSqlQuery supplier(m_db);
    supplier.prepare(u"INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL, CUIT, CONDICION_IVA, DOMICILIO, "
                     "LOCALIDAD, PROVINCIA, CODIGO_POSTAL, TELEFONO, EMAIL, CONTACTO, Dada_De_Baja, "
                     "FECHAHORA_GRABACION) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    QSqlQuery payment(m_db);
    payment.prepare(u"INSERT INTO ma_cuentasadic (codigo, datospago, CBU, EmailPagos) VALUES (?, ?, ?, ?)"_s);

    const QStringList kinds = DemoCatalog::companyKinds();
    const QStringList places = DemoCatalog::companyPlaces();
    const QStringList suffixes = DemoCatalog::companySuffixes();
    const QStringList givenNames = DemoCatalog::givenNames();
    const QStringList surnames = DemoCatalog::surnames();
    const QStringList streets = DemoCatalog::streets();
    const QList<QStringList> cities = DemoCatalog::cities();
    const QStringList banks{u"007"_s, u"011"_s, u"014"_s, u"017"_s, u"072"_s, u"191"_s, u"285"_s, u"299"_s};

    for (int i = 1; i <= m_scale.suppliers; ++i) {
        // One random stream per supplier: supplier i is the same whatever the number of suppliers.
        DemoRandom random(0x5EED0000ULL + static_cast<quint64>(i));
        DemoCatalog::Supplier s;
        if (i <= m_fixedSuppliers.size()) {
            s = m_fixedSuppliers[i - 1];
        } else {
            const QStringList& city = cities[random.below(static_cast<int>(cities.size()))];
            s.city = city[0];
            s.province = city[1];
            s.postalCode = city[2];
            if (random.chance(5)) {
                s.name = pick(surnames, random) + u' ' + pick(givenNames, random);
                s.ivaCondition = u"MT"_s;
            } else {
                s.name = pick(kinds, random) + u' ' + pick(places, random) + u' ' + pick(suffixes, random);
                s.ivaCondition = random.chance(20) ? u"EX"_s : u"RI"_s;
            }
            s.payee = static_cast<DemoCatalog::Payee>(i % 3);
            if (s.payee == DemoCatalog::Payee::Text)
                s.payeeText = s.name;
            s.inactive = random.chance(15);
        }
        const bool person = s.ivaCondition == u"MT"_s;
        int cuitPrefix = person ? (random.chance(2) ? 20 : 27) : 30;
        int cuitNumber = static_cast<int>(person ? random.between(10000000, 45999999)
                                                 : random.between(50000000, 71999999));
        QString cuit = ArgentineIds::formatCuit(cuitPrefix, cuitNumber);
        while (cuit.isEmpty())
            cuit = ArgentineIds::formatCuit(cuitPrefix, ++cuitNumber);
        const QString code = supplierCode(i);
        const QString domain = mailDomain(s.name);

        account.addBindValue(code);
        account.addBindValue(QString(u"P"_s + QString::number(i).rightJustified(5, u'0')));
        account.addBindValue(s.name);
        account.addBindValue(RecordedAt);
        if (!exec(account))
            return false;

        supplier.addBindValue(code);
        supplier.addBindValue(s.name);
        supplier.addBindValue(cuit);
        supplier.addBindValue(s.ivaCondition);
        supplier.addBindValue(
            QString(pick(streets, random) + u' ' + QString::number(random.between(100, 5999))));
        supplier.addBindValue(s.city);
        supplier.addBindValue(s.province);
        supplier.addBindValue(s.postalCode);
        supplier.addBindValue(QString(areaCode(s.province) + u' ' +
                                      QString::number(random.between(400, 499)) + u'-' +
                                      QString::number(random.between(0, 9999)).rightJustified(4, u'0')));
        supplier.addBindValue(QString(u"administracion@"_s + domain));
        supplier.addBindValue(QString(pick(givenNames, random) + u' ' + pick(surnames, random)));
        supplier.addBindValue(s.inactive ? 1 : 0);
        supplier.addBindValue(RecordedAt);
        if (!exec(supplier))
            return false;

        if (s.payee != DemoCatalog::Payee::None) {
            const QString accountDigits =
                QString::number(random.between(1, 999999999999LL)).rightJustified(13, u'0');
            const QString branch = QString::number(random.between(1, 999)).rightJustified(4, u'0');
            payment.addBindValue(code);
            payment.addBindValue(s.payee == DemoCatalog::Payee::Text ? s.payeeText : QString(u""_s));
            payment.addBindValue(ArgentineIds::makeCbu(pick(banks, random), branch, accountDigits));
            payment.addBindValue(QString(u"pagos@"_s + domain));
            if (!exec(payment))
                return false;
        }
    }
    return true;
}

QList<DemoWriter::Cheque> DemoWriter::normalCheques() const
{
    QList<int> activeSuppliers;
    for (int i = 0; i < m_fixedSuppliers.size(); ++i) {
        if (!m_fixedSuppliers[i].inactive)
            activeSuppliers.append(i + 1);
    }
    QList<Cheque> cheques;
    for (int a = 0; a < m_accounts.size(); ++a) {
        const DemoCatalog::BankAccount& plan = m_accounts[a];
        DemoRandom random(0xC4E00000ULL + static_cast<quint64>(a));
        auto randomCheque = [&](const QDate& date, const QString& number) {
            Cheque cheque;
            cheque.account = a;
            cheque.supplier = activeSuppliers[random.below(static_cast<int>(activeSuppliers.size()))];
            cheque.date = date;
            static const int deferredDays[] = {30, 45, 60, 90};
            cheque.dueDate =
                random.chance(2) ? date : workingDay(date.addDays(deferredDays[random.below(4)]));
            cheque.cents =
                random.chance(6) ? random.between(5, 900) * 100000 : random.between(500000, 95000000);
            cheque.detail = u"Pago Fact. A "_s +
                            QString::number(random.between(1, 12)).rightJustified(4, u'0') + u'-' +
                            QString::number(random.between(1, 99999)).rightJustified(8, u'0');
            cheque.number = number;
            return cheque;
        };
        // Printed cheques through September, in number order; cheques waiting for a number after.
        for (int k = 0; k < plan.numberedCount; ++k) {
            const QDate date = spreadDate(QDate(2024, 1, 8), 263, k, plan.numberedCount);
            cheques.append(
                randomCheque(date, plan.numberedSeries + u'-' + QString::number(plan.firstNumbered + k)));
        }
        if (plan.code == DemoDb::TestAccount) {
            for (const DemoCatalog::FixedCheque& fixed : DemoCatalog::testAccountCheques()) {
                Cheque cheque;
                cheque.account = a;
                cheque.supplier = fixed.supplier;
                cheque.date = fixed.date;
                cheque.dueDate = fixed.dueDate;
                cheque.cents = fixed.cents;
                cheque.detail = fixed.detail;
                cheque.number = u"*-"_s;
                cheques.append(cheque);
            }
        } else {
            for (int k = 0; k < plan.unnumberedCount; ++k) {
                const QDate date = spreadDate(QDate(2024, 10, 1), 59, k, plan.unnumberedCount);
                cheques.append(randomCheque(date, u"*-"_s));
            }
        }
    }
    // Payments are recorded in date order; an account's cheques of one day keep their order.
    std::stable_sort(cheques.begin(), cheques.end(),
                     [](const Cheque& x, const Cheque& y) { return x.date < y.date; });
    return cheques;
}

QList<DemoWriter::Cheque> DemoWriter::extraCheques() const
{
    const auto bench =
        std::find_if(m_accounts.cbegin(), m_accounts.cend(),
                     [](const DemoCatalog::BankAccount& a) { return a.code == DemoDb::BenchAccount; });
    const int account = static_cast<int>(bench - m_accounts.cbegin());
    DemoRandom random(0xBE4C0000ULL);
    QList<Cheque> cheques;
    cheques.reserve(m_scale.extraUnnumberedCheques);
    for (int k = 0; k < m_scale.extraUnnumberedCheques; ++k) {
        Cheque cheque;
        cheque.account = account;
        cheque.supplier = k % m_scale.suppliers + 1;
        cheque.date = spreadDate(QDate(2024, 12, 2), 25, k, m_scale.extraUnnumberedCheques);
        cheque.dueDate = random.chance(2) ? cheque.date : workingDay(cheque.date.addDays(30));
        cheque.cents = random.between(500000, 95000000);
        cheque.detail = u"Pago Fact. A "_s + QString::number(random.between(1, 12)).rightJustified(4, u'0') +
                        u'-' + QString::number(random.between(1, 99999)).rightJustified(8, u'0');
        cheque.number = u"*-"_s;
        cheques.append(cheque);
    }
    return cheques;
}

bool DemoWriter::writePayments()
{
    // A payment is one entry of two lines: the debit to the supplier and the credit to the bank
    // account, which is the cheque (Tipo_Reg 'C') and carries its number.
    QSqlQuery line(m_db);
    line.prepare(
        u"INSERT INTO MV_ASIENTOS (Periodo, Mes_Operativo, \"Numero Asiento\", Secuencia, TC, Sucursal, "
        "Numero, Letra, Cuenta, Tipo_Reg, IdBanco, Fecha, Vencimiento, Detalle, DebeHaber, Importe, "
        "CuentaDestino, NroComprobanteBancario, Moneda, Cotizacion, Clearing, Usuario, "
        "FECHAHORA_GRABACION) "
        "VALUES (?, ?, ?, ?, 'OP', '0001', ?, 'X', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'PES', 1, ?, ?, ?)"_s);
    const QVariant null;
    for (const QList<Cheque>& batch : {normalCheques(), extraCheques()}) {
        for (const Cheque& cheque : batch) {
            const DemoCatalog::BankAccount& bank = m_accounts[cheque.account];
            const qint64 entry = ++m_entries;
            const QString voucher = QString::number(entry).rightJustified(8, u'0');
            const QString date = isoDate(cheque.date);
            const QString supplier = supplierCode(cheque.supplier);
            const double amount = static_cast<double>(cheque.cents) / 100.0;
            const QString recorded = date + u" 11:30:00"_s;
            for (int sequence = 1; sequence <= 2; ++sequence) {
                const bool bankLine = sequence == 2;
                line.addBindValue(cheque.date.year());
                line.addBindValue(cheque.date.month());
                line.addBindValue(entry);
                line.addBindValue(sequence);
                line.addBindValue(voucher);
                line.addBindValue(bankLine ? bank.code : supplier);
                line.addBindValue(bankLine ? u"C"_s : u"N"_s);
                line.addBindValue(bankLine ? bank.bankId : QString(u""_s));
                line.addBindValue(date);
                line.addBindValue(bankLine ? QVariant(isoDate(cheque.dueDate)) : null);
                line.addBindValue(cheque.detail);
                line.addBindValue(bankLine ? u"H"_s : u"D"_s);
                line.addBindValue(amount);
                line.addBindValue(bankLine ? QVariant(supplier) : null);
                line.addBindValue(bankLine ? QVariant(cheque.number) : null);
                line.addBindValue(bankLine ? QVariant(cheque.dueDate == cheque.date ? 24 : 48) : null);
                line.addBindValue(PaymentUser);
                line.addBindValue(recorded);
                if (!exec(line))
                    return false;
            }
        }
    }
    return true;
}

bool DemoWriter::writePurchaseInvoices()
{
    // Purchase invoices fill MV_ASIENTOS up to the asked number of lines. An invoice "A" has three
    // lines (expense, VAT credit, supplier), an invoice "C" (no VAT shown) two; with a three-line
    // and b two-line entries, 3a + 2b makes any count from 2 on. The rows are made in the database
    // from a recursive series, with no row crossing into C++: each invoice's values are computed
    // once (MATERIALIZED) and then spread over its lines.
    const qint64 lines = m_scale.accountingLines - m_entries * 2;
    if (lines == 0)
        return true;
    qint64 twoLineEntries = 0;
    switch (lines % 3) {
    case 1:
        twoLineEntries = 2;
        break;
    case 2:
        twoLineEntries = 1;
        break;
    default:
        break;
    }
    const qint64 threeLineEntries = (lines - 2 * twoLineEntries) / 3;
    const qint64 entries = threeLineEntries + twoLineEntries;

    QString statement = uR"(
WITH RECURSIVE
seq(e) AS (SELECT 0 UNION ALL SELECT e + 1 FROM seq WHERE e + 1 < {ENTRIES}),
hashed AS (
    SELECT e,
           CASE WHEN e < {THREE_ENTRIES} THEN 3 ELSE 2 END AS width,
           ((e + 1) * 2654435761 + 97531) % 4294967296 AS h
    FROM seq),
invoice AS MATERIALIZED (
    SELECT e, width,
           date('2024-01-02', '+' || (e * 361 / {ENTRIES}) || ' days') AS fecha,
           printf('%04d', (h / 65536) % 12 + 1) AS suc,
           printf('%08d', e + 1) AS num,
           CASE width WHEN 3 THEN 'A' ELSE 'C' END AS letra,
           round(((h / 64) % 6000000 + 2000) / 100.0, 2) AS neto,
           printf('2.1.01.%05d', (h / 4096) % {SUPPLIERS} + 1) AS proveedor,
           printf('5.2.01.%02d', (h / 1024) % {EXPENSES} + 1) AS gasto,
           {COST_CENTRE} AS ccosto
    FROM hashed),
amounts AS MATERIALIZED (
    SELECT *,
           round(neto * 0.21, 2) AS iva,
           CASE width WHEN 3 THEN round(neto + round(neto * 0.21, 2), 2) ELSE neto END AS total
    FROM invoice),
pos(p) AS (VALUES (0), (1), (2))
INSERT INTO MV_ASIENTOS (Periodo, Mes_Operativo, "Numero Asiento", Secuencia, TC, Sucursal, Numero, Letra,
                         Cuenta, Tipo_Reg, IdBanco, Fecha, Vencimiento, Detalle, DebeHaber, Importe,
                         CuentaDestino, NroComprobanteBancario, Moneda, Cotizacion, Clearing, CCosto, Usuario,
                         FECHAHORA_GRABACION)
SELECT 2024, CAST(substr(fecha, 6, 2) AS INTEGER), {FIRST_ENTRY} + e, p + 1, 'FC', suc, num, letra,
       CASE WHEN p = width - 1 THEN proveedor WHEN p = 0 THEN gasto ELSE '1.1.04.01' END,
       'N', '', fecha, CASE WHEN p = width - 1 THEN date(fecha, '+30 days') END,
       'Fact. ' || letra || ' ' || suc || '-' || num,
       CASE WHEN p = width - 1 THEN 'H' ELSE 'D' END,
       CASE WHEN p = width - 1 THEN total WHEN p = 0 THEN neto ELSE iva END,
       NULL, NULL, 'PES', 1, NULL,
       CASE WHEN p = 0 THEN ccosto END,
       '{USER}', fecha || ' 16:00:00'
FROM amounts CROSS JOIN pos
WHERE p < width)"_s;
    QString costCentre = u"CASE (h / 256) % 8"_s;
    const QStringList centres = DemoCatalog::costCentres();
    for (int i = 0; i < centres.size(); ++i)
        costCentre += u" WHEN "_s + QString::number(i) + u" THEN '"_s + centres[i] + u'\'';
    costCentre += u" END"_s;
    statement.replace(u"{ENTRIES}"_s, QString::number(entries))
        .replace(u"{THREE_ENTRIES}"_s, QString::number(threeLineEntries))
        .replace(u"{FIRST_ENTRY}"_s, QString::number(m_entries + 1))
        .replace(u"{SUPPLIERS}"_s, QString::number(m_scale.suppliers))
        .replace(u"{EXPENSES}"_s, QString::number(DemoCatalog::ExpenseAccountCount))
        .replace(u"{COST_CENTRE}"_s, costCentre)
        .replace(u"{USER}"_s, InvoiceUser);
    if (!exec(statement))
        return false;
    m_entries += entries;
    return true;
}
