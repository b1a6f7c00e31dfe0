// The stand-ins started as the operator starts them: "Ver Asiento" on a row of the cheque window, and
// "N&uevo" in the supplier lookup of the window's supplier field. The launcher starts the real
// programs from the program folder; they run without a screen and write what they would show.
#include "cheques/ChequeWindowFixture.h"
#include "menus/PopupPicker.h"
#include "suite/ProgramaSuite.h"
#include "support/ModalHelper.h"

#include "cheques/ChequeItem.h"
#include "lookup/Lib_FrmCons3.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class LanzamientoTest : public ChequeWindowFixture
{
protected:
    void SetUp() override
    {
        ChequeWindowFixture::SetUp();
        for (const char* name : {"TALONEX_SUITE_SALIDA", "TALONEX_SUITE_ALTA", "LC_ALL"})
            m_guardadas.append({name, qgetenv(name)});
        m_salida = folder() + u"/salida.txt"_s;
        // The started programs inherit these: they write to the file instead of a window, in the
        // suite's regional settings.
        qputenv("TALONEX_SUITE_SALIDA", m_salida.toUtf8());
        qputenv("LC_ALL", "es_AR.UTF-8");
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_guardadas) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        ChequeWindowFixture::TearDown();
    }

    QPoint centroDeFila(int fila) { return list()->visualItemRect(list()->topLevelItem(fila)).center(); }

    /// Acts on the next modal window once it shows; one left open is rejected and fails the test.
    static void cuandoModal(std::function<void(QDialog*)> actua)
    {
        ModalHelper::whenNext<QDialog>(std::move(actua));
    }

    QString m_salida;
    QList<std::pair<const char*, QByteArray>> m_guardadas;
};

TEST_F(LanzamientoTest, VerAsientoOnARowOpensTheLedgerViewerOnThatRowsEntry)
{
    const QString programa = ProgramaSuite::instala(u"Cons_MV_Asientos"_s, programFolder());
    FrmTalonex& w = start();
    fillTestAccount();
    QTest::mouseClick(w.findChild<QPushButton*>(u"CmdCargar"_s), Qt::LeftButton);
    ASSERT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);

    // The operator clicks the third row, then right-clicks it and picks "Ver Asiento".
    const int fila = 2;
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centroDeFila(fila));
    ASSERT_EQ(list()->currentItem(), list()->topLevelItem(fila));
    const QString tag = list()->topLevelItem(fila)->data(0, ChequeItem::TagRole).toString();
    PopupPicker picker(u"MNU_Emergente_XV_VerAsiento"_s);
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {},
                      list()->viewport()->mapTo(&w, centroDeFila(fila)));
    ASSERT_TRUE(picker.encontrado()) << picker.visibles().join(u", "_s).toStdString();

    ASSERT_TRUE(ProgramaSuite::esperaFin(programa, m_salida)) << "the ledger viewer did not run to its end";
    const QString salida = ProgramaSuite::lee(m_salida);
    const QString tc = tag.mid(0, 4).trimmed();
    const QString sucursal = tag.mid(4, 4);
    const QString numero = tag.mid(8, 8);
    const QString letra = tag.mid(16, 1);
    EXPECT_TRUE(salida.startsWith(u"Asiento del comprobante "_s + tc + u' ' + sucursal + u'-' + numero +
                                  u' ' + letra + u'\n'))
        << salida.toStdString();
    const int lineas =
        scalar(u"SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '"_s + tc + u"' AND Sucursal = '"_s + sucursal +
               u"' AND Numero = '"_s + numero + u"' AND Letra = '"_s + letra + u"'"_s)
            .toInt();
    ASSERT_GE(lineas, 2);
    EXPECT_EQ(salida.count(u'\n'), lineas + 4) << salida.toStdString();
    // The row's cheque is the entry's line that credits the bank with the cheque still unnumbered.
    EXPECT_TRUE(salida.contains(DemoDb::TestAccount + u'\t')) << salida.toStdString();
    EXPECT_TRUE(salida.contains(u"\t*-\n"_s)) << salida.toStdString();
    EXPECT_TRUE(op().shown().isEmpty()) << "nothing to tell the operator: the viewer started";
}

TEST_F(LanzamientoTest, ASupplierAddedThroughNuevoIsInTheLookupAfterANewSearch)
{
    const QString programa = ProgramaSuite::instala(u"V_MA_CLIENTES"_s, programFolder());
    const QString alta = folder() + u"/alta.txt"_s;
    {
        QFile file(alta);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("CODIGO=P9200\nRAZON_SOCIAL=Aaa Insumos del Litoral S.R.L.\nCUIT=30-71111111-2\n");
    }
    qputenv("TALONEX_SUITE_ALTA", alta.toUtf8());

    start();
    QLineEdit* proveedor = field(u"ProveedorD"_s);
    QTest::mouseClick(proveedor, Qt::LeftButton);
    bool visto = false;
    cuandoModal([&](QDialog* dialogo) {
        auto* consulta = qobject_cast<Lib_FrmCons3*>(dialogo);
        ASSERT_NE(consulta, nullptr);
        const auto filaDe = [&](const QString& codigo) -> QTreeWidgetItem* {
            const int columna = consulta->IndiceColumna(u"CODIGO"_s) - 1;
            for (int i = 0; i < consulta->ListView1()->topLevelItemCount(); ++i) {
                QTreeWidgetItem* item = consulta->ListView1()->topLevelItem(i);
                if (item->text(columna).trimmed() == codigo)
                    return item;
            }
            return nullptr;
        };
        EXPECT_EQ(filaDe(u"P9200"_s), nullptr);
        QTest::mouseClick(consulta->findChild<QPushButton*>(u"CmdNuevo"_s), Qt::LeftButton);
        ASSERT_TRUE(ProgramaSuite::esperaFin(programa, m_salida)) << "the maintenance program did not end";
        EXPECT_EQ(ProgramaSuite::lee(m_salida), u"Registro agregado en MA_PROVEEDORES.\n"_s);
        // The list does not change by itself; a new search reads the table again.
        EXPECT_EQ(filaDe(u"P9200"_s), nullptr);
        QTest::mouseClick(consulta->CmdNueva(), Qt::LeftButton);
        QTreeWidgetItem* nueva = filaDe(u"P9200"_s);
        ASSERT_NE(nueva, nullptr);
        EXPECT_EQ(nueva->text(0).trimmed(), u"Aaa Insumos del Litoral S.R.L."_s);
        consulta->ListView1()->scrollToItem(nueva);
        QTest::mouseClick(consulta->ListView1()->viewport(), Qt::LeftButton, {},
                          consulta->ListView1()->visualItemRect(nueva).center());
        QTest::mouseClick(consulta->findChild<QPushButton*>(u"CmdAceptar"_s), Qt::LeftButton);
        visto = true;
    });
    QTest::keyClick(proveedor, Qt::Key_F3);
    EXPECT_TRUE(visto);
    EXPECT_EQ(proveedor->text(), u"P9200"_s);
    EXPECT_EQ(scalar(u"SELECT CUIT FROM MA_PROVEEDORES WHERE CODIGO = 'P9200'"_s).toString(),
              u"30-71111111-2"_s);
}

} // namespace
