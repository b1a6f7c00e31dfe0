// Loading the cheque list and working it: statements, columns, rows, payees, ticks, sorting and the
// ledger viewer launched from the pop-up.
#include "ChequeWindowFixture.h"
#include "zimbrel2/MessageBoxStyle.h"

#include "app/MenuExes.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class List : public ChequeWindowFixture
{
protected:
    QStringList column(int c)
    {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << list()->topLevelItem(i)->text(c);
        return out;
    }
};

TEST_F(List, NormalModeLoadsTheUnnumberedChequesOfTheAccount)
{
    start();
    fillTestAccount();
    field(u"FechaH"_s)->clear(); // today's date, put there by the load of the window
    load();
    EXPECT_EQ(
        sentMatching(u"from v_chequesentregados"_s).value(0),
        u"select * from v_chequesentregados  Where CUENTA = '1.1.02.02' and nrocomprobantebancario='*-' "_s);
    ASSERT_EQ(list()->columnCount(), ColumnaCheque::Cantidad);
    EXPECT_EQ(list()->headerItem()->text(ColumnaCheque::ALaOrden), u"A la Orden"_s);
    EXPECT_EQ(list()->headerItem()->text(ColumnaCheque::NumeroAsiento), u"[Numero asiento]"_s);
    for (int hidden : {8, 9, 10, 11, 12, 14, 15, 16})
        EXPECT_TRUE(list()->isColumnHidden(hidden)) << hidden;
    EXPECT_FALSE(list()->isColumnHidden(ColumnaCheque::Importe));
    ASSERT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
    EXPECT_TRUE(w().barra().valor(EstadoBarra::Grabar));

    const QTreeWidgetItem* first = list()->topLevelItem(0);
    EXPECT_EQ(first->text(ColumnaCheque::Cheque), u"*-"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Fecha), u"04/11/2024"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Importe), u"    125.430,50"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Comprobante), u"OP   000100000341X"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Cpte), u"000100000341X"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Numero), QString());
    EXPECT_EQ(first->data(0, Qt::UserRole).toString(), u"A1"_s);
    EXPECT_EQ(first->data(0, Qt::UserRole + 1).toString(), u"OP  000100000341X"_s);
    EXPECT_EQ(first->checkState(0), Qt::Unchecked);
    EXPECT_EQ(
        column(ColumnaCheque::ALaOrden),
        (QStringList{u"Distribuidora del Litoral Sociedad Anónima"_s, u"Ferretería Industrial Núñez S.R.L."_s,
                     u"Papelera Río Paraná S.A."_s, u"TRANSPORTES PATAGONICOS DEL SUR S.A."_s,
                     u"Cooperativa Agrícola Ganadera de Junín Limitada"_s}));
    QStringList keys;
    for (int i = 0; i < list()->topLevelItemCount(); ++i)
        keys << list()->topLevelItem(i)->data(0, Qt::UserRole).toString();
    EXPECT_EQ(keys, (QStringList{u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s}));
}

TEST_F(List, FiltersJoinInTheirOrderAndSupplierTextsAreQuoted)
{
    start();
    fillTestAccount();
    field(u"FechaD"_s)->setText(u"05/11/2024"_s);
    field(u"FechaH"_s)->setText(u"08/11/2024"_s);
    field(u"ProveedorD"_s)->setText(u"2.1.01.00002"_s);
    field(u"ProveedorH"_s)->setText(u"2.1.01.00004"_s);
    load();
    EXPECT_EQ(sentMatching(u"from v_chequesentregados"_s).value(0),
              u"select * from v_chequesentregados  Where Fecha >= {d '2024-11-05'} AND Fecha <= "
              u"{d '2024-11-08'} AND CuentaDestino >= '2.1.01.00002' AND CuentaDestino <= "
              u"'2.1.01.00004' AND CUENTA = '1.1.02.02' and nrocomprobantebancario='*-' "_s);
    EXPECT_EQ(column(ColumnaCheque::Proveedor),
              (QStringList{u"2.1.01.00002"_s, u"2.1.01.00003"_s, u"2.1.01.00004"_s}));
    // One payment-data lookup per supplier.
    EXPECT_EQ(sentMatching(u"ma_cuentasadic"_s).size(), 3);
}

TEST_F(List, ReprintLoadsOneSeriesRangeOrderedByNumber)
{
    start(true);
    field(u"idbanco"_s)->setText(DemoDb::TestAccount);
    field(u"Serie"_s)->setText(u"B"_s);
    field(u"NumerarDesde"_s)->setText(u"95"_s);
    field(u"NumerarHasta"_s)->setText(u"97"_s);
    field(u"FechaH"_s)->clear();
    load();
    EXPECT_EQ(sentMatching(u"from v_chequesentregados"_s).value(0),
              u"select * from v_chequesentregados  Where CUENTA = '1.1.02.02' and "
              u"substring(nrocomprobantebancario,1,1) "
              u"= 'B' and (convert(int,substring(nrocomprobantebancario,3,100))>=95 and "
              u"convert(int,substring(nrocomprobantebancario,3,100))<=97) order by "
              u"convert(int,substring(nrocomprobantebancario,3,100))"_s);
    EXPECT_EQ(column(ColumnaCheque::Cheque), (QStringList{u"B-95"_s, u"B-96"_s, u"B-97"_s}));
    EXPECT_EQ(column(ColumnaCheque::Numero),
              (QStringList{u"000000000000095"_s, u"000000000000096"_s, u"000000000000097"_s}));

    field(u"NumerarHasta"_s)->clear();
    load();
    EXPECT_EQ(list()->topLevelItemCount(), 5);
    EXPECT_FALSE(sentMatching(u"from v_chequesentregados"_s).value(0).contains(u"<=97"_s));
}

TEST_F(List, ALoadWithoutRowsKeepsTheColumnsAndSwitchesGrabarOff)
{
    start();
    fillTestAccount();
    load();
    ASSERT_TRUE(w().barra().valor(EstadoBarra::Grabar));
    field(u"FechaD"_s)->setText(u"01/01/2030"_s);
    load();
    EXPECT_EQ(list()->columnCount(), ColumnaCheque::Cantidad);
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_FALSE(w().barra().valor(EstadoBarra::Grabar));
    EXPECT_FALSE(w().findChild<QAction*>(u"GRABAR"_s)->isEnabled());
}

TEST_F(List, BlankPaymentDataFallsBackToTheAccountDescription)
{
    QSqlQuery(openMainDatabase())
        .exec(u"UPDATE ma_cuentasadic SET datospago = '   ' WHERE codigo = '2.1.01.00001'"_s);
    start();
    fillTestAccount();
    load();
    EXPECT_EQ(list()->topLevelItem(0)->text(ColumnaCheque::ALaOrden), u"Distribuidora del Litoral S.A."_s);
}

TEST_F(List, TodosTicksEveryRowAndReportsWhatExceedsTheChequebook)
{
    start();
    field(u"idbanco"_s)->setText(DemoDb::BenchAccount);
    // The bench account's chequebook has 50 numbers left, the last 50 of its newest book.
    const QVariant desde =
        scalar(u"SELECT NUMERO_HASTA - 49 FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '"_s +
               DemoDb::BenchAccount + u"' ORDER BY NUMERO_HASTA DESC LIMIT 1"_s);
    const QVariant serie = scalar(u"SELECT SERIE FROM V_TA_CTRL_CHEQUERAS WHERE CUENTABANCODIFERIDO = '"_s +
                                  DemoDb::BenchAccount + u"' ORDER BY NUMERO_HASTA DESC LIMIT 1"_s);
    field(u"Serie"_s)->setText(serie.toString());
    field(u"NumerarDesde"_s)->setText(desde.toString());
    load();
    ASSERT_EQ(list()->topLevelItemCount(), DemoDb::BenchUnnumberedCheques);
    op().answerMessage(MsgAnswer::Ok, u"Supera la cantidad de cheques disponibles, desmarque 10 Cheques"_s);
    w().CmdTodos_Click();
    int ticked = 0;
    for (int i = 0; i < list()->topLevelItemCount(); ++i)
        ticked += list()->topLevelItem(i)->checkState(0) == Qt::Checked;
    EXPECT_EQ(ticked, DemoDb::BenchUnnumberedCheques);
    verifyOperator();
    w().CmdNinguno_Click();
    EXPECT_FALSE(w().Fallo());
}

TEST_F(List, TickingValidatesTheSeriesInNormalModeOnly)
{
    start();
    fillTestAccount(u"149"_s);
    load();
    tick(0);
    EXPECT_FALSE(w().Fallo());
    op().answerMessage(MsgAnswer::Ok, u"desmarque 1 Cheques"_s);
    tick(1);
    EXPECT_TRUE(w().Fallo());
    verifyOperator();
    m_window.reset();
    resetAppState();

    start(true);
    field(u"idbanco"_s)->setText(DemoDb::TestAccount);
    field(u"Serie"_s)->setText(u"B"_s);
    field(u"NumerarDesde"_s)->setText(u"60"_s);
    load();
    m_sent.clear();
    for (int i = 0; i < 3; ++i)
        tick(i);
    w().CmdTodos_Click();
    EXPECT_TRUE(m_sent.isEmpty());
}

TEST_F(List, HeaderClickSortsAmountsByValueAndDatesByDate)
{
    start();
    fillTestAccount();
    load();
    list()->header()->sectionClicked(ColumnaCheque::Importe);
    EXPECT_EQ(column(ColumnaCheque::Importe).first().trimmed(), u"1.234,50"_s);
    EXPECT_EQ(column(ColumnaCheque::Importe).last().trimmed(), u"310.000,00"_s);
    // Due dates across a year end: 10/01/2025 sorts after 09/12/2024.
    list()->header()->sectionClicked(ColumnaCheque::Vencimiento);
    EXPECT_EQ(
        column(ColumnaCheque::Vencimiento),
        (QStringList{u"04/11/2024"_s, u"06/11/2024"_s, u"05/12/2024"_s, u"09/12/2024"_s, u"10/01/2025"_s}));
}

TEST_F(List, RowTextsCannotBeEdited)
{
    start();
    fillTestAccount();
    load();
    EXPECT_EQ(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(list()->topLevelItem(0)->flags() & Qt::ItemIsEditable);
}

TEST_F(List, VerAsientoStartsTheLedgerViewerWithTheVoucherOfTheRow)
{
    // A stand-in viewer in the program folder that writes down, one line per start, the one
    // argument it receives.
    const QString received = folder() + u"/visor.txt"_s;
    {
        QFile viewer(programFolder() + u"Cons_MV_Asientos"_s);
        ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
        viewer.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + received.toUtf8() + "'\n");
        viewer.close();
        viewer.setPermissions(viewer.permissions() | QFileDevice::ExeOwner);
    }
    const auto lines = [&] { return QString::fromUtf8(readFile(received)).split(u'\n', Qt::SkipEmptyParts); };
    const auto waitForLines = [&](qsizetype n) {
        for (int i = 0; i < 500 && lines().size() < n; ++i)
            QTest::qWait(20);
    };
    start();
    fillTestAccount();
    load();
    QWidget* viewport = list()->viewport();
    const auto rightClickChoosing = [&](int row, int downs) {
        QTest::mouseClick(viewport, Qt::LeftButton, {},
                          list()->visualItemRect(list()->topLevelItem(row)).center());
        ASSERT_EQ(list()->currentItem(), list()->topLevelItem(row));
        QTimer::singleShot(0, [downs] {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return;
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, downs == 0 ? Qt::Key_Escape : Qt::Key_Return);
        });
        const QPoint at = list()->visualItemRect(list()->currentItem()).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
    };
    const DB_Dll& db = DataGlobals::gDB();
    const auto parametros = [&](const QString& voucher) -> QString {
        return u" ; @server="_s + db.gServidor + u"; @dbname="_s + db.gDBName + u"; @usuario="_s +
               db.gUsuario + u"; @Password="_s + db.gUserPassWord + u"; @ParametroAdicional="_s + voucher +
               u"; zimb@ ; @UsuarioLogeado = "_s + appState().gUsuarioLogeado + u"; @Caja="_s +
               appState().gCaja + u";"_s;
    };

    // The third row; "Ver Asiento" is the first entry the menu shows. The viewer receives the whole
    // parameter string with the voucher type.
    rightClickChoosing(2, 1);
    waitForLines(1);
    ASSERT_EQ(lines().size(), 1);
    EXPECT_EQ(lines()[0], parametros(u"@TC=OP|@Sucursal=0001|@Numero=00000354|@Letra=X|"_s));

    // "Cancelar", or closing the menu without a choice, starts nothing: the next start is the only
    // other line.
    rightClickChoosing(1, 2);
    rightClickChoosing(1, 0);
    rightClickChoosing(0, 1);
    waitForLines(2);
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines()[1], parametros(u"@TC=OP|@Sucursal=0001|@Numero=00000341|@Letra=X|"_s));

    // No row selected: no menu at all.
    list()->setCurrentItem(nullptr);
    list()->clearSelection();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(viewport, &event);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(op().shown().isEmpty());
}

TEST_F(List, TheStatusLineCountsTicksTotalsAndSaysWhatARunDid)
{
    ASSERT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, programFolder()));
    start();
    w().setArchivoPdf(folder() + u"/cheques.pdf"_s);
    auto* estado = w().findChild<QLabel*>(u"lblEstado"_s);
    ASSERT_NE(estado, nullptr);
    fillTestAccount();
    load();
    EXPECT_EQ(estado->text(), u"0 de 5 cheques marcados, total $ 0,00"_s);

    // Space on the current row ticks it; each tick updates the line.
    list()->setFocus();
    const QStringList importes = column(ColumnaCheque::Importe);
    list()->setCurrentItem(list()->topLevelItem(0));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(estado->text(), u"1 de 5 cheques marcados, total $ "_s + importes[0].trimmed());
    QTest::mouseClick(w().findChild<QPushButton*>(u"CmdTodos"_s), Qt::LeftButton);
    EXPECT_TRUE(estado->text().startsWith(u"5 de 5 cheques marcados, total $ "_s));
    QTest::mouseClick(w().findChild<QPushButton*>(u"CmdNinguno"_s), Qt::LeftButton);
    EXPECT_EQ(estado->text(), u"0 de 5 cheques marcados, total $ 0,00"_s);

    // F10 with nothing ticked.
    QTest::keyClick(&w(), Qt::Key_F10);
    EXPECT_EQ(estado->text(), u"No hay cheques marcados: no se numeró ninguno"_s);

    // Three ticked and numbered: the range, and the next run starts after it.
    load();
    for (int row : {0, 1, 3}) {
        list()->setCurrentItem(list()->topLevelItem(row));
        QTest::keyClick(list(), Qt::Key_Space);
    }
    EXPECT_EQ(estado->text(), u"3 de 5 cheques marcados, total $ 484.330,50"_s);
    QTest::keyClick(&w(), Qt::Key_F10);
    EXPECT_FALSE(w().Fallo());
    EXPECT_EQ(estado->text(), u"Cheques B-100 a B-102 numerados e impresos"_s);
    EXPECT_EQ(field(u"NumerarDesde"_s)->text(), u"103"_s);

    // The printer choice cancelled: nothing numbered, and the line says why.
    load();
    QTest::mouseClick(w().findChild<QCheckBox*>(u"chkImpresora"_s), Qt::LeftButton);
    list()->setCurrentItem(list()->topLevelItem(0));
    QTest::keyClick(list(), Qt::Key_Space);
    op().answerPrinter(std::nullopt);
    // The banner of the last run took the activation with it, as a window manager gives it back.
    QApplication::setActiveWindow(&w());
    QTest::keyClick(&w(), Qt::Key_F10);
    EXPECT_EQ(estado->text(), u"Se canceló la elección de impresora: no se numeró ningún cheque"_s);
    EXPECT_EQ(field(u"NumerarDesde"_s)->text(), u"103"_s);

    // A load that finds nothing.
    field(u"FechaH"_s)->setText(u"01/01/2001"_s);
    load();
    EXPECT_EQ(estado->text(), u"No hay cheques para los filtros indicados"_s);
}

TEST_F(List, PayeeAndSupplierAreInViewAt1366By768WithTheColumnsInTheirOrder)
{
    start();
    w().resize(1366, 740);
    fillTestAccount();
    load();
    QHeaderView* header = list()->header();
    const int room = list()->viewport()->width();
    for (int c = 0; c < ColumnaCheque::Cantidad; ++c)
        EXPECT_EQ(header->visualIndex(c), c);
    for (int c : {static_cast<int>(ColumnaCheque::ALaOrden), static_cast<int>(ColumnaCheque::Proveedor)}) {
        SCOPED_TRACE(c);
        EXPECT_LE(header->sectionViewportPosition(c) + header->sectionSize(c), room);
        // The whole text of every row fits its column.
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QString text = list()->topLevelItem(i)->text(c);
            EXPECT_LE(list()->fontMetrics().horizontalAdvance(text), header->sectionSize(c))
                << text.toStdString();
        }
    }
    EXPECT_EQ(list()->horizontalScrollBar()->value(), 0);
}

} // namespace
