// The table-maintenance window on a fresh demo database, worked through its boxes and buttons.
#include "suite/FrmTablas.h"
#include "suite/TablaMantenida.h"
#include "support/ProgramFixture.h"

#include "app/AppState.h"
#include "demo/DemoDatabase.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class FrmTablasTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
    }

    void TearDown() override
    {
        m_window.reset();
        resetAppState();
        ProgramFixture::TearDown();
    }

    FrmTablas& abre(const QString& tabla, const QString& usuario = DemoDb::AdminUser)
    {
        openMain(usuario);
        TablaMantenida mantenida(TablaMantenida::tablaDe(tabla));
        EXPECT_TRUE(mantenida.leeColumnas(DataGlobals::gDB()));
        m_window = std::make_unique<FrmTablas>(mantenida, u"Prueba"_s);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        return *m_window;
    }

    /// Types `texto` into the form's box of `columna`, as the operator does.
    void escribe(const QString& columna, const QString& texto)
    {
        QLineEdit* box = m_window->campo(columna);
        ASSERT_NE(box, nullptr) << columna.toStdString();
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, texto);
    }

    void graba() { QTest::mouseClick(boton(u"CmdGrabar"_s), Qt::LeftButton); }

    QPushButton* boton(const QString& nombre) { return m_window->findChild<QPushButton*>(nombre); }

    /// The grid's rows whose first column is `codigo`.
    int filasConCodigo(const QString& codigo)
    {
        const QAbstractItemModel* m = m_window->Grilla()->model();
        int n = 0;
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->data(m->index(r, 0)).toString().trimmed() == codigo)
                ++n;
        }
        return n;
    }

    int cuenta(const QString& sql) { return scalar(sql).toInt(); }

    std::unique_ptr<FrmTablas> m_window;
};

TEST_F(FrmTablasTest, AnAdministratorAddsASupplierKeepingEveryCharacterTyped)
{
    FrmTablas& w = abre(u"VT_PROVEEDORES"_s);
    const int antes = w.Grilla()->model()->rowCount();
    EXPECT_EQ(antes, cuenta(u"SELECT COUNT(*) FROM MA_PROVEEDORES"_s));
    EXPECT_FALSE(w.findChild<QLabel*>(u"LblPermiso"_s)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.campo(u"CODIGO"_s)) << "the form waits for the new record";

    QTest::keyClicks(w.campo(u"CODIGO"_s), u"P9001"_s);
    escribe(u"RAZON_SOCIAL"_s, u"D'Angelo Hnos. S.R.L."_s);
    escribe(u"CUIT"_s, u"30-71234567-8"_s);
    // Enter in a box saves, as "&Grabar" does.
    QTest::keyClick(w.campo(u"CUIT"_s), Qt::Key_Return);

    EXPECT_EQ(scalar(u"SELECT RAZON_SOCIAL FROM MA_PROVEEDORES WHERE CODIGO = 'P9001'"_s).toString(),
              u"D'Angelo Hnos. S.R.L."_s);
    EXPECT_EQ(scalar(u"SELECT CUIT FROM VT_PROVEEDORES WHERE CODIGO = 'P9001'"_s).toString(),
              u"30-71234567-8"_s);
    // Columns left empty take the table's defaults.
    EXPECT_EQ(scalar(u"SELECT Dada_De_Baja FROM MA_PROVEEDORES WHERE CODIGO = 'P9001'"_s).toInt(), 0);
    EXPECT_EQ(w.Grilla()->model()->rowCount(), antes + 1);
    EXPECT_EQ(filasConCodigo(u"P9001"_s), 1);
    EXPECT_TRUE(w.campo(u"CODIGO"_s)->text().isEmpty()) << "the form is cleared for the next row";
}

TEST_F(FrmTablasTest, RowsTheDatabaseOrTheColumnsRefuseAreNotSaved)
{
    struct Caso
    {
        const char* nombre;
        QList<std::pair<QString, QString>> valores;
        /// Text the operator's box shows, and its title.
        QString mensaje;
        QString titulo;
    };
    const QString existente = scalar(u"SELECT MIN(CODIGO) FROM MA_PROVEEDORES"_s).toString();
    const Caso casos[] = {
        {"duplicate code",
         {{u"CODIGO"_s, existente}, {u"RAZON_SOCIAL"_s, u"Otra S.A."_s}},
         u"2627"_s,
         u"Aviso al Operador!"_s},
        {"required name missing",
         {{u"CODIGO"_s, u"P9002"_s}, {u"CUIT"_s, u"30-1"_s}},
         u"RAZON_SOCIAL"_s,
         u"Aviso al Operador!"_s},
        {"flag that is not SI or NO",
         {{u"CODIGO"_s, u"P9003"_s}, {u"RAZON_SOCIAL"_s, u"Tres S.A."_s}, {u"Dada_De_Baja"_s, u"QUIZAS"_s}},
         u"Dada_De_Baja"_s,
         u"Aviso al operador"_s},
        {"nothing typed", {}, u"No hay datos para grabar."_s, u"Aviso al operador"_s},
    };
    FrmTablas& w = abre(u"VT_PROVEEDORES"_s);
    const int filas = w.Grilla()->model()->rowCount();
    const int errores = cuenta(u"SELECT COUNT(*) FROM AUX_ERR"_s);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        for (const auto& [columna, valor] : c.valores)
            escribe(columna, valor);
        op().answerMessage(MsgAnswer::Ok, c.mensaje);
        graba();
        ASSERT_FALSE(op().shown().isEmpty());
        EXPECT_EQ(op().shown().back().title, c.titulo);
        verifyOperator();
        EXPECT_EQ(cuenta(u"SELECT COUNT(*) FROM MA_PROVEEDORES"_s), filas);
        EXPECT_EQ(w.Grilla()->model()->rowCount(), filas);
        for (QLineEdit* box : w.findChildren<QLineEdit*>())
            box->clear();
    }
    // The two rows the database refused are in the error table, each with its whole statement.
    EXPECT_EQ(cuenta(u"SELECT COUNT(*) FROM AUX_ERR"_s), errores + 2);
}

TEST_F(FrmTablasTest, APlainUserLooksButCannotSave)
{
    FrmTablas& w = abre(u"VT_PROVEEDORES"_s, DemoDb::PlainUser);
    EXPECT_FALSE(DataGlobals::gDB().gEsAdmin);
    EXPECT_EQ(w.Grilla()->model()->rowCount(), cuenta(u"SELECT COUNT(*) FROM MA_PROVEEDORES"_s));
    EXPECT_TRUE(w.findChild<QLabel*>(u"LblPermiso"_s)->isVisible());
    EXPECT_FALSE(boton(u"CmdGrabar"_s)->isEnabled());
    escribe(u"CODIGO"_s, u"P9004"_s);
    EXPECT_TRUE(w.campo(u"CODIGO"_s)->text().isEmpty()) << "the form takes no typing";
    QTest::keyClick(w.campo(u"CODIGO"_s), Qt::Key_Return);
    graba();
    EXPECT_EQ(cuenta(u"SELECT COUNT(*) FROM MA_PROVEEDORES WHERE CODIGO = 'P9004'"_s), 0);
    // The unattended addition goes through the same check, and says why.
    op().answerMessage(MsgAnswer::Ok, u"atributo administrador"_s);
    EXPECT_EQ(w.agrega({{u"CODIGO"_s, u"P9004"_s}, {u"RAZON_SOCIAL"_s, u"Cuatro S.A."_s}}),
              TablaMantenida::Alta::SinPermiso);
    EXPECT_EQ(cuenta(u"SELECT COUNT(*) FROM MA_PROVEEDORES WHERE CODIGO = 'P9004'"_s), 0);
}

TEST_F(FrmTablasTest, ALookupViewIsKeptThroughItsTable)
{
    struct Caso
    {
        QString vista;
        QString tabla;
        QString codigo;
        QString otraColumna;
        QString valor;
        QString consulta;
    };
    const Caso casos[] = {
        {u"V_TA_UNIDAD"_s, u"TA_UNIDADES"_s, u"IdUnidad"_s, u"Descripcion"_s, u"Pallet"_s,
         u"SELECT Descripcion FROM V_TA_UNIDAD WHERE IdUnidad = 'ZZ'"_s},
        {u"V_TA_VENDEDORES"_s, u"TA_VENDEDORES"_s, u"IdVendedor"_s, u"Nombre"_s, u"Ruiz, Ana"_s,
         u"SELECT NOMBRE FROM V_TA_VENDEDORES WHERE IDVENDEDOR = 'ZZ'"_s},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.vista.toStdString());
        EXPECT_EQ(TablaMantenida::tablaDe(c.vista.toLower()), c.tabla);
        abre(c.vista);
        escribe(c.codigo, u"ZZ"_s);
        escribe(c.otraColumna, c.valor);
        graba();
        EXPECT_EQ(scalar(c.consulta).toString(), c.valor);
        m_window.reset();
        DataGlobals::reset();
    }
    // A name that is no lookup view is the table itself.
    EXPECT_EQ(TablaMantenida::tablaDe(u" MA_CONTACTOS "_s), u"MA_CONTACTOS"_s);
}

TEST_F(FrmTablasTest, NumbersAreReadInTheRegionalFormat)
{
    abre(u"V_TA_VENDEDORES"_s);
    escribe(u"IdVendedor"_s, u"ZY"_s);
    escribe(u"Nombre"_s, u"Paz, Luis"_s);
    escribe(u"Comision"_s, u"2,5"_s);
    graba();
    EXPECT_DOUBLE_EQ(scalar(u"SELECT Comision FROM TA_VENDEDORES WHERE IdVendedor = 'ZY'"_s).toDouble(), 2.5);

    escribe(u"IdVendedor"_s, u"ZX"_s);
    escribe(u"Nombre"_s, u"Gil, Eva"_s);
    escribe(u"Comision"_s, u"dos"_s);
    op().answerMessage(MsgAnswer::Ok, u"Comision debe ser un numero"_s);
    graba();
    EXPECT_EQ(cuenta(u"SELECT COUNT(*) FROM TA_VENDEDORES WHERE IdVendedor = 'ZX'"_s), 0);
}

} // namespace
