// The ledger viewer's window on an entry of the demo database.
#include "suite/FrmAsiento.h"
#include "suite/AsientoContable.h"
#include "support/ProgramFixture.h"

#include "app/AppState.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class FrmAsientoTest : public ProgramFixture
{
protected:
    AsientoContable lee(const Comprobante& c)
    {
        if (!DataGlobals::gDB().gOpenFlag)
            openMain();
        AsientoContable asiento;
        QString mensaje;
        EXPECT_EQ(AsientoContable::lee(DataGlobals::gDB(), c, asiento, mensaje),
                  AsientoContable::Resultado::Encontrado)
            << mensaje.toStdString();
        return asiento;
    }
};

TEST_F(FrmAsientoTest, ShowsTheLinesAndTotalsReadOnlyAndClosesWithEscape)
{
    const AsientoContable asiento = lee(Comprobante{u"OP"_s, u"0001"_s, u"00000354"_s, u"X"_s});
    ASSERT_EQ(asiento.lineas.size(), 2u);
    FrmAsiento w(asiento);
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(w.windowTitle(), u"Asiento del comprobante OP 0001-00000354 X"_s);
    EXPECT_TRUE(w.findChild<QLabel*>(u"LblAsiento"_s)->text().contains(u"Asiento 2024/11 N° 354"_s));

    QTableWidget* t = w.Lineas();
    ASSERT_EQ(t->rowCount(), 3);
    const auto fila = [&](int r) {
        QStringList celdas;
        for (int c = 0; c < t->columnCount(); ++c)
            celdas << (t->item(r, c) ? t->item(r, c)->text() : QString());
        return celdas;
    };
    EXPECT_EQ(fila(0), (QStringList{u"2.1.01.00003"_s, u"Papelera Río Paraná S.A."_s,
                                    u"Pago Fact. A 0001-00098712"_s, u"9.876,54"_s, QString(), QString()}));
    EXPECT_EQ(fila(1), (QStringList{u"1.1.02.02"_s, u"Banco Galicia Cta. Cte. 9750-4 087-3"_s,
                                    u"Pago Fact. A 0001-00098712"_s, QString(), u"9.876,54"_s, u"*-"_s}));
    EXPECT_EQ(fila(2),
              (QStringList{u"Totales"_s, QString(), QString(), u"9.876,54"_s, u"9.876,54"_s, QString()}));

    // A double click or typing on a cell opens no editor: the entry cannot be changed here.
    const QPoint celda = t->visualItemRect(t->item(0, 2)).center();
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, celda);
    QTest::keyClicks(t, u"xyz"_s);
    EXPECT_EQ(t->item(0, 2)->text(), u"Pago Fact. A 0001-00098712"_s);
    EXPECT_EQ(QApplication::focusWidget(), t);

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FrmAsientoTest, AVoucherWithoutItsTypeIsFoundWhenOneTypeHasIt)
{
    // The launcher cut the type away: branch, number and letter find it, and the title names it.
    const AsientoContable asiento = lee(Comprobante{QString(), u"0001"_s, u"00000354"_s, u"X"_s});
    EXPECT_EQ(asiento.titulo(), u"Asiento del comprobante OP 0001-00000354 X"_s);

    // With a second type on the same branch, number and letter, nothing is guessed.
    QSqlDatabase db = openMainDatabase();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(
        u"INSERT INTO MV_ASIENTOS (Periodo, Mes_Operativo, \"Numero Asiento\", Secuencia, TC, Sucursal, "
        u"Numero, Letra, Cuenta, Tipo_Reg, IdBanco, Fecha, Detalle, DebeHaber, Importe) VALUES (2024, 11, "
        u"9999, 1, 'NC', '0001', '00000354', 'X', '2.1.01.00003', 'N', '', '2024-11-30', 'Nota', 'D', 1)"_s))
        << q.lastError().text().toStdString();
    AsientoContable otro;
    QString mensaje;
    EXPECT_EQ(AsientoContable::lee(DataGlobals::gDB(),
                                   Comprobante{QString(), u"0001"_s, u"00000354"_s, u"X"_s}, otro, mensaje),
              AsientoContable::Resultado::Ambiguo);
    EXPECT_TRUE(mensaje.contains(u"NC, OP"_s) || mensaje.contains(u"OP, NC"_s)) << mensaje.toStdString();
    // With its type it is still the one entry.
    EXPECT_EQ(lee(Comprobante{u"OP"_s, u"0001"_s, u"00000354"_s, u"X"_s}).lineas.size(), 2u);
}

} // namespace
