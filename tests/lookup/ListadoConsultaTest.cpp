// What a list lookup lists, built without a window from real recordsets of the demo database:
// column headers and widths in letters, row texts, ticks and stock colours.
#include "lookup/ListadoConsulta.h"
#include "data/AdoRecordset.h"
#include "support/ProgramFixture.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Listado : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        openMain();
    }

    void TearDown() override
    {
        DataGlobals::gDB().CierraRecordset(&m_rs);
        ProgramFixture::TearDown();
    }

    AdoRecordset& abre(QString sql)
    {
        DataGlobals::gDB().CierraRecordset(&m_rs);
        m_rs = AdoRecordset();
        DataGlobals::gDB().AbrirRecordset(sql, m_rs, nullptr, 0, 1, -1, true);
        EXPECT_TRUE(m_rs.isOpen()) << sql.toStdString();
        return m_rs;
    }

    QList<ListadoConsulta::Columna> columnas(const QString& sql, const QString& valoresDefault = {})
    {
        QList<ListadoConsulta::Columna> out;
        ListadoConsulta::Encolumnar(abre(sql), sql, valoresDefault, out);
        return out;
    }

    static ListadoConsulta::Opciones opciones(const QString& sql)
    {
        ListadoConsulta::Opciones o;
        o.sql = sql;
        return o;
    }

    AdoRecordset m_rs;
};

TEST_F(Listado, ColumnsTakeTheFieldSizeInLettersCappedAndWidenedByTen)
{
    struct Case
    {
        QString sql;
        QString valoresDefault;
        int first;
        int second;
        bool ensanchada;
    };
    const Case cases[] = {
        {u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s, {}, 10, 60, false},
        {u"SELECT Codigo, Descripcion FROM MA_CUENTAS"_s, {}, 15, 60, false},
        {u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s, u"@10"_s, 20, 70, true},
        // A numeric field is twelve letters whatever its size.
        {u"SELECT IdArticulo, Precio1 FROM MA_ARTICULOS"_s, {}, 20, 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        const QList<ListadoConsulta::Columna> cols = columnas(c.sql, c.valoresDefault);
        ASSERT_EQ(cols.size(), 2);
        EXPECT_EQ(cols[0].letras, c.first);
        EXPECT_EQ(cols[1].letras, c.second);
        EXPECT_EQ(cols[1].ensanchada, c.ensanchada);
        EXPECT_FALSE(cols[0].sinTamano);
        EXPECT_EQ(cols[0].titulo, cols[0].campo);
    }
}

TEST_F(Listado, ArticlePriceHeadersComeFromTheConfigurationAndAreNeverWidened)
{
    QSqlQuery config(openMainDatabase());
    ASSERT_TRUE(config.exec(
        u"UPDATE ta_configuracion SET Valor = ' Lista mayorista ' WHERE Clave = 'NOM_PCLASE1'"_s));
    ASSERT_EQ(config.numRowsAffected(), 1);
    ASSERT_TRUE(config.exec(u"DELETE FROM ta_configuracion WHERE Clave = 'NOM_PCLASE2'"_s));
    const QList<ListadoConsulta::Columna> cols =
        columnas(u"SELECT IDARTICULO, PRECIO1, PRECIO2 FROM V_MA_ARTICULOS"_s, u"@10"_s);
    ASSERT_EQ(cols.size(), 3);
    EXPECT_EQ(cols[0].titulo, u"IDARTICULO"_s);
    EXPECT_EQ(cols[1].titulo, u"Lista mayorista"_s);
    EXPECT_EQ(cols[1].campo, u"PRECIO1"_s);
    // An unset class name gives an empty header.
    EXPECT_EQ(cols[2].titulo, QString());
    for (const ListadoConsulta::Columna& c : cols)
        EXPECT_FALSE(c.ensanchada) << c.campo.toStdString();
}

TEST_F(Listado, ExpressionsWithoutSizeAreAsWideAsTheirLongestValueOrHeader)
{
    const QString sql = u"SELECT RTRIM(CODIGO) AS CODIGO, RTRIM(Descripcion) AS Descripcion FROM TA_CCOSTO"_s;
    const QList<ListadoConsulta::Columna> cols = columnas(sql);
    ASSERT_EQ(cols.size(), 2);
    EXPECT_TRUE(cols[0].sinTamano);
    EXPECT_TRUE(cols[1].sinTamano);
    const QList<ListadoConsulta::Fila> filas = ListadoConsulta::Leer(abre(sql), opciones(sql));
    // "CODIGO" (6) is longer than every code; "Distribución y reparto" (22) is the longest text.
    EXPECT_EQ(ListadoConsulta::LetrasPorContenido(u"CODIGO"_s, filas, 0, false), 6);
    EXPECT_EQ(ListadoConsulta::LetrasPorContenido(u"Descripcion"_s, filas, 1, false), 22);
    EXPECT_EQ(ListadoConsulta::LetrasPorContenido(u"Descripcion"_s, filas, 1, true), 32);
    const QList<ListadoConsulta::Fila> largas{{{QString(90, u'x')}, false, {}}};
    EXPECT_EQ(ListadoConsulta::LetrasPorContenido(u"C"_s, largas, 0, false),
              ListadoConsulta::AnchoMaximoColumna);
}

TEST_F(Listado, RowsKeepTheStatementsOrderAndTheDefaultValuesTickThemWithTickBoxesOnly)
{
    const QString sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO ORDER BY CODIGO"_s;
    QSqlQuery expected(openMainDatabase());
    ASSERT_TRUE(expected.exec(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO ORDER BY CODIGO"_s));
    QStringList codes;
    while (expected.next())
        codes << expected.value(0).toString().trimmed();
    ASSERT_GE(codes.size(), 3);

    ListadoConsulta::Opciones o = opciones(sql);
    o.campoDevuelto = u"codigo"_s;
    o.checkBoxes = true;
    o.valoresDefault = codes[0] + u";"_s + codes[2];
    const QList<ListadoConsulta::Fila> filas = ListadoConsulta::Leer(abre(sql), o);
    ASSERT_EQ(filas.size(), codes.size());
    EXPECT_TRUE(filas[0].marcada);
    EXPECT_TRUE(filas[2].marcada);
    EXPECT_FALSE(filas[1].marcada);
    for (qsizetype i = 0; i < filas.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(filas[i].textos.size(), 2);
        EXPECT_EQ(filas[i].textos[0], codes[i]);
        // A plain substring test, as the suite's lookups always made it.
        EXPECT_EQ(filas[i].marcada, o.valoresDefault.contains(codes[i], Qt::CaseInsensitive));
        EXPECT_FALSE(filas[i].color);
    }
    o.checkBoxes = false;
    for (const ListadoConsulta::Fila& f : ListadoConsulta::Leer(abre(sql), o))
        EXPECT_FALSE(f.marcada);
    EXPECT_TRUE(ListadoConsulta::Leer(abre(u"SELECT CODIGO FROM TA_CCOSTO WHERE 1 = 0"_s), o).isEmpty());
}

TEST_F(Listado, ArticleRowsTakeTheColourOfTheirStockSituation)
{
    const QVariant n1 = 32768, n2 = 16711680, n3 = 33023, n4 = 255;
    struct Case
    {
        double p;
        double s;
        QVariant color;
    };
    const Case cases[] = {{0, 5, n1}, {3, 5, n2},  {3, 1, n3}, {0, 0, n4},
                          {3, 3, n4}, {-1, 5, n4}, {0, -2, n4}};
    for (const Case& c : cases)
        EXPECT_EQ(ListadoConsulta::ColorDeStock(c.p, c.s, n1, n2, n3, n4), c.color) << c.p << " " << c.s;

    const QString sql =
        u"SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS ORDER BY IDARTICULO"_s;
    ListadoConsulta::Opciones o = opciones(sql);
    o.muestraStock = u"SI"_s;
    o.stkNivel1 = n1;
    o.stkNivel2 = n2;
    o.stkNivel3 = n3;
    o.stkNivel4 = n4;
    const QList<ListadoConsulta::Fila> filas = ListadoConsulta::Leer(abre(sql), o);
    ASSERT_FALSE(filas.isEmpty());
    for (const ListadoConsulta::Fila& f : filas) {
        const QVariant color =
            ListadoConsulta::ColorDeStock(f.textos[2].toDouble(), f.textos[3].toDouble(), n1, n2, n3, n4);
        ASSERT_TRUE(f.color) << f.textos[0].toStdString();
        EXPECT_EQ(*f.color, color.toLongLong()) << f.textos[0].toStdString();
    }
    // Colouring off, a list without the stock fields, or a colour that is not a number: no colour.
    o.muestraStock = u"NO"_s;
    EXPECT_FALSE(ListadoConsulta::Leer(abre(sql), o).first().color);
    o.muestraStock = u"SI"_s;
    const QString sinStock = u"SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS"_s;
    o.sql = sinStock;
    EXPECT_FALSE(ListadoConsulta::Leer(abre(sinStock), o).first().color);
    o.sql = sql;
    o.stkNivel1 = o.stkNivel2 = o.stkNivel3 = o.stkNivel4 = u"verde"_s;
    EXPECT_FALSE(ListadoConsulta::Leer(abre(sql), o).first().color);
}

} // namespace
