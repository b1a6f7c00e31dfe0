// The data set as demo/README.md documents it: the test account and its cheques, the counts per
// account, cheque numbers that fit their chequebooks, balanced entries, valid identifiers, and the
// rows the lookups list.
#include "demo/ArgentineIds.h"
#include "demo/DemoDatabase.h"
#include "support/DemoDbFixture.h"

#include "DemoQuery.h"

#include <QDate>
#include <QStringList>

using namespace Qt::StringLiterals;
using DemoQuery::count;
using DemoQuery::rows;
using DemoQuery::scalar;

namespace {

class DemoData : public DemoDbFixture
{
protected:
    void SetUp() override
    {
        DemoDbFixture::SetUp();
        db = openMainDatabase();
    }
    void TearDown() override
    {
        db = QSqlDatabase();
        DemoDbFixture::TearDown();
    }
    QSqlDatabase db;
};

TEST_F(DemoData, TestAccountListsItsFiveUnnumberedChequesInOrder)
{
    struct Expected
    {
        const char16_t* supplier;
        const char16_t* date;
        double amount;
        const char16_t* dueDate;
        const char16_t* voucher; // Numero of the payment, also its entry number
        const char16_t* payee;
    };
    const Expected expected[] = {
        {u"2.1.01.00001", u"2024-11-04", 125430.50, u"2024-11-04", u"00000341",
         u"Distribuidora del Litoral Sociedad Anónima"},
        {u"2.1.01.00002", u"2024-11-05", 48900.00, u"2024-12-05", u"00000348",
         u"Ferretería Industrial Núñez S.R.L."},
        {u"2.1.01.00003", u"2024-11-06", 9876.54, u"2024-11-06", u"00000354", u"Papelera Río Paraná S.A."},
        {u"2.1.01.00004", u"2024-11-08", 310000.00, u"2024-12-09", u"00000360",
         u"TRANSPORTES PATAGONICOS DEL SUR S.A."},
        {u"2.1.01.00005", u"2024-11-11", 1234.50, u"2025-01-10", u"00000363",
         u"Cooperativa Agrícola Ganadera de Junín Limitada"},
    };
    // The list load as the cheque window sends it, and the payee as it then finds it: the payment
    // data's text, or the account's description when that is blank or missing.
    const auto cheques =
        rows(db, u"select CuentaDestino, Fecha, Importe, Vencimiento, Numero, \"numero asiento\", TC, "
                 u"Sucursal, letra, "
                 "Secuencia, Tipo_Reg, IdBanco from v_chequesentregados  Where CUENTA = '%1' and "
                 "nrocomprobantebancario='*-' "_s.arg(DemoDb::TestAccount));
    ASSERT_EQ(cheques.size(), std::size(expected));
    for (size_t i = 0; i < cheques.size(); ++i) {
        const auto& row = cheques[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(row[0].toString(), QString::fromUtf16(e.supplier));
        EXPECT_EQ(row[1].toString(), QString::fromUtf16(e.date));
        EXPECT_DOUBLE_EQ(row[2].toDouble(), e.amount);
        EXPECT_EQ(row[3].toString(), QString::fromUtf16(e.dueDate));
        EXPECT_EQ(row[4].toString(), QString::fromUtf16(e.voucher));
        EXPECT_EQ(row[5].toInt(), QString::fromUtf16(e.voucher).toInt());
        EXPECT_EQ(row[6].toString() + row[7].toString() + row[8].toString(), u"OP0001X"_s);
        EXPECT_EQ(row[9].toInt(), 2);
        EXPECT_EQ(row[10].toString(), u"C"_s);
        EXPECT_EQ(row[11].toString(), DemoDb::TestBankId);
        const QString payee =
            scalar(db, u"SELECT COALESCE(NULLIF(TRIM((SELECT datospago FROM ma_cuentasadic WHERE codigo = "
                       u"'%1')), ''), "
                       "(SELECT Descripcion FROM ma_cuentas WHERE Codigo = '%1'))"_s.arg(row[0].toString()))
                .toString();
        EXPECT_EQ(payee, QString::fromUtf16(e.payee));
    }
}

TEST_F(DemoData, TestAccountSeriesBIsFreeFromItsFirstNumber)
{
    // Chequebook of the start number, as the series check asks for it.
    const auto chequebook = rows(
        db,
        u"SELECT IDBANCO,NUMERO_DESDE, NUMERO_HASTA FROM  V_TA_CTRL_CHEQUERAS  WHERE CUENTABANCODIFERIDO = "
        "'%1' AND SERIE ='%2' AND NUMERO_DESDE <=%3 AND NUMERO_HASTA >=%3"_s
            .arg(DemoDb::TestAccount, DemoDb::TestSeries)
            .arg(DemoDb::TestFirstFreeNumber));
    ASSERT_EQ(chequebook.size(), 1u);
    EXPECT_EQ(chequebook[0][0].toString(), DemoDb::TestBankId);
    EXPECT_EQ(chequebook[0][1].toInt(), DemoDb::TestFirstFreeNumber);
    EXPECT_EQ(chequebook[0][2].toInt(), DemoDb::TestLastChequebookNumber);

    // The highest number given in the series on that bank lies below the start number, so only
    // the start number itself is looked up, and no number of the new book is taken anywhere.
    const QVariant highest = scalar(
        db, u"select ifnull(max(substring(nrocomprobantebancario,3,50)),0) as Maximo from mv_asientos where "
            "substring(nrocomprobantebancario,1,1)= '%1' and IDBANCO='%2'"_s.arg(DemoDb::TestSeries,
                                                                                 DemoDb::TestBankId));
    EXPECT_EQ(highest.toString(), u"99"_s);
    QStringList book;
    for (int n = DemoDb::TestFirstFreeNumber; n <= DemoDb::TestLastChequebookNumber; ++n)
        book.append(u"'%1-%2'"_s.arg(DemoDb::TestSeries).arg(n));
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM mv_asientos WHERE nrocomprobantebancario IN (%1)"_s.arg(
                            book.join(u','))),
              0);
    EXPECT_EQ(
        count(db, u"SELECT COUNT(*) FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '%1' AND SERIE = "
                  "'%2' AND NUMERO_HASTA = 99 AND NUMERO_DESDE = 50"_s.arg(DemoDb::TestAccount,
                                                                           DemoDb::TestSeries)),
        1);
}

TEST_F(DemoData, ChequeCountsPerAccountAreTheDocumentedOnes)
{
    struct Expected
    {
        const QString account;
        qint64 numbered;
        qint64 unnumbered;
    };
    const Expected expected[] = {
        {u"1.1.02.01"_s, 45, 20},
        {DemoDb::TestAccount, DemoDb::TestNumberedCheques, DemoDb::TestUnnumberedCheques},
        {u"1.1.02.03"_s, 35, 25},
        {u"1.1.02.04"_s, 60, 30},
        {DemoDb::BenchAccount, 50, DemoDb::BenchUnnumberedCheques},
        {DemoDb::LowerCaseChequeAccount, 10, 10},
        {DemoDb::TransferOnlyAccount, 0, 0},
        {DemoDb::ConfidentialAccount, 5, 5},
    };
    qint64 numbered = 0;
    qint64 unnumbered = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.account.toStdString());
        const QString where =
            u" FROM v_chequesentregados WHERE Cuenta = '%1' AND NROCOMPROBANTEBANCARIO "_s.arg(e.account);
        EXPECT_EQ(count(db, u"SELECT COUNT(*)"_s + where + u"<> '*-'"_s), e.numbered);
        EXPECT_EQ(count(db, u"SELECT COUNT(*)"_s + where + u"= '*-'"_s), e.unnumbered);
        numbered += e.numbered;
        unnumbered += e.unnumbered;
    }
    EXPECT_EQ(numbered, DemoDb::NumberedCheques);
    EXPECT_EQ(unnumbered, DemoDb::UnnumberedCheques);
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM v_chequesentregados"_s), numbered + unnumbered);
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM MV_ASIENTOS"_s), DemoDb::DefaultAccountingLines);

    // The benchmark account's chequebook has fewer numbers left than cheques waiting.
    EXPECT_EQ(
        count(db, u"SELECT MAX(NUMERO_HASTA) FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '%1'"_s.arg(
                      DemoDb::BenchAccount)) -
            count(db, u"SELECT MAX(CAST(substring(NROCOMPROBANTEBANCARIO, 3) AS INTEGER)) FROM "
                      "v_chequesentregados WHERE Cuenta = '%1' AND NROCOMPROBANTEBANCARIO <> '*-'"_s.arg(
                          DemoDb::BenchAccount)),
        DemoDb::BenchFreeNumbers);
}

TEST_F(DemoData, ChequeNumbersAreWellFormedUniqueAndInAChequebookOfTheirAccount)
{
    const QString numbered = u" FROM v_chequesentregados c WHERE NROCOMPROBANTEBANCARIO <> '*-'"_s;
    EXPECT_EQ(count(db, u"SELECT COUNT(*)"_s + numbered +
                            u" AND NOT (NROCOMPROBANTEBANCARIO GLOB '[A-Z]-[1-9]*' AND "
                            "substring(NROCOMPROBANTEBANCARIO, 3) NOT GLOB '*[^0-9]*')"_s),
              0);
    EXPECT_EQ(count(db, u"SELECT COUNT(DISTINCT NROCOMPROBANTEBANCARIO)"_s + numbered),
              DemoDb::NumberedCheques);
    EXPECT_EQ(
        count(db, u"SELECT COUNT(*)"_s + numbered +
                      u" AND NOT EXISTS (SELECT 1 FROM V_TA_CTRL_CHEQUERAS q WHERE q.CUENTABANCODIFERIDO = "
                      "c.Cuenta AND q.IDBANCO = c.IdBanco AND q.SERIE = substring(c.NROCOMPROBANTEBANCARIO, "
                      "1, 1) AND CAST(substring(c.NROCOMPROBANTEBANCARIO, 3) AS INTEGER) BETWEEN "
                      "q.NUMERO_DESDE AND q.NUMERO_HASTA)"_s),
        0);
    // Cheques are drawn only on accounts enabled for them.
    EXPECT_EQ(count(db,
                    u"SELECT COUNT(*) FROM v_chequesentregados c JOIN MA_CUENTAS m ON m.Codigo = c.Cuenta "
                    "WHERE m.MedioDePago <> 'CH' OR m.TIPOVISTA <> 'BC' OR m.IdBanco <> c.IdBanco"_s),
              0);
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '%1'"_s.arg(
                            DemoDb::TransferOnlyAccount)),
              0);
}

TEST_F(DemoData, AccountingLinesAreConsistent)
{
    struct Check
    {
        const char* what;
        const char16_t* statement; // counts the lines that break the rule
    };
    const Check checks[] = {
        {"entries balance",
         u"SELECT COUNT(*) FROM (SELECT Periodo, \"Numero Asiento\" FROM MV_ASIENTOS GROUP BY 1, 2 "
         u"HAVING abs(SUM(CASE DebeHaber WHEN 'D' THEN Importe ELSE -Importe END)) > 0.005)"},
        {"accounts exist and take lines",
         u"SELECT COUNT(*) FROM MV_ASIENTOS a LEFT JOIN MA_CUENTAS c ON c.Codigo = a.Cuenta "
         u"WHERE c.Codigo IS NULL OR c.Imputable = 0"},
        {"cheques are paid to suppliers",
         u"SELECT COUNT(*) FROM v_chequesentregados c WHERE NOT EXISTS "
         u"(SELECT 1 FROM VT_PROVEEDORES p WHERE p.CODIGO = c.CuentaDestino)"},
        {"each cheque's payment debits its supplier",
         u"SELECT COUNT(*) FROM v_chequesentregados c WHERE NOT EXISTS (SELECT 1 FROM MV_ASIENTOS d WHERE "
         u"d.Periodo = c.Periodo AND d.\"Numero Asiento\" = c.\"Numero Asiento\" AND d.Cuenta = "
         u"c.CuentaDestino "
         u"AND d.DebeHaber = 'D' AND d.Importe = c.Importe)"},
        {"dates are ISO dates", u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE date(Fecha) IS NOT Fecha OR "
                                u"(Vencimiento IS NOT NULL AND date(Vencimiento) IS NOT Vencimiento)"},
        {"period and month follow the date",
         u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE Periodo <> CAST(strftime('%Y', Fecha) AS INTEGER) OR "
         u"Mes_Operativo <> CAST(strftime('%m', Fecha) AS INTEGER)"},
        {"fixed dates, whatever today is",
         u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE Fecha NOT BETWEEN '2024-01-01' AND '2024-12-31' OR "
         u"Vencimiento > '2025-03-31'"},
        {"vouchers as the cheque list cuts them",
         u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE length(Sucursal) <> 4 OR length(Numero) <> 8 OR "
         u"length(Letra) <> 1 OR length(TC) > 4"},
        {"cheque lines only carry numbers",
         u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE (Tipo_Reg = 'C') <> (NroComprobanteBancario IS NOT NULL)"},
    };
    for (const Check& c : checks)
        EXPECT_EQ(count(db, QString::fromUtf16(c.statement)), 0) << c.what;
}

TEST_F(DemoData, IdentifiersCarryValidCheckDigits)
{
    for (const char16_t* statement : {u"SELECT CUIT FROM MA_PROVEEDORES", u"SELECT CUIT FROM MA_CLIENTES",
                                      u"SELECT CUIT FROM TA_BANCOS", u"SELECT CUIT FROM MV_MUTUALES"}) {
        for (const auto& row : rows(db, QString::fromUtf16(statement)))
            EXPECT_TRUE(ArgentineIds::isValidCuit(row[0].toString())) << row[0].toString().toStdString();
    }
    const auto cbus = rows(db, u"SELECT CBU FROM MA_CUENTAS WHERE CBU IS NOT NULL UNION ALL "
                               "SELECT CBU FROM ma_cuentasadic WHERE CBU IS NOT NULL"_s);
    EXPECT_GT(cbus.size(), 20u);
    for (const auto& row : cbus)
        EXPECT_TRUE(ArgentineIds::isValidCbu(row[0].toString())) << row[0].toString().toStdString();
}

TEST_F(DemoData, UsersAndTasks)
{
    const QString admin = u"SELECT Administrador FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='%1'"_s;
    EXPECT_EQ(scalar(db, admin.arg(DemoDb::AdminUser)).toInt(), 1);
    EXPECT_EQ(scalar(db, admin.arg(DemoDb::PlainUser)).toInt(), 0);
    const auto task = rows(
        db, u"SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS  "
            "INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = '%1') AND "
            "(TA_MENU.Proceso LIKE '%talonex%')"_s.arg(DemoDb::PlainUser));
    ASSERT_EQ(task.size(), 1u);
    EXPECT_EQ(task[0][3].toString(), u"Impresión de cheques"_s);
}

TEST_F(DemoData, LookupMasksListRows)
{
    // The eleven lookup masks: table, fields and the condition the lookup applies.
    struct Mask
    {
        const char16_t* table;
        const char16_t* fields;
        const char16_t* condition;
        qint64 rows;
    };
    const Mask masks[] = {
        {u"VT_MA_ARTICULOS", u"DESCRIPCION,IDARTICULO", u"SUSPENDIDO = 0", 23},
        {u"VT_CLIENTES", u"RAZON_SOCIAL,CODIGO,CONTACTO", u"Dada_De_Baja = 0", 11},
        {u"VT_PROVEEDORES", u"RAZON_SOCIAL,CODIGO", u"Dada_De_Baja = 0", DemoDb::FixedSupplierCount - 3},
        {u"MA_CONTACTOS", u"Nombre_y_Apellido,Domicilio,Localidad,Telefono", u"1 = 1", 10},
        {u"V_TA_VENDEDORES", u"NOMBRE,IDVENDEDOR", u"1 = 1", 5},
        {u"V_TA_TECNICOS", u"NOMBRE,IDTECNICO", u"1 = 1", 4},
        {u"V_MA_MANTENIMIENTOS", u"DESCRIPCION,CODIGO", u"1 = 1", 6},
        {u"MA_CUENTAS", u"DESCRIPCION,CODIGO", u" (MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC') ", 7},
        {u"V_TA_Tareas", u"Descripcion,IdTarea", u"1 = 1", 11},
        {u"V_TA_UnidadNegocio", u"Descripcion,Codigo", u"1 = 1", 3},
        {u"V_TA_DEPOSITO", u"Descripcion,IdDeposito", u"1 = 1", 4},
    };
    for (const Mask& m : masks) {
        const QString fields = QString::fromUtf16(m.fields);
        const QString statement = u"SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1000"_s.arg(
            fields, QString::fromUtf16(m.table), QString::fromUtf16(m.condition), fields.section(u',', 0, 0));
        EXPECT_EQ(qint64(rows(db, statement).size()), m.rows) << statement.toStdString();
    }
}

TEST_F(DemoData, ArticlesShowEveryStockSituation)
{
    // The article lookup colours rows by reorder point P and stock S.
    const char16_t* situations[] = {
        u"PUNTOPEDIDO = 0 AND Stock > 0",
        u"PUNTOPEDIDO > 0 AND Stock > PUNTOPEDIDO",
        u"PUNTOPEDIDO > 0 AND Stock < PUNTOPEDIDO",
        u"Stock = PUNTOPEDIDO",
    };
    for (const char16_t* situation : situations) {
        const QString statement =
            u"SELECT COUNT(*) FROM V_MA_ARTICULOS WHERE "_s + QString::fromUtf16(situation);
        EXPECT_GT(count(db, statement), 0) << statement.toStdString();
    }
}

TEST_F(DemoData, HierarchicalCodesHangUnderTheirPrefixes)
{
    // The tree lookup hangs a code under the longest code that begins it.
    struct Tree
    {
        const char16_t* table;
        const char16_t* code;
    };
    const Tree trees[] = {{u"V_TA_FAMILIAS", u"IdFamilia"},
                          {u"MA_POSICIONES", u"IDPOSICION"},
                          {u"TA_CCOSTO", u"CODIGO"},
                          {u"MA_CUENTAS", u"Codigo"}};
    for (const Tree& t : trees) {
        const QString table = QString::fromUtf16(t.table);
        const QString code = QString::fromUtf16(t.code);
        EXPECT_EQ(
            count(db, u"SELECT COUNT(*) FROM %1 x WHERE length(x.%2) > (SELECT MIN(length(%2)) FROM %1) AND "
                      "NOT EXISTS (SELECT 1 FROM %1 y WHERE length(y.%2) < length(x.%2) AND "
                      "substr(x.%2, 1, length(y.%2)) = y.%2)"_s.arg(table, code)),
            0)
            << table.toStdString();
    }
    // The family tree's own statement finds each family's parent.
    const auto families = rows(
        db, u"SELECT IdFamilia, Descripcion, (SELECT idfamilia FROM v_ta_familias a  Where a.IdFamilia < "
            "b.IdFamilia And (Length(LTrim(RTrim(a.IdFamilia))) < Length(LTrim(RTrim(b.IdFamilia)))) "
            "ORDER BY idfamilia DESC LIMIT 1) AS \"relative\" FROM V_TA_FAMILIAS b Where IdFamilia<>'' "
            "ORDER BY IdFamilia"_s);
    ASSERT_FALSE(families.empty());
    for (const auto& row : families) {
        const QString family = row[0].toString();
        if (family.size() == 2)
            EXPECT_TRUE(row[2].isNull()) << family.toStdString();
        else
            EXPECT_EQ(row[2].toString(), family.left(family.size() - 2)) << family.toStdString();
    }
}

} // namespace
