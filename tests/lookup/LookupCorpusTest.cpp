// Every statement the lookups build, for every branch of their builders, run through the data layer
// on the demo database: the engine must take each one. The statements come from the connection's
// trace, so a failure names the statement that broke.
#include "LookupFixture.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/MascaraConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QComboBox>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LookupCorpus : public LookupFixture
{
protected:
    void expectRuns(const QString& what, const std::function<void()>& builder)
    {
        m_sent.clear();
        builder();
        EXPECT_FALSE(m_sent.isEmpty()) << what.toStdString() << ": no statement reached the connection";
        EXPECT_TRUE(DataGlobals::gDB().gCnn().errors().isEmpty())
            << what.toStdString() << ": "
            << DataGlobals::gDB().gCnn().errors().value(0).description.toStdString()
            << "\n  last statement: " << m_sent.value(m_sent.size() - 1).toStdString();
        EXPECT_TRUE(op().unexpected().isEmpty())
            << what.toStdString() << ": " << op().problems().toStdString();
    }

    // A list window loaded on `sql`, F5 on each of its boxes with `text`, then unloaded.
    void list(const QString& sql, const QString& text, bool contains, int boxes = -1)
    {
        Lib_FrmCons3 w;
        w.sql = sql;
        w.CfgUsaConsultaLIKE = contains;
        w.show();
        const int count = boxes < 0 ? w.ListView1()->columnCount() : boxes;
        for (int i = 0; i < count; ++i) {
            w.CmbSearch(i)->setEditText(text);
            QTest::keyClick(w.CmbSearch(i), Qt::Key_F5);
        }
        w.hide();
        w.Descargar();
    }
};

TEST_F(LookupCorpus, EveryMaskAndAutomaticStatementRunsWithItsReSearches)
{
    const QStringList masks{u"V_MA_ARTICULOS"_s,      u"VT_CLIENTES"_s,     u"VT_PROVEEDORES"_s,
                            u"MA_CONTACTOS"_s,        u"V_TA_VENDEDORES"_s, u"V_TA_TECNICOS"_s,
                            u"V_MA_MANTENIMIENTOS"_s, u"MA_CUENTAS"_s,      u"V_TA_Tareas"_s,
                            u"V_TA_UnidadNegocio"_s,  u"V_TA_DEPOSITO"_s};
    for (const QString& table : masks) {
        const std::optional<MascaraConsulta> mask =
            MascaraConsulta::Busca(appState().gRutaMascaraConsultas, table);
        ASSERT_TRUE(mask) << table.toStdString();
        QString campo;
        bool falta = false;
        const QString where = SentenciaConsulta::EnvuelveCondicion(u"1 = 1"_s);
        for (const QString& w : {QString(), where}) {
            campo.clear();
            const QString sql = SentenciaConsulta::DeMascara(*mask, 1000, campo, w, falta);
            expectRuns(table, [&] { list(sql, u"a b'c"_s, true); });
            expectRuns(table, [&] { list(sql, u"a*"_s, false); });
        }
    }
    for (const QString& table :
         {u"TA_CCOSTO"_s, u"V_TA_RUBROS"_s, u"V_TA_UNIDAD"_s, u"v_mv_mutuales"_s, u"V_MV_TROPA_STOCK"_s,
          u"V_TA_DEPOSITO"_s, u"MA_POSICIONES"_s, u"V_TA_CAJAS"_s, u"STK_MA_ARTICULOS"_s}) {
        QString campo;
        expectRuns(table, [&] {
            const QString sql =
                SentenciaConsulta::Automatica(table, 1000, campo, u" (1 = 1) "_s, {}, DataGlobals::gDB());
            list(sql, u"0"_s, false);
        });
    }
    expectRuns(u"articles grouped"_s, [&] {
        list(u"select v_ma_articulos.IdRubro, count(*) as Cuantos from v_ma_articulos Group By IdRubro"_s,
             u"0"_s, false, 1);
    });
}

TEST_F(LookupCorpus, TheTreeBuildersAndLookUpsRun)
{
    for (const QString& campo : {u"IDFAMILIA"_s, u"IDPOSICION"_s, u"CODIGO"_s}) {
        for (const QString& sql : {u"select IdFamilia, Descripcion from v_ta_familias"_s,
                                   u"SELECT IDPOSICION, Descripcion FROM MA_POSICIONES ORDER BY IDPOSICION"_s,
                                   u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s}) {
            expectRuns(campo + u" "_s + sql, [&] {
                Lib_FrmCons3Tree w;
                w.sql = sql;
                w.CampoDevuelto = campo;
                w.show();
                w.CmbSearch()->setEditText(u"a'b"_s);
                QTest::keyClick(w.CmbSearch(), Qt::Key_F5);
                w.TreeV()->setCurrentItem(w.TreeV()->topLevelItem(0));
                w.CmdAceptar_Click();
                w.hide();
            });
        }
    }
}

TEST_F(LookupCorpus, TheShortageReportRunsForAPlainUserToo)
{
    DataGlobals::gDB().gCnn().close();
    DataGlobals::reset();
    openMain(u"JPEREZ"_s);
    DataGlobals::gDB().gCnn().setTracer([this](const QString& statement) { m_sent << statement; });
    expectRuns(u"F12"_s, [&] {
        Lib_FrmCons3 w;
        w.sql = u"SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS"_s;
        w.show();
        op().answerMessage(MsgAnswer::Yes);
        QTest::keyClick(w.ListView1(), Qt::Key_F12);
        w.hide();
    });
    EXPECT_EQ(scalar(u"SELECT Usuario FROM MV_FALTANTES"_s).toString(), u"JPEREZ"_s);
    expectRuns(u"MA_CUENTAS restricted"_s, [&] {
        QString campo;
        QString where = u" (MEDIODEPAGO = 'CH' AND TIPOVISTA = 'BC') "_s;
        bool falta = false;
        list(SentenciaConsulta::DeMascara(
                 *MascaraConsulta::Busca(appState().gRutaMascaraConsultas, u"MA_CUENTAS"_s), 1000, campo,
                 where, falta),
             u"banco"_s, false);
    });
}

TEST_F(LookupCorpus, EveryPathRunsForBothUsersWithApostrophesInTheValues)
{
    // The plain user's statements read the restricted views; the condition and the typed texts carry
    // apostrophes, which only a literal made through the SQL-literal helper survives.
    const QString condicion = u"'O''Higgins' <> ''"_s;
    for (const QString& user : {u"TESSARO"_s, u"JPEREZ"_s}) {
        SCOPED_TRACE(user.toStdString());
        DataGlobals::gDB().gCnn().close();
        DataGlobals::reset();
        openMain(user);
        DataGlobals::gDB().gCnn().setTracer([this](const QString& statement) { m_sent << statement; });
        for (const QString& table : {u"MA_CUENTAS"_s, u"VT_PROVEEDORES"_s, u"V_TA_DEPOSITO"_s}) {
            const std::optional<MascaraConsulta> mask =
                MascaraConsulta::Busca(appState().gRutaMascaraConsultas, table);
            ASSERT_TRUE(mask) << table.toStdString();
            QString campo;
            bool falta = false;
            const QString sql = SentenciaConsulta::DeMascara(
                *mask, 1000, campo, SentenciaConsulta::EnvuelveCondicion(condicion), falta);
            expectRuns(u"mask "_s + table, [&] { list(sql, u"O'Hig gins"_s, true); });
        }
        for (const QString& table : {u"V_TA_FAMILIAS"_s, u"V_TA_CAJAS"_s, u"TA_CCOSTO"_s}) {
            QString campo;
            const QString sql = SentenciaConsulta::Automatica(
                table, 1000, campo, SentenciaConsulta::EnvuelveCondicion(condicion), {}, DataGlobals::gDB());
            expectRuns(u"automatic "_s + table, [&] { list(sql, u"O'H*"_s, false); });
        }
        for (QString where : {condicion, u" WHERE Descripcion <> 'O''Higgins'"_s}) {
            const QString sql = SentenciaConsulta::DelLlamador(
                u"SELECT IdArticulo, Descripcion FROM V_MA_ARTICULOS"_s, where);
            expectRuns(u"caller's "_s + where, [&] {
                list(sql, u"O'Hig gins"_s, true);
                list(sql, u"O'H*"_s, false);
            });
        }
        expectRuns(u"shortage report"_s, [&] {
            Lib_FrmCons3 w;
            w.sql =
                u"SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS WHERE DESCRIPCION <> 'O''Higgins'"_s;
            w.show();
            op().answerMessage(MsgAnswer::Yes);
            QTest::keyClick(w.ListView1(), Qt::Key_F12);
            w.hide();
        });
    }
}

} // namespace
