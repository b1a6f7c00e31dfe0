// The demo schema: every object the program and its lookups reach, with the columns they name;
// text compared without regard to case; the insertable shortage view; the restricted views; and
// the query plans of the cheque statements.
#include "demo/DemoDatabase.h"
#include "support/DemoDbFixture.h"

#include "DemoQuery.h"

#include <QSet>
#include <QSqlRecord>
#include <QStringList>

using namespace Qt::StringLiterals;
using DemoQuery::count;
using DemoQuery::rows;
using DemoQuery::scalar;

namespace {

struct ObjectCase
{
    const char16_t* name;
    const char16_t* type; // "table" or "view"
    const char16_t* columns;
};

void PrintTo(const ObjectCase& c, std::ostream* os)
{
    *os << QString::fromUtf16(c.name).toStdString();
}

// Each object with the columns its readers and writers name, written as they write them.
const ObjectCase Objects[] = {
    {u"MA_CUENTAS", u"table", u"Codigo, CodigoOpcional, Descripcion, MedioDePago, TIPOVISTA, IdCuenta"},
    {u"ma_cuentasadic", u"table", u"codigo, datospago"},
    {u"vt_proveedores", u"view", u"Codigo, RAZON_SOCIAL, Dada_De_Baja"},
    {u"MV_ASIENTOS", u"table",
     u"tc, sucursal, numero, letra, cuenta, secuencia, mes_operativo, [numero asiento], periodo, tipo_reg, "
     u"idbanco, NroComprobanteBancario, Fecha, Detalle, Importe, Vencimiento, CuentaDestino, Moneda, "
     u"Cotizacion, Clearing"},
    {u"v_chequesentregados", u"view",
     u"NROCOMPROBANTEBANCARIO, Fecha, Detalle, Importe, Vencimiento, CuentaDestino, TC, Sucursal, Numero, "
     u"letra, Cuenta, Secuencia, Mes_Operativo, [numero asiento], Periodo, Tipo_Reg, IdBanco, Moneda, "
     u"Cotizacion, Clearing"},
    {u"V_TA_CTRL_CHEQUERAS", u"view", u"IDBANCO, CUENTABANCODIFERIDO, SERIE, NUMERO_DESDE, NUMERO_HASTA"},
    {u"AUX_IMPRESION", u"table",
     u"USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, IMPORTEENLETRA, SERIE, NUMERO"},
    {u"ta_configuracion", u"table", u"Clave, Valor, ValorAux, Grupo, PoliticaNegocio"},
    {u"AUX_ERR", u"table", u"Proceso, Fecha, Error, Descripcion, sql, PC, Usuario"},
    {u"Control_Acceso", u"table", u"Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario"},
    {u"TA_TAREAS", u"table", u"USUARIO, TAREA"},
    {u"TA_MENU", u"table", u"Proceso, Clave, Nombre"},
    {u"TA_USUARIOS", u"table", u"Nombre, Administrador, UNegocio, verproforma"},
    {u"V_MA_ARTICULOS", u"view",
     u"DESCRIPCION, IDARTICULO, PUNTOPEDIDO, Stock, SUSPENDIDO, PRECIO1, PRECIO2, PRECIO3, PRECIO4, "
     u"PRECIO5, PRECIO6, PRECIO7, PRECIO8"},
    {u"VT_MA_ARTICULOS", u"view", u"DESCRIPCION, IDARTICULO, PUNTOPEDIDO, Stock, SUSPENDIDO"},
    {u"STK_MA_ARTICULOS", u"view", u"IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock"},
    {u"VT_CLIENTES", u"view", u"RAZON_SOCIAL, CODIGO, CONTACTO, Dada_De_Baja"},
    {u"VT_PROVEEDORES", u"view", u"RAZON_SOCIAL, CODIGO, Dada_De_Baja"},
    {u"MA_CONTACTOS", u"table", u"Nombre_y_Apellido, Domicilio, Localidad, Telefono, ID"},
    {u"V_TA_VENDEDORES", u"view", u"NOMBRE, IDVENDEDOR"},
    {u"V_TA_TECNICOS", u"view", u"NOMBRE, IDTECNICO"},
    {u"V_MA_MANTENIMIENTOS", u"view", u"DESCRIPCION, CODIGO"},
    {u"V_TA_Tareas", u"view", u"Descripcion, IdTarea"},
    {u"V_TA_UnidadNegocio", u"view", u"Descripcion, Codigo"},
    {u"V_TA_DEPOSITO", u"view", u"Descripcion, IdDeposito, UnidadNegocio"},
    {u"V_TA_RUBROS", u"view", u"IdRubro, Descripcion"},
    {u"V_TA_UNIDAD", u"view", u"IdUnidad, Descripcion"},
    {u"V_TA_CAJAS", u"view", u"IdCaja, Descripcion"},
    {u"v_mv_mutuales", u"view", u"ID, FECHAHORA_GRABACION"},
    {u"V_MV_TROPA_STOCK", u"view", u"ID, FECHAHORA_GRABACION"},
    {u"V_MV_FALTANTES", u"view", u"FechaHora, IdArticulo, Descripcion, Usuario"},
    {u"MA_POSICIONES", u"table", u"IDPOSICION, Descripcion"},
    {u"TA_CCOSTO", u"table", u"CODIGO, Descripcion"},
    {u"V_TA_FAMILIAS", u"view", u"IdFamilia, Descripcion"},
    {u"AC_CUENTASDIARIO", u"view", u"Cuenta, Fecha, Debe, Haber"},
    {u"AC_CUENTASDIARIO_CCOSTO", u"view", u"Cuenta, CCosto, Fecha, Debe, Haber"},
    {u"SS_MA_CUENTAS", u"view", u"Codigo, CodigoOpcional, Descripcion, MedioDePago, TIPOVISTA"},
    {u"SS_MV_ASIENTOS", u"view", u"cuenta, NroComprobanteBancario, [numero asiento], idbanco"},
    {u"SS_V_TA_DEPOSITO", u"view", u"Descripcion, IdDeposito, UnidadNegocio"},
    {u"SS_V_TA_FAMILIAS", u"view", u"IdFamilia, Descripcion"},
    {u"SS_V_TA_CAJAS", u"view", u"IdCaja, Descripcion"},
    {u"SS_AC_CUENTASDIARIO", u"view", u"Cuenta, Fecha, Debe, Haber"},
    {u"SS_AC_CUENTAS_DIARIO_CCOSTO", u"view", u"Cuenta, CCosto, Fecha, Debe, Haber"},
};

/// Bracketed names are the suite's dialect; the file is SQLite's.
QString sqliteColumns(const char16_t* columns)
{
    return QString::fromUtf16(columns).replace(u'[', u'"').replace(u']', u'"');
}

QStringList fieldNames(QSqlDatabase& db, const QString& object)
{
    const QSqlRecord record = db.record(object);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

class DemoObject : public DemoDbFixture, public ::testing::WithParamInterface<ObjectCase>
{
};

TEST_P(DemoObject, ExistsWithItsColumnsAndSelects)
{
    QSqlDatabase db = openMainDatabase();
    const ObjectCase& c = GetParam();
    const QString name = QString::fromUtf16(c.name);
    EXPECT_EQ(
        scalar(db, u"SELECT type FROM sqlite_master WHERE name = '%1' COLLATE NOCASE"_s.arg(name)).toString(),
        QString::fromUtf16(c.type));
    QSqlQuery query(db);
    const QString statement = u"SELECT %1 FROM %2 LIMIT 5"_s.arg(sqliteColumns(c.columns), name);
    ASSERT_TRUE(query.exec(statement))
        << statement.toStdString() << "\n -> " << query.lastError().text().toStdString();
    // The log and print tables start empty; everything else has rows to show.
    const QSet<QString> startEmpty{u"AUX_IMPRESION"_s, u"AUX_ERR"_s, u"Control_Acceso"_s};
    EXPECT_EQ(query.next(), !startEmpty.contains(name)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Objects, DemoObject, ::testing::ValuesIn(Objects),
                         [](const ::testing::TestParamInfo<ObjectCase>& info) {
                             return QString::fromUtf16(info.param.name).toStdString();
                         });

class DemoSchema : public DemoDbFixture
{
};

TEST_F(DemoSchema, EveryViewSelects)
{
    QSqlDatabase db = openMainDatabase();
    const auto views = rows(db, u"SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name"_s);
    ASSERT_GE(views.size(), 25u);
    for (const auto& view : views) {
        QSqlQuery query(db);
        const QString name = view.front().toString();
        EXPECT_TRUE(query.exec(u"SELECT * FROM \"%1\" LIMIT 1"_s.arg(name)))
            << name.toStdString() << ": " << query.lastError().text().toStdString();
    }
}

TEST_F(DemoSchema, TextComparesWithoutRegardToCase)
{
    QSqlDatabase db = openMainDatabase();
    struct Case
    {
        const char16_t* statement;
        qint64 expected;
    };
    const Case cases[] = {
        {u"SELECT COUNT(*) FROM VT_PROVEEDORES WHERE RAZON_SOCIAL = 'distribuidora del litoral s.a.'", 1},
        {u"SELECT COUNT(*) FROM vt_proveedores WHERE RAZON_SOCIAL = 'DISTRIBUIDORA DEL LITORAL S.A.'", 1},
        {u"SELECT COUNT(*) FROM VT_CLIENTES WHERE RAZON_SOCIAL = 'SUPERMERCADOS DEL CENTRO S.A.'", 1},
        // The bank lookup's condition, and the lower-case 'ch' account among its answers.
        {u"SELECT COUNT(*) FROM MA_CUENTAS WHERE MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC'", 7},
        {u"SELECT COUNT(*) FROM MA_CUENTAS WHERE mediodepago = 'ch' AND tipovista = 'bc'", 7},
        {u"SELECT COUNT(*) FROM MA_CUENTAS WHERE CodigoOpcional = 'gal'", 1},
        {u"SELECT COUNT(*) FROM v_chequesentregados WHERE Cuenta = '1.1.02.02' AND "
         u"nrocomprobantebancario = '*-' AND letra = 'x' AND tc = 'op'",
         5},
        {u"SELECT COUNT(*) FROM mv_asientos WHERE nrocomprobantebancario = 'b-50'", 1},
        {u"SELECT COUNT(*) FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '1.1.02.02' AND SERIE = 'b'",
         2},
        {u"SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE = 'ss_confidencialidad'", 1},
        {u"SELECT COUNT(*) FROM TA_USUARIOS WHERE Nombre = 'tessaro'", 1},
        {u"SELECT COUNT(*) FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave "
         u"WHERE TA_TAREAS.USUARIO = 'jperez' AND TA_MENU.Proceso LIKE '%talonex%'",
         1},
        {u"SELECT COUNT(*) FROM V_MA_ARTICULOS WHERE DESCRIPCION = 'YERBA MATE CON PALO 1 KG'", 1},
        {u"SELECT COUNT(*) FROM VT_MA_ARTICULOS WHERE descripcion = 'yerba mate con palo 1 kg'", 1},
        {u"SELECT COUNT(*) FROM SS_MA_CUENTAS WHERE mediodepago = 'ch' AND tipovista = 'bc'", 6},
    };
    for (const Case& c : cases) {
        const QString statement = QString::fromUtf16(c.statement);
        EXPECT_EQ(count(db, statement), c.expected) << statement.toStdString();
    }
}

TEST_F(DemoSchema, ShortageViewTakesTheLookupsInsert)
{
    QSqlDatabase db = openMainDatabase();
    QSqlQuery insert(db);
    ASSERT_TRUE(insert.exec(u"INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
                            "values('15/11/2024 10:22:05','2102','Vino blanco Torrontés 750 ml','JPEREZ')"_s))
        << insert.lastError().text().toStdString();
    EXPECT_EQ(count(db,
                    u"SELECT COUNT(*) FROM V_MV_FALTANTES WHERE IdArticulo = '2102' AND Usuario = 'jperez' "
                    "AND Descripcion = 'Vino blanco Torrontés 750 ml' AND Atendido = 0"_s),
              1);
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM MV_FALTANTES"_s), 2);
}

TEST_F(DemoSchema, AccountingLineKeyIsUniqueAndTheNumberingUpdateHitsOneLine)
{
    QSqlDatabase db = openMainDatabase();
    const QString key =
        u"FROM MV_ASIENTOS WHERE Cuenta = '%1' AND NroComprobanteBancario = '*-' ORDER BY rowid LIMIT 1"_s
            .arg(DemoDb::TestAccount);
    const auto line = rows(db, u"SELECT tc, sucursal, numero, letra, cuenta, secuencia, mes_operativo, "
                               "\"numero asiento\", periodo, tipo_reg, idbanco "_s +
                                   key);
    ASSERT_EQ(line.size(), 1u);
    const auto& v = line.front();

    // A second line with the same eleven key values is refused.
    QSqlQuery duplicate(db);
    EXPECT_FALSE(duplicate.exec(
        u"INSERT INTO MV_ASIENTOS (TC, Sucursal, Numero, Letra, Cuenta, Secuencia, Mes_Operativo, "
        "\"Numero Asiento\", Periodo, Tipo_Reg, IdBanco, Fecha, DebeHaber, Importe) "
        "SELECT TC, Sucursal, Numero, Letra, Cuenta, Secuencia, Mes_Operativo, \"Numero Asiento\", Periodo, "
        "Tipo_Reg, IdBanco, Fecha, DebeHaber, Importe "_s +
        key));

    // The number is written back with every key value as a quoted text, numbers included.
    QStringList values;
    for (const QVariant& value : v)
        values.append(u"'"_s + value.toString() + u"'"_s);
    QSqlQuery update(db);
    ASSERT_TRUE(
        update.exec(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='B-100' WHERE tc=%1 and sucursal= %2 "
                    "and numero= %3 and letra= %4 and cuenta= %5 and secuencia= %6 and mes_operativo= %7 "
                    "and \"numero asiento\"=%8 and periodo=%9 and tipo_reg=%10 and idbanco= %11"_s
                        .arg(values[0], values[1], values[2], values[3], values[4], values[5], values[6],
                             values[7], values[8])
                        .arg(values[9], values[10])))
        << update.lastError().text().toStdString();
    EXPECT_EQ(update.numRowsAffected(), 1);
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM v_chequesentregados WHERE NROCOMPROBANTEBANCARIO = 'B-100'"_s),
              1);
}

TEST_F(DemoSchema, RestrictedViewsHaveTheBaseColumnsAndHideWhatIsReserved)
{
    QSqlDatabase db = openMainDatabase();
    struct Case
    {
        const char16_t* base;
        const char16_t* restricted;
        const char16_t* hiddenCondition; // rows of the base the restricted view leaves out
    };
    const Case cases[] = {
        {u"MA_CUENTAS", u"SS_MA_CUENTAS", u"Codigo = '1.1.02.08'"},
        {u"MV_ASIENTOS", u"SS_MV_ASIENTOS", u"Cuenta = '1.1.02.08'"},
        {u"V_TA_DEPOSITO", u"SS_V_TA_DEPOSITO", u"Restringido = 1"},
        {u"V_TA_FAMILIAS", u"SS_V_TA_FAMILIAS", u"Restringida = 1"},
        {u"V_TA_CAJAS", u"SS_V_TA_CAJAS", u"Restringida = 1"},
        {u"AC_CUENTASDIARIO", u"SS_AC_CUENTASDIARIO", u"Cuenta = '1.1.02.08'"},
        {u"AC_CUENTASDIARIO_CCOSTO", u"SS_AC_CUENTAS_DIARIO_CCOSTO", u"0"},
    };
    for (const Case& c : cases) {
        const QString base = QString::fromUtf16(c.base);
        const QString restricted = QString::fromUtf16(c.restricted);
        SCOPED_TRACE(restricted.toStdString());
        EXPECT_EQ(fieldNames(db, restricted), fieldNames(db, base));
        const qint64 hidden =
            count(db, u"SELECT COUNT(*) FROM %1 WHERE %2"_s.arg(base, QString::fromUtf16(c.hiddenCondition)));
        EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM "_s + restricted),
                  count(db, u"SELECT COUNT(*) FROM "_s + base) - hidden);
        if (QStringView(c.hiddenCondition) != u"0") {
            EXPECT_GT(hidden, 0);
        }
    }
    // What the cheque window needs stays visible to a plain user.
    EXPECT_EQ(
        count(db, u"SELECT COUNT(*) FROM SS_MA_CUENTAS WHERE Codigo = '%1' AND MedioDePago = 'CH'"_s.arg(
                      DemoDb::TestAccount)),
        1);
}

TEST_F(DemoSchema, ChequeStatementsAreIndexSearches)
{
    QSqlDatabase db = openMainDatabase();
    // The statements of the cheque window and the lookups, as they reach SQLite.
    const char16_t* statements[] = {
        u"select * from v_chequesentregados  Where CUENTA = '1.1.02.02' and nrocomprobantebancario='*-' ",
        u"select * from mv_asientos where nrocomprobantebancario='B-100'",
        u"select ifnull(max(substring(nrocomprobantebancario,3,50)),0) as Maximo from mv_asientos where "
        u"substring(nrocomprobantebancario,1,1)= 'B' and IDBANCO='007'",
        u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='B-100' WHERE tc='OP' and sucursal= '0001' and "
        u"numero= "
        u"'00000341' and letra= 'X' and cuenta= '1.1.02.02' and secuencia= '2' and mes_operativo= '11' and "
        u"\"numero asiento\"='341' and periodo='2024' and tipo_reg='C' and idbanco= '007'",
        u"SELECT * FROM MA_CUENTAS WHERE Codigo =  '1.1.02.02'",
        u"SELECT * FROM MA_CUENTAS WHERE CodigoOpcional =  'GAL'",
        u"SELECT * FROM ma_cuentasadic WHERE codigo = '2.1.01.00001'",
        u"SELECT VALOR, valoraux FROM ta_configuracion WHERE CLAVE = 'RPTFCH_1.1.02.02'",
        u"DELETE FROM AUX_IMPRESION WHERE USUARIO = 'PC01|JUAN' AND CUENTA = '1.1.02.02'",
    };
    for (const char16_t* text : statements) {
        const QString statement = QString::fromUtf16(text);
        QStringList plan;
        for (const auto& row : rows(db, u"EXPLAIN QUERY PLAN "_s + statement))
            plan.append(row.back().toString());
        const QString joined = plan.join(u" | "_s);
        EXPECT_TRUE(joined.contains(u"SEARCH"_s) && !joined.contains(u"SCAN"_s))
            << statement.toStdString() << "\n -> " << joined.toStdString();
    }
}

TEST_F(DemoSchema, StatisticsDatabaseHoldsItsTimeOut)
{
    QSqlDatabase db = openStatisticsDatabase();
    EXPECT_EQ(scalar(db, u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TimeOut'"_s).toString(),
              u"300"_s);
    QSqlQuery write(db);
    ASSERT_TRUE(write.exec(u"INSERT INTO ta_configuracion (Clave, Valor, Grupo, PoliticaNegocio) "
                           "VALUES ('UltimaDepuracion', '2024-12-31', 'BaseDeDatos', 0)"_s))
        << write.lastError().text().toStdString();
    EXPECT_EQ(count(db, u"SELECT COUNT(*) FROM ta_configuracion"_s), 2);
}

} // namespace
