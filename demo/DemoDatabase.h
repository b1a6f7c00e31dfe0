#pragma once

#include <QString>

/// Names and figures of the demo data set that code and tests refer to (demo/README.md describes
/// the data set as a whole).
namespace DemoDb {

/// A database named X lives in the file <folder>/X.db.
inline const QString MainDatabaseName = QStringLiteral("TALONEX_DEMO");
inline const QString StatisticsDatabaseName = QStringLiteral("TS_ESTADISTICAS");
inline const QString FileSuffix = QStringLiteral(".db");

/// Users: an administrator (Administrador = 1) and a plain user, whose statements go through the
/// restricted SS_ views. SQLite has no logins: any password opens the file; the suite's default
/// password is given for connection dialogs and INI files.
inline const QString AdminUser = QStringLiteral("TESSARO");
inline const QString PlainUser = QStringLiteral("JPEREZ");
inline const QString DefaultPassword = QStringLiteral("pampero");

/// The account end-to-end tests print on (Banco Galicia): exactly five unnumbered cheques, always
/// the same, and a chequebook of series B whose numbers 100 to 149 are all free (the previous book,
/// B 50 to 99, is used up).
inline const QString TestAccount = QStringLiteral("1.1.02.02");
inline const QString TestAccountOptionalCode = QStringLiteral("GAL");
inline const QString TestBankId = QStringLiteral("007");
inline const QString TestSeries = QStringLiteral("B");
inline constexpr int TestFirstFreeNumber = 100;
inline constexpr int TestLastChequebookNumber = 149;
inline constexpr int TestUnnumberedCheques = 5;
inline constexpr int TestNumberedCheques = 50;

/// The account the benchmark scale piles unnumbered cheques on (Banco Macro): in the normal demo 60
/// unnumbered cheques against a chequebook with 50 numbers left.
inline const QString BenchAccount = QStringLiteral("1.1.02.05");
inline constexpr int BenchUnnumberedCheques = 60;
inline constexpr int BenchFreeNumbers = 50;

/// A cheque account whose MedioDePago is stored as lower-case "ch".
inline const QString LowerCaseChequeAccount = QStringLiteral("1.1.02.06");
/// A bank account not enabled for cheques (MedioDePago "TR"), with no chequebook.
inline const QString TransferOnlyAccount = QStringLiteral("1.1.02.07");
/// A confidential bank account (MA_CUENTAS.Confidencial = 1), hidden by the SS_ views.
inline const QString ConfidentialAccount = QStringLiteral("1.1.02.08");
/// Cash (MedioDePago "EF", TIPOVISTA "CJ").
inline const QString CashAccount = QStringLiteral("1.1.01.01");

/// Suppliers are accounts "2.1.01.NNNNN"; the first FixedSupplierCount have hand-written names
/// and are the ones the normal cheques are paid to.
inline constexpr int FixedSupplierCount = 48;
/// Issued cheques of the normal demo, over all bank accounts (the scale adds unnumbered ones on
/// BenchAccount).
inline constexpr int NumberedCheques = 255;
inline constexpr int UnnumberedCheques = 155;
inline constexpr int DefaultAccountingLines = 5000;

/// The file of a database of the demo: <folder>/<databaseName>.db.
QString databaseFilePath(const QString& folder, const QString& databaseName);

} // namespace DemoDb

/// Size of the generated data. The defaults give the normal demo; the benchmark scale is 20,000
/// suppliers, 10,000 extra cheques and 1,000,000 accounting lines.
struct DemoScale
{
    /// Suppliers, at least DemoDb::FixedSupplierCount and at most 99,999.
    int suppliers = DemoDb::FixedSupplierCount;
    /// Unnumbered cheques on DemoDb::BenchAccount beyond its normal ones.
    int extraUnnumberedCheques = 0;
    /// Total lines of MV_ASIENTOS: the payments' lines (two per cheque) plus purchase invoices that
    /// fill up to this count. At least minimumAccountingLines(), and not one more than it.
    qint64 accountingLines = DemoDb::DefaultAccountingLines;
};

/// The lines the payments of a scale take by themselves: the least accountingLines it accepts.
qint64 minimumAccountingLines(const DemoScale& scale);

/// Empty when the scale can be built, else why not.
QString checkDemoScale(const DemoScale& scale);

/// Writes <folder>/TALONEX_DEMO.db (main) and <folder>/TS_ESTADISTICAS.db (statistics), replacing
/// files of those names; creates the folder when missing. The same scale always gives the same
/// data. On failure returns false, leaves any previous files in place and says why in `error`.
/// Needs a QCoreApplication (Qt loads the SQLite driver as a plugin).
bool createDemoDatabase(const QString& folder, const DemoScale& scale, QString* error);

/// What a demo main database holds, as the command-line tool reports it.
struct DemoContents
{
    qint64 suppliers = 0;
    qint64 bankAccounts = 0;
    qint64 chequebooks = 0;
    qint64 numberedCheques = 0;
    qint64 unnumberedCheques = 0;
    qint64 accountingLines = 0;
};

/// Counts the contents of the main database in `folder`.
bool readDemoContents(const QString& folder, DemoContents* contents, QString* error);
