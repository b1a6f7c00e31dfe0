// Building the demo: the scale's counts, refused scales, determinism, replacing earlier files, and
// the normal data staying the same at any scale.
#include "data/SqliteFunctions.h"
#include "demo/DemoDatabase.h"

#include "DemoQuery.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using DemoQuery::count;
using DemoQuery::rows;

namespace {

/// An open connection to a built main database, removed with the object.
class BuiltDatabase
{
public:
    explicit BuiltDatabase(const QString& folder)
    {
        static int counter = 0;
        m_name = u"demo_build_test_"_s + QString::number(++counter);
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(DemoDb::databaseFilePath(folder, DemoDb::MainDatabaseName));
        EXPECT_TRUE(db.open());
        EXPECT_TRUE(SqliteFunctions::registerOn(db));
    }
    ~BuiltDatabase()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

/// A digest of every row of the given tables, in key order.
QByteArray digest(QSqlDatabase db, const QStringList& statements)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& statement : statements) {
        for (const auto& row : rows(db, statement)) {
            for (const QVariant& value : row)
                hash.addData(QByteArray(value.toString().toUtf8() + '\x1f'));
            hash.addData("\x1e");
        }
    }
    return hash.result();
}

const QStringList EveryTable{
    u"SELECT * FROM MV_ASIENTOS ORDER BY IdBanco, Periodo, \"Numero Asiento\", Secuencia"_s,
    u"SELECT * FROM MA_CUENTAS ORDER BY Codigo"_s,
    u"SELECT * FROM MA_PROVEEDORES ORDER BY CODIGO"_s,
    u"SELECT * FROM ma_cuentasadic ORDER BY codigo"_s,
    u"SELECT * FROM TA_CHEQUERAS ORDER BY IdChequera"_s,
};

TEST(DemoBuild, ScaledBuildHasTheAskedCounts)
{
    struct Case
    {
        int suppliers;
        int extraCheques;
        qint64 linesAboveMinimum; // 0, and from 2 on: every remainder of the invoices' 3a + 2b
    };
    const Case cases[] = {{48, 0, 0}, {120, 300, 2}, {200, 37, 3}, {75, 1, 4}, {300, 1000, 10001}};
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        DemoScale scale;
        scale.suppliers = c.suppliers;
        scale.extraUnnumberedCheques = c.extraCheques;
        scale.accountingLines = minimumAccountingLines(scale) + c.linesAboveMinimum;
        SCOPED_TRACE(scale.accountingLines);
        QString error;
        ASSERT_TRUE(createDemoDatabase(folder.path(), scale, &error)) << error.toStdString();

        DemoContents contents;
        ASSERT_TRUE(readDemoContents(folder.path(), &contents, &error)) << error.toStdString();
        EXPECT_EQ(contents.suppliers, c.suppliers);
        EXPECT_EQ(contents.accountingLines, scale.accountingLines);
        EXPECT_EQ(contents.numberedCheques, DemoDb::NumberedCheques);
        EXPECT_EQ(contents.unnumberedCheques, DemoDb::UnnumberedCheques + c.extraCheques);

        BuiltDatabase built(folder.path());
        QSqlDatabase db = built.db();
        EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM v_chequesentregados WHERE Cuenta = '%1' AND "
                            "NROCOMPROBANTEBANCARIO = '*-'"_s.arg(DemoDb::BenchAccount)),
                  DemoDb::BenchUnnumberedCheques + c.extraCheques);
        EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM MA_CUENTAS WHERE TIPOVISTA = 'PR'"_s), c.suppliers);
        EXPECT_EQ(
            count(db,
                  u"SELECT COUNT(*) FROM (SELECT Periodo, \"Numero Asiento\" FROM MV_ASIENTOS GROUP BY 1, 2 "
                  "HAVING abs(SUM(CASE DebeHaber WHEN 'D' THEN Importe ELSE -Importe END)) > 0.005)"_s),
            0);
        EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM MV_ASIENTOS a WHERE NOT EXISTS "
                            "(SELECT 1 FROM MA_CUENTAS c WHERE c.Codigo = a.Cuenta)"_s),
                  0);
    }
}

TEST(DemoBuild, RefusesScalesItCannotBuildAndKeepsEarlierFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;
    ASSERT_TRUE(createDemoDatabase(folder.path(), DemoScale(), &error)) << error.toStdString();
    const QString mainFile = DemoDb::databaseFilePath(folder.path(), DemoDb::MainDatabaseName);
    const qint64 size = QFileInfo(mainFile).size();

    const qint64 minimum = minimumAccountingLines(DemoScale());
    struct Case
    {
        int suppliers;
        int extraCheques;
        qint64 lines;
    };
    const Case cases[] = {{DemoDb::FixedSupplierCount - 1, 0, 5000},
                          {100000, 0, 5000},
                          {100, -1, 5000},
                          {100, 0, minimum - 1},
                          {100, 0, minimum + 1}};
    for (const Case& c : cases) {
        const DemoScale scale{c.suppliers, c.extraCheques, c.lines};
        SCOPED_TRACE(c.lines);
        EXPECT_FALSE(checkDemoScale(scale).isEmpty());
        error.clear();
        EXPECT_FALSE(createDemoDatabase(folder.path(), scale, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(QFileInfo(mainFile).size(), size);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST(DemoBuild, SameScaleGivesTheSameDataAndReplacesEarlierFiles)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    // Something that is not a database where the main file goes.
    {
        QFile junk(DemoDb::databaseFilePath(second.path(), DemoDb::MainDatabaseName));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("not a database");
    }
    const QStringList connectionsBefore = QSqlDatabase::connectionNames();
    const DemoScale scale{90, 25, 3000};
    QString error;
    ASSERT_TRUE(createDemoDatabase(first.path(), scale, &error)) << error.toStdString();
    ASSERT_TRUE(createDemoDatabase(second.path(), scale, &error)) << error.toStdString();
    EXPECT_EQ(QSqlDatabase::connectionNames(), connectionsBefore);

    BuiltDatabase a(first.path());
    BuiltDatabase b(second.path());
    EXPECT_EQ(digest(a.db(), EveryTable), digest(b.db(), EveryTable));
}

TEST(DemoBuild, NormalDataDoesNotDependOnTheScale)
{
    QTemporaryDir normal;
    QTemporaryDir scaled;
    ASSERT_TRUE(normal.isValid() && scaled.isValid());
    QString error;
    ASSERT_TRUE(createDemoDatabase(normal.path(), DemoScale(), &error)) << error.toStdString();
    ASSERT_TRUE(createDemoDatabase(scaled.path(), DemoScale{500, 400, 20000}, &error)) << error.toStdString();
    // The cheques of the normal demo, with their keys, and the fixed suppliers.
    const QStringList normalData{
        u"SELECT * FROM v_chequesentregados WHERE \"Numero Asiento\" <= %1 ORDER BY \"Numero Asiento\""_s.arg(
            DemoDb::NumberedCheques + DemoDb::UnnumberedCheques),
        u"SELECT * FROM MA_PROVEEDORES WHERE CODIGO <= '2.1.01.%1' ORDER BY CODIGO"_s.arg(
            DemoDb::FixedSupplierCount, 5, 10, QChar(u'0')),
        u"SELECT * FROM V_TA_CTRL_CHEQUERAS ORDER BY IDCHEQUERA"_s,
    };
    BuiltDatabase a(normal.path());
    BuiltDatabase b(scaled.path());
    EXPECT_EQ(digest(a.db(), normalData), digest(b.db(), normalData));
    EXPECT_EQ(rows(a.db(), normalData[0]).size(),
              size_t(DemoDb::NumberedCheques + DemoDb::UnnumberedCheques));
}

} // namespace
