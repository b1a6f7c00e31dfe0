// The statements the lookup request builds for the mask path, the automatic path and the caller's
// statement, read from the connection's trace, and the answers it copies back.
#include "LookupFixture.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/MascaraConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QComboBox>
#include <QFile>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LookupStatements : public LookupFixture
{
protected:
    // Shows the lookup, records the statement the window ran and cancels it.
    QString statementOf(const QString& sql, const QString& where = {}, const QString& campo = {},
                        const QString& opcional = {})
    {
        m_sent.clear();
        QString w = where;
        QString c = campo;
        whenModal([](QDialog* d) { d->reject(); });
        Lib_ClsCons3::instance().CampoDevuelto = u"CODIGO"_s;
        Lib_ClsCons3::instance().ConsultaSearch(sql, nullptr, {}, &c, &w, opcional);
        return Lib_ClsCons3::instance().UltimaSentencia();
    }
};

TEST_F(LookupStatements, TheSupplierMaskSelectsItsFieldsOfActiveSuppliers)
{
    const QString sql = statementOf(u"Vt_proveedores"_s);
    EXPECT_EQ(
        sql, u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0 "
             u"ORDER BY RAZON_SOCIAL"_s);
    // The window ran exactly that statement (with the blank it appends).
    EXPECT_EQ(sentWith(u"FROM VT_PROVEEDORES"_s), QStringList{sql + u" "_s});
}

TEST_F(LookupStatements, TheBankAccountLookupOfTheChequeWindow)
{
    // As the cheque window asks for a bank account: the request's own collection and its condition.
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    QString where = u"MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC'"_s;
    QString campo;
    whenModal([](QDialog* d) {
        auto* window = static_cast<Lib_FrmCons3*>(d);
        QComboBox* box = window->CmbSearch(0);
        QTest::keyClicks(box, u"banco mac"_s);
        window->CmdAceptar_Click();
    });
    request.CampoDevuelto = u"CODIGO"_s;
    request.ConsultaSearch(u"MA_CUENTAS"_s, &request.CmpsDevueltos, u""_s, &campo, &where, u""_s, false,
                           u""_s);
    EXPECT_EQ(request.UltimaSentencia(),
              u"SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  WHERE  "
              u"(MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC')  ORDER BY DESCRIPCION"_s);
    EXPECT_EQ(where, u" (MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC') "_s);
    EXPECT_EQ(campo, u"DESCRIPCION"_s);
    EXPECT_EQ(request.ValorDevuelto, u"1.1.02.05"_s);
    EXPECT_TRUE(request.CampoDevuelto.isEmpty());
    EXPECT_TRUE(request.CmpsDevueltos.isEmpty());
}

TEST_F(LookupStatements, ConditionsAreWrappedUnlessShortOrParenthesised)
{
    struct Case
    {
        QString where;
        QString wrapped;
    };
    const Case cases[] = {
        {u""_s, u""_s},
        {u" "_s, u" "_s},
        {u"x"_s, u"x"_s},
        {u"(a = 1)"_s, u"(a = 1)"_s},
        {u"a = 1"_s, u" (a = 1) "_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SentenciaConsulta::EnvuelveCondicion(c.where), c.wrapped) << c.where.toStdString();
}

TEST_F(LookupStatements, TheRowLimitComesFromTopConsArt)
{
    struct Case
    {
        QString value;
        int limit;
    };
    const Case cases[] = {{u"250"_s, 250},    {u""_s, 1000},   {u" "_s, 1000},     {u"0"_s, 1000},
                          {u"mucho"_s, 1000}, {u"-5"_s, 1000}, {u"20000"_s, 20000}};
    for (const Case& c : cases)
        EXPECT_EQ(SentenciaConsulta::LimiteFilas(c.value), c.limit) << c.value.toStdString();

    setCfg(u"TOPCONSART"_s, u"250"_s);
    EXPECT_TRUE(
        statementOf(u"VT_CLIENTES"_s).startsWith(u"SELECT TOP 250 RAZON_SOCIAL,CODIGO,CONTACTO FROM"_s));
}

TEST_F(LookupStatements, AGivenConditionReplacesTheDefaultOneOfTheSpecialTables)
{
    EXPECT_EQ(statementOf(u"VT_PROVEEDORES"_s, u"LOCALIDAD = 'Rosario'"_s),
              u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE  (LOCALIDAD = "
              u"'Rosario')  ORDER BY RAZON_SOCIAL"_s);
    EXPECT_EQ(
        statementOf(u"V_MA_ARTICULOS"_s),
        u"SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS  with(nolock)  WHERE SUSPENDIDO = 0 "
        u"ORDER BY DESCRIPCION"_s);
    // A search column of the caller orders the list instead of the mask's first field.
    EXPECT_EQ(statementOf(u"MA_CUENTAS"_s, {}, u"CODIGO"_s),
              u"SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY CODIGO"_s);
}

TEST_F(LookupStatements, TablesWithoutAMaskListTheirFieldsInReverseWithoutKeysAndTimestamps)
{
    // TA_CCOSTO: CODIGO, Descripcion, Imputable.
    EXPECT_EQ(statementOf(u"TA_CCOSTO"_s),
              u"SELECT TOP 1000 Imputable,Descripcion,CODIGO FROM TA_CCOSTO  ORDER BY "
              u"Descripcion"_s);
    // MA_CONTACTOS has an ID, which is left out; with masks off its own fields are used.
    appState().gUsarMascarasConsultas = false;
    const QString contactos = statementOf(u"MA_CONTACTOS"_s, u"Localidad = 'Rosario'"_s);
    EXPECT_EQ(contactos,
              u"SELECT TOP 1000 Email,Telefono,Localidad,Domicilio,Cargo,Nombre_y_Apellido,Codigo FROM "
              u"MA_CONTACTOS WHERE   (Localidad = 'Rosario')  ORDER BY Codigo"_s);
    // The key of the mutual insurers' list is listed and searched.
    EXPECT_EQ(
        statementOf(u"v_mv_mutuales"_s),
        u"SELECT TOP 1000 FECHAHORA_GRABACION,CUIT,Nombre,ID FROM v_mv_mutuales  ORDER BY FECHAHORA_GRABACION"_s);
    EXPECT_EQ(
        statementOf(u"V_TA_DEPOSITO"_s),
        u"SELECT TOP 1000 Descripcion,IdDeposito,UnidadNegocio FROM V_TA_DEPOSITO  ORDER BY IDDEPOSITO"_s);
    EXPECT_EQ(statementOf(u"TA_CCOSTO"_s, {}, {}, u"SELECT CODIGO FROM TA_CCOSTO"_s),
              u"SELECT CODIGO FROM TA_CCOSTO"_s);
}

TEST_F(LookupStatements, ACallersStatementIsNeverLimitedLockedOrOrdered)
{
    EXPECT_EQ(statementOf(u"select IDARTICULO, DESCRIPCION from V_MA_ARTICULOS"_s, u"IDFAMILIA = '0101'"_s),
              u"select IDARTICULO, DESCRIPCION from VT_MA_ARTICULOS WHERE  (IDFAMILIA = '0101') "_s);
    EXPECT_EQ(statementOf(u"SELECT Codigo, Descripcion FROM TA_CCOSTO ORDER BY Codigo"_s),
              u"SELECT Codigo, Descripcion FROM TA_CCOSTO ORDER BY Codigo"_s);
}

TEST_F(LookupStatements, MasksOnWithoutAMaskFileFallBackToTheTablesOwnFields)
{
    QFile::remove(appState().gRutaMascaraConsultas);
    EXPECT_EQ(statementOf(u"V_TA_RUBROS"_s),
              u"SELECT TOP 1000 Descripcion,IdRubro FROM V_TA_RUBROS  ORDER BY "
              u"Descripcion"_s);
}

TEST_F(LookupStatements, AMaskOfOneFieldAsksForTheConfigurationAndOpensNoWindow)
{
    // One record of the table with a single field, blank-padded as start-up writes them.
    QFile file(appState().gRutaMascaraConsultas);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray record = QByteArray("RUBROS").leftJustified(100, ' ') +
                        QByteArray("V_TA_RUBROS").leftJustified(100, '\0') +
                        QByteArray("|Descripcion|").leftJustified(500, ' ') + QByteArray(500, ' ') + "\r\n";
    file.write(record);
    file.close();

    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    request.ValorDevuelto = u"anterior"_s;
    op().answerMessage(MsgAnswer::Ok, u"Debe configurar la consulta para esta tabla"_s);
    request.ConsultaSearch(u"V_TA_RUBROS"_s);
    EXPECT_EQ(request.ValorDevuelto, u"anterior"_s);
    EXPECT_TRUE(request.UltimaSentencia().isEmpty());
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_EQ(op().shown()[0].title, u"Aviso al operador"_s);
    EXPECT_EQ(op().shown()[0].icon, MessageBoxStyle::Icon::Information);
    // With a search column given the single field is enough.
    QString campo = u"Descripcion"_s;
    whenModal([](QDialog* d) { d->reject(); });
    request.ConsultaSearch(u"V_TA_RUBROS"_s, nullptr, {}, &campo);
    EXPECT_EQ(request.UltimaSentencia(),
              u"SELECT TOP 1000 Descripcion FROM V_TA_RUBROS  with(nolock)  ORDER BY Descripcion"_s);
}

TEST_F(LookupStatements, MaskRecordsAreFoundWhateverTheirPaddingAndCase)
{
    const std::optional<MascaraConsulta> found =
        MascaraConsulta::Busca(appState().gRutaMascaraConsultas, u" ma_cuentas "_s);
    ASSERT_TRUE(found);
    EXPECT_EQ(MascaraConsulta::Limpia(found->Titulo), u"CUENTAS"_s);
    EXPECT_EQ(MascaraConsulta::Limpia(found->Campos), u"|DESCRIPCION|CODIGO|"_s);
    EXPECT_FALSE(MascaraConsulta::Busca(appState().gRutaMascaraConsultas, u"TA_CCOSTO"_s));
    EXPECT_FALSE(MascaraConsulta::Busca(programFolder() + u"no_existe.tso"_s, u"MA_CUENTAS"_s));
    EXPECT_EQ(MascaraConsulta::Limpia(QString(u"\0AB\u00FF "_s)), u"AB"_s);
}

TEST_F(LookupStatements, AStatementThatCannotBeOpenedIsReportedOnceAndOpensNoWindow)
{
    // A missing table (its fields cannot be listed) and a caller's statement the database rejects:
    // the data layer's box, whatever the answer, and then nothing more: no empty window, no second
    // box about rows that were never read, and the caller reads nothing picked.
    struct Case
    {
        QString sql;
        bool treeView;
        int answer;
    };
    const Case cases[] = {
        {u"NO_EXISTE"_s, false, MsgAnswer::Ignore},
        {u"NO_EXISTE"_s, false, MsgAnswer::Abort},
        {u"SELECT CODIGO FROM TA_CCOSTO WHERE"_s, false, MsgAnswer::Abort},
        {u"SELECT CODIGO, Descripcion FROM NO_EXISTE"_s, true, MsgAnswer::Abort},
    };
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        request.ValorDevuelto = u"anterior"_s;
        request.Valores = QStringList{u"x"_s};
        QStringList columns{u"CODIGO"_s};
        op().answerMessage(c.answer);
        request.CampoDevuelto = u"CODIGO"_s;
        request.ConsultaSearch(c.sql, &columns, {}, nullptr, nullptr, {}, c.treeView);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(request.ValorDevuelto.isEmpty());
        EXPECT_TRUE(request.Valores.isEmpty());
        EXPECT_TRUE(request.CampoDevuelto.isEmpty());
        EXPECT_TRUE(columns.isEmpty());
        ASSERT_EQ(op().shown().size(), 1);
        EXPECT_FALSE(op().shown()[0].text.contains(u"3704"_s)) << op().shown()[0].text.toStdString();
        // A table whose fields cannot be listed gives no statement at all.
        if (!c.sql.contains(u"SELECT"_s)) {
            EXPECT_TRUE(request.UltimaSentencia().isEmpty());
        }
        verifyOperator();
    }
}

TEST_F(LookupStatements, AReSearchTheDatabaseRejectsIsReportedOnceAndTheWindowStaysOpen)
{
    exec(u"CREATE VIEW V_CCOSTO_PASAJERA AS SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s);
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([this](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        EXPECT_GT(w->ListView1()->topLevelItemCount(), 0);
        exec(u"DROP VIEW V_CCOSTO_PASAJERA"_s);
        op().answerMessage(MsgAnswer::Abort);
        QTest::keyClicks(w->CmbSearch(0), u"a"_s);
        QTest::keyClick(w->CmbSearch(0), Qt::Key_F5);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->ListView1()->topLevelItemCount(), 0);
        ASSERT_EQ(op().shown().size(), 1);
        EXPECT_FALSE(op().shown()[0].text.contains(u"3704"_s)) << op().shown()[0].text.toStdString();
        QTest::keyClick(w->CmbSearch(0), Qt::Key_Escape);
    });
    request.CampoDevuelto = u"CODIGO"_s;
    request.ConsultaSearch(u"SELECT CODIGO, Descripcion FROM V_CCOSTO_PASAJERA"_s);
    EXPECT_TRUE(request.ValorDevuelto.isEmpty());
    EXPECT_EQ(op().shown().size(), 1);
}

TEST_F(LookupStatements, ReSearchStatementsQuoteTheTypedText)
{
    QString base =
        u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0 "
        u"ORDER BY RAZON_SOCIAL "_s;
    QString cola;
    const QString original = base;
    EXPECT_EQ(
        SentenciaConsulta::BusquedaLista(original, u"RAZON_SOCIAL"_s, u"juan perez"_s, true, base, cola),
        u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0  and "
        u"RAZON_SOCIAL like '%juan%perez%' ORDER BY RAZON_SOCIAL "_s);
    EXPECT_EQ(cola, u"ORDER BY RAZON_SOCIAL "_s);
    QString sentencia = u"select * from V_MA_ARTICULOS "_s;
    base = sentencia;
    EXPECT_EQ(SentenciaConsulta::BusquedaLista(sentencia, u"DESCRIPCION"_s, u"O'Hig*ns"_s, false, base, cola),
              u"select * from V_MA_ARTICULOS  where DESCRIPCION like 'O''Hig%ns%' "_s);
    sentencia = u"select v_ma_articulos.IdRubro, count(*) from v_ma_articulos Group By IdRubro"_s;
    base = sentencia;
    EXPECT_EQ(SentenciaConsulta::BusquedaLista(sentencia, u"IdRubro"_s, u"0"_s, false, base, cola),
              u"select v_ma_articulos.IdRubro, count(*) from v_ma_articulos  where v_ma_articulos.IdRubro "
              u"like '0%' "
              u"Group By IdRubro"_s);
    EXPECT_EQ(SentenciaConsulta::BusquedaArbol(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s, u"d'a"_s, base,
                                               cola),
              u"SELECT CODIGO, Descripcion FROM TA_CCOSTO where Descripcion like '%d''a%' "_s);
}

} // namespace
