// Generation and printing end to end on the demo database: the numbers written to the accounting
// lines, the print rows, the PDF the report prints, reprint, and the ways a run stops or fails.
#include "ChequeWindowFixture.h"

#include "../report/PdfWords.h"
#include "cheques/BloqueoPuesto.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Generation : public ChequeWindowFixture
{
protected:
    void SetUp() override
    {
        ChequeWindowFixture::SetUp();
        ASSERT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, programFolder()));
        m_pdf = folder() + u"/cheques.pdf"_s;
    }

    FrmTalonex& startPrintingToPdf(bool reimpresion = false, const QString& usuario = DemoDb::AdminUser)
    {
        start(reimpresion, usuario);
        w().setArchivoPdf(m_pdf);
        return w();
    }

    /// The cheque number of the accounting line of a voucher number of the test account.
    QString numberOfVoucher(const QString& numero)
    {
        return scalar(
                   u"SELECT NroComprobanteBancario FROM MV_ASIENTOS WHERE Cuenta = '1.1.02.02' AND Numero = '"_s +
                   numero + u"' AND Tipo_Reg = 'C'"_s)
            .toString();
    }

    int printRows() { return scalar(u"SELECT count(*) FROM AUX_IMPRESION"_s).toInt(); }

    void exec(const QString& sql)
    {
        QSqlQuery q(openMainDatabase());
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }

    /// F10 on the window, as the operator presses "Grabar".
    void pressGrabar() { QTest::keyClick(&w(), Qt::Key_F10); }

    void clickButton(const QString& name)
    {
        QPushButton* button = w().findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    /// The ticks of the list, in its order ("x" ticked, "." not).
    QString ticks()
    {
        QString out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out += list()->topLevelItem(i)->checkState(0) == Qt::Checked ? u'x' : u'.';
        return out;
    }

    /// Clicks the banner's cancel button as soon as the run lets events through.
    void pressCancelDuringTheRun()
    {
        QTimer::singleShot(0, [] {
            if (Lbf_CtrlDisplay* banner = gDisplay().ventana())
                banner->findChild<QPushButton*>(u"CmdDisplayCancelar"_s)->click();
        });
    }

    QString m_pdf;
};

TEST_F(Generation, TickThreeOfFiveNumbersTheLinesFillsThePrintTableAndPrints)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    tick(3);
    m_sent.clear();
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_FALSE(w().Fallo());

    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(numberOfVoucher(u"00000348"_s), u"B-101"_s);
    EXPECT_EQ(numberOfVoucher(u"00000354"_s), u"*-"_s);
    EXPECT_EQ(numberOfVoucher(u"00000360"_s), u"B-102"_s);
    EXPECT_EQ(numberOfVoucher(u"00000363"_s), u"*-"_s);

    // UPDATE then INSERT per cheque, each pair in its own transaction.
    QStringList kinds;
    for (const QString& s : m_sent) {
        const QString first = s.section(u' ', 0, 0).toUpper();
        if (first == u"UPDATE" || first == u"INSERT" || first == u"DELETE")
            kinds << first;
    }
    EXPECT_EQ(kinds, (QStringList{u"DELETE"_s, u"UPDATE"_s, u"INSERT"_s, u"UPDATE"_s, u"INSERT"_s,
                                  u"UPDATE"_s, u"INSERT"_s}));
    EXPECT_EQ(sentMatching(u"COMMIT TRANSACTION"_s).size(), 3);
    EXPECT_TRUE(
        sentMatching(u"UPDATE MV_ASIENTOS"_s)
            .value(0)
            .startsWith(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='B-100' WHERE tc='OP' and sucursal= "
                        u"'0001' and numero= '00000341' and letra= 'X' and cuenta= '1.1.02.02'"_s));

    QSqlQuery rows(openMainDatabase());
    ASSERT_TRUE(rows.exec(
        u"SELECT USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, IMPORTEENLETRA, SERIE, NUMERO "
        u"FROM AUX_IMPRESION ORDER BY NUMERO"_s));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toString(), appState().gPuestoUsuario);
    EXPECT_EQ(rows.value(1).toString(), DemoDb::TestAccount);
    EXPECT_EQ(rows.value(2).toString(), u"04/11/2024"_s);
    EXPECT_EQ(rows.value(3).toString(), u"04/11/2024"_s);
    EXPECT_EQ(rows.value(4).toString(), u"Distribuidora del Litoral Sociedad Anónima"_s);
    EXPECT_DOUBLE_EQ(rows.value(5).toDouble(), 125430.5);
    EXPECT_EQ(rows.value(6).toString(), u"ciento veinticinco mil cuatrocientos treinta  con 50/100"_s);
    EXPECT_EQ(rows.value(7).toString(), u"B"_s);
    EXPECT_EQ(rows.value(8).toInt(), 100);
    // The words keep the two blanks an empty currency text leaves before "con".
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(4).toString(), u"Ferretería Industrial Núñez S.R.L."_s);
    EXPECT_EQ(rows.value(6).toString(), u"cuarenta y ocho mil novecientos con 00/100"_s);
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(4).toString(), u"TRANSPORTES PATAGONICOS DEL SUR S.A."_s);
    EXPECT_EQ(rows.value(8).toInt(), 102);
    EXPECT_FALSE(rows.next());

    // The printed cheques: three on one sheet, at the layout's positions (cheque p starts 8 + 95 p mm
    // down; the payee 30 mm below that, the number 5 mm).
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    ASSERT_FALSE(words.empty()) << "no PDF at " << m_pdf.toStdString();
    const struct
    {
        const char16_t* payeeWord;
        const char16_t* number;
        const char16_t* amountWord;
    } expected[] = {{u"Distribuidora", u"00000100", u"veinticinco"},
                    {u"Ferretería", u"00000101", u"cuarenta"},
                    {u"TRANSPORTES", u"00000102", u"trescientos"}};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        const double top = 8 + 95 * p;
        const auto near = [&](const char16_t* text, double y) {
            for (const PdfWord& word : wordsNamed(words, QString::fromUtf16(text)))
                if (std::abs(word.box.center().y() - y) < 6)
                    return true;
            return false;
        };
        EXPECT_TRUE(near(expected[p].payeeWord, top + 30));
        EXPECT_TRUE(near(expected[p].number, top + 5));
        bool words = false;
        for (const PdfWord& word : readPdfWords(m_pdf))
            words |= word.text.startsWith(QString::fromUtf16(expected[p].amountWord)) &&
                     std::abs(word.box.center().y() - (top + 40)) < 9;
        EXPECT_TRUE(words);
    }
    // Back to the idle state after a run that ended well.
    EXPECT_EQ(list()->columnCount(), 0);
}

TEST_F(Generation, ReprintPrintsTheNumberedChequesAgainWithoutAnyUpdate)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    w().Morvane1_click(u"GRABAR"_s);
    ASSERT_EQ(numberOfVoucher(u"00000348"_s), u"B-101"_s);
    m_window.reset();
    resetAppState();
    QFile::remove(m_pdf);

    startPrintingToPdf(true);
    field(u"idbanco"_s)->setText(DemoDb::TestAccount);
    field(u"Serie"_s)->setText(u"B"_s);
    field(u"NumerarDesde"_s)->setText(u"100"_s);
    field(u"NumerarHasta"_s)->setText(u"101"_s);
    load();
    ASSERT_EQ(list()->topLevelItemCount(), 2);
    w().CmdTodos_Click();
    m_sent.clear();
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_TRUE(sentMatching(u"UPDATE"_s).isEmpty());
    EXPECT_EQ(sentMatching(u"INSERT INTO AUX_IMPRESION"_s).size(), 2);
    EXPECT_EQ(scalar(u"SELECT group_concat(NUMERO) FROM (SELECT NUMERO FROM AUX_IMPRESION ORDER BY NUMERO)"_s)
                  .toString(),
              u"100,101"_s);
    EXPECT_FALSE(wordsNamed(readPdfWords(m_pdf), u"00000101"_s).empty());
}

TEST_F(Generation, NothingTickedOnlyEmptiesThisWorkstationsPrintRows)
{
    exec(
        u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('OTRO|PUESTO', '1.1.02.02', 'queda')"_s);
    startPrintingToPdf();
    exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('"_s + appState().gPuestoUsuario +
         u"', '1.1.02.02', 'se borra')"_s);
    fillTestAccount();
    load();
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(printRows(), 1);
    EXPECT_FALSE(QFile::exists(m_pdf));
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
}

TEST_F(Generation, CancelledPrinterChoiceChangesNothing)
{
    startPrintingToPdf();
    exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('"_s + appState().gPuestoUsuario +
         u"', '1.1.02.02', 'anterior')"_s);
    fillTestAccount();
    load();
    tick(0);
    w().findChild<QCheckBox*>(u"chkImpresora"_s)->setChecked(true);
    op().answerPrinter(std::nullopt);
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(printRows(), 1);
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
    EXPECT_FALSE(QFile::exists(m_pdf));
}

TEST_F(Generation, StoppingFromTheBannerKeepsWhatWasDoneAndPrintsIt)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    w().CmdTodos_Click();
    pressCancelDuringTheRun();
    // The cancel mark stays until the banner closes: asked after every cheque, No goes on.
    op().answerMessage(MsgAnswer::No, u"Desdea Cancelar el proceso?"_s);
    op().answerMessage(MsgAnswer::Yes, u"Desdea Cancelar el proceso?"_s);
    op().answerMessage(MsgAnswer::Ok, u"Ultimo cheque generado: B-101"_s);
    w().Morvane1_click(u"GRABAR"_s);
    verifyOperator();
    EXPECT_EQ(printRows(), 2);
    EXPECT_EQ(numberOfVoucher(u"00000354"_s), u"*-"_s);
    EXPECT_FALSE(wordsNamed(readPdfWords(m_pdf), u"00000101"_s).empty());
}

TEST_F(Generation, AChequeNumberedMeanwhileByAnotherWorkstationStopsTheRun)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    tick(2);
    ASSERT_TRUE(w().DatosValidos());
    // Between the validation and the numbering, another workstation numbers the second cheque.
    exec(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = 'B-140' WHERE Cuenta = '1.1.02.02' AND Numero = "
         u"'00000348' AND Tipo_Reg = 'C'"_s);
    op().answerMessage(MsgAnswer::Ok, u"no recibio el numero B-101"_s);
    op().answerMessage(MsgAnswer::Ok, u"Se generaron 1 de 3 cheques marcados"_s);
    w().ActualizarDatos();
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(numberOfVoucher(u"00000348"_s), u"B-140"_s);
    EXPECT_EQ(numberOfVoucher(u"00000354"_s), u"*-"_s);
    EXPECT_EQ(printRows(), 1);
    EXPECT_FALSE(wordsNamed(readPdfWords(m_pdf), u"00000100"_s).empty());
}

TEST_F(Generation, ANumberGivenMeanwhileOnTheAccountIsNeverGivenTwice)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    ASSERT_TRUE(w().DatosValidos());
    // Between the validation and the numbering, another workstation gives B-100 to another cheque.
    exec(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = 'B-100' WHERE Cuenta = '1.1.02.02' AND Numero = "
         u"'00000363' AND Tipo_Reg = 'C'"_s);
    op().answerMessage(MsgAnswer::Ok, u"no recibio el numero B-100"_s);
    op().answerMessage(MsgAnswer::Ok, u"Se generaron 0 de 1"_s);
    w().ActualizarDatos();
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
    EXPECT_EQ(scalar(u"SELECT count(*) FROM MV_ASIENTOS WHERE NroComprobanteBancario = 'B-100'"_s).toInt(),
              1);
    EXPECT_EQ(printRows(), 0);
}

TEST_F(Generation, AFailedPrintRowUndoesItsNumberAndSkippingGivesTheNumberToTheNextCheque)
{
    exec(u"CREATE TRIGGER falla_impresion BEFORE INSERT ON AUX_IMPRESION WHEN NEW.NOMBRE LIKE 'Ferret%' "
         u"BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"_s);
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    tick(2);
    op().answerMessage(MsgAnswer::Ignore, u"No se pudo generar el cheque"_s);
    op().answerMessage(MsgAnswer::Ok, u"Se generaron 2 de 3 cheques marcados"_s);
    w().Morvane1_click(u"GRABAR"_s);
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(numberOfVoucher(u"00000348"_s), u"*-"_s);
    EXPECT_EQ(numberOfVoucher(u"00000354"_s), u"B-101"_s);
    EXPECT_EQ(printRows(), 2);
}

TEST_F(Generation, ADatabaseFileDeletedDuringTheRunStopsItAndNothingPrints)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    // The file goes while the program holds it open, as a careless copy or clean-up would do it.
    ASSERT_TRUE(QFile::remove(folder() + u"/TALONEX_DEMO.db"_s));
    op().answerMessage(MsgAnswer::Ok,
                       u"El archivo de la base de datos fue borrado o reemplazado durante la corrida"_s);
    pressGrabar();
    verifyOperator();
    EXPECT_TRUE(w().Fallo());
    EXPECT_FALSE(QFile::exists(m_pdf)) << "cheques printed from a database that is gone";
    EXPECT_EQ(w().ultimaCorrida().imprimir, false);
}

TEST_F(Generation, AnAmountTooLargeForTheWordsIsRefusedBeforeAnythingIsNumbered)
{
    exec(u"UPDATE MV_ASIENTOS SET Importe = 1234567890123.45 WHERE Cuenta = '1.1.02.02' AND Numero = "
         u"'00000354' "
         u"AND Tipo_Reg = 'C'"_s);
    startPrintingToPdf();
    fillTestAccount();
    load();
    w().CmdTodos_Click();
    op().answerMessage(MsgAnswer::Ok, u"mas de doce cifras enteras"_s);
    m_sent.clear();
    pressGrabar();
    verifyOperator();
    EXPECT_TRUE(sentMatching(u"UPDATE"_s).isEmpty());
    EXPECT_TRUE(sentMatching(u"DELETE"_s).isEmpty());
    // The run failed: the list and its ticks stay, so the operator only unticks that cheque.
    EXPECT_TRUE(w().Fallo());
    EXPECT_EQ(list()->columnCount(), ColumnaCheque::Cantidad);
    EXPECT_EQ(ticks(), u"xxxxx"_s);
}

TEST_F(Generation, APlainUserNumbersThroughTheRestrictedViews)
{
    startPrintingToPdf(false, DemoDb::PlainUser);
    fillTestAccount();
    load();
    tick(0);
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(printRows(), 1);
}

TEST_F(Generation, ReportConfigurationIsSavedByAdministratorsOnly)
{
    start(false, DemoDb::PlainUser);
    exec(u"INSERT INTO ta_configuracion (Clave, Valor, ValorAux, Grupo) VALUES ('RPTFCH_1.1.02.05', "
         u"'1.1.02.05', "
         u"'/viejo.rpt', 'DATOS')"_s);
    w().findChild<QLineEdit*>(u"TXTBANCO1_0"_s)->setText(DemoDb::TestAccount);
    op().answerMessage(MsgAnswer::Ok,
                       u"Debe ser usuario con atributo administrador para cambiar esta configuracion"_s);
    w().findChild<QPushButton*>(u"CmdGrabar"_s)->click();
    verifyOperator();
    EXPECT_EQ(scalar(u"SELECT count(*) FROM ta_configuracion WHERE Clave LIKE 'RptFCh_%'"_s).toInt(), 1);
    m_window.reset();
    resetAppState();

    start();
    w().findChild<QLineEdit*>(u"TXTBANCO1_0"_s)->setText(DemoDb::TestAccount + u" "_s);
    w().findChild<QLineEdit*>(u"TxtUbicacion_0"_s)->setText(u"/informes/galicia.rpt"_s);
    w().findChild<QLineEdit*>(u"TXTBANCO1_1"_s)->clear();
    w().findChild<QLineEdit*>(u"TxtUbicacion_1"_s)->clear();
    op().answerMessage(MsgAnswer::Ok, u"Datos guardados con exito"_s);
    w().findChild<QPushButton*>(u"CmdGrabar"_s)->click();
    verifyOperator();
    EXPECT_EQ(scalar(u"SELECT group_concat(Clave || '=' || ifnull(ValorAux, '-'), ' ') FROM (SELECT * FROM "
                     u"ta_configuracion WHERE Clave LIKE 'RptFCh_%' ORDER BY Clave)"_s)
                  .toString(),
              u"RPTFCH_=- RPTFCH_1.1.02.02=/informes/galicia.rpt"_s);

    // Browsing: a chosen file fills the row, a cancel empties it.
    op().answerOpenFile(u"/informes/macro.rpt"_s, u"Seleccionar el Reporte"_s);
    w().findChild<QPushButton*>(u"cmdExplorar_2"_s)->click();
    EXPECT_EQ(w().findChild<QLineEdit*>(u"TxtUbicacion_2"_s)->text(), u"/informes/macro.rpt"_s);
    op().answerOpenFile(std::nullopt);
    w().findChild<QPushButton*>(u"cmdExplorar_2"_s)->click();
    EXPECT_TRUE(w().findChild<QLineEdit*>(u"TxtUbicacion_2"_s)->text().isEmpty());
}

TEST_F(Generation, AReportThatCannotPrintIsToldBeforeAnyNumberIsSpent)
{
    const QString invalido = folder() + u"/invalido.rpt"_s;
    {
        QFile file(invalido);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("esto no es un reporte\n");
    }
    const struct
    {
        QString archivo;
        const char16_t* mensaje;
    } cases[] = {{folder() + u"/no-existe.rpt"_s, u"No se encuentra el reporte"},
                 {invalido, u"invalido.rpt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archivo.toStdString());
        exec(u"DELETE FROM ta_configuracion WHERE Clave LIKE 'RptFCh_%'"_s);
        exec(u"INSERT INTO ta_configuracion (Clave, Valor, ValorAux, Grupo) VALUES ('RPTFCH_1.1.02.02', "
             u"'1.1.02.02', '"_s +
             c.archivo + u"', 'DATOS')"_s);
        exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('"_s + appState().gPuestoUsuario +
             u"', '1.1.02.02', 'anterior')"_s);
        startPrintingToPdf();
        fillTestAccount();
        load();
        tick(0);
        op().answerMessage(MsgAnswer::Ok, QString::fromUtf16(c.mensaje));
        m_sent.clear();
        pressGrabar();
        ASSERT_FALSE(op().shown().isEmpty());
        EXPECT_TRUE(op().shown().last().text.contains(u"No se numero ningun cheque"_s));
        verifyOperator();
        // Nothing changed: no number, the earlier print row still there, the list as it was.
        EXPECT_TRUE(sentMatching(u"UPDATE"_s).isEmpty());
        EXPECT_TRUE(sentMatching(u"DELETE"_s).isEmpty());
        EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
        EXPECT_EQ(printRows(), 1);
        EXPECT_TRUE(w().Fallo());
        EXPECT_EQ(list()->columnCount(), ColumnaCheque::Cantidad);
        EXPECT_EQ(ticks(), u"x...."_s);
        EXPECT_FALSE(QFile::exists(m_pdf));
        m_window.reset();
        resetAppState();
        exec(u"DELETE FROM AUX_IMPRESION"_s);
    }

    // The account's own report, once it is a valid one, prints the cheques.
    const QString propio = folder() + u"/propio.rpt"_s;
    ASSERT_TRUE(QFile::copy(programFolder() + u"IMPRESION_CHEQUES.rpt"_s, propio));
    exec(u"UPDATE ta_configuracion SET ValorAux = '"_s + propio + u"' WHERE Clave = 'RPTFCH_1.1.02.02'"_s);
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    pressGrabar();
    EXPECT_FALSE(w().Fallo());
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_FALSE(wordsNamed(readPdfWords(m_pdf), u"00000100"_s).empty());
    EXPECT_EQ(w().ultimaCorrida().impresos, 1);
}

} // namespace

namespace {

TEST_F(Generation, ThePreviewShowsTheChequesBeforeAnythingPrints)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    w().findChild<QCheckBox*>(u"ChkPantalla"_s)->setChecked(true);
    // The banner lets events run before the preview exists: watch until the preview is up.
    QString shown;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        if (preview && preview->objectName() == u"VistaPreviaReporte") {
            shown = preview->objectName();
            preview->close();
            watcher.stop();
        }
    });
    watcher.start();
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(shown, u"VistaPreviaReporte"_s);
    EXPECT_EQ(printRows(), 1);
    EXPECT_FALSE(QFile::exists(m_pdf)); // the preview, not the file
}

} // namespace

namespace {

TEST_F(Generation, ASecondRunKeepsOnlyItsOwnPrintRowsAndAmountsGoInWithAPoint)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    w().Morvane1_click(u"GRABAR"_s);
    ASSERT_EQ(printRows(), 1);

    fillTestAccount(u"101"_s);
    load();
    // The last cheque of the account: "1.234,50" in the list.
    tick(list()->topLevelItemCount() - 1);
    ASSERT_EQ(list()->topLevelItem(list()->topLevelItemCount() - 1)->text(ColumnaCheque::Importe).trimmed(),
              u"1.234,50"_s);
    m_sent.clear();
    w().Morvane1_click(u"GRABAR"_s);
    EXPECT_EQ(printRows(), 1);
    EXPECT_TRUE(sentMatching(u"INSERT INTO AUX_IMPRESION"_s).value(0).contains(u",1234.5,"_s));
    EXPECT_EQ(scalar(u"SELECT IMPORTEENLETRA FROM AUX_IMPRESION"_s).toString(),
              u"un mil doscientos treinta y cuatro  con 50/100"_s);
    EXPECT_EQ(scalar(u"SELECT NUMERO FROM AUX_IMPRESION"_s).toInt(), 101);
}

} // namespace

namespace {

// Two ways a print row is not written without an error left on the connection: a trigger that
// drops the row, and a truncation, which the data layer clears from the errors as the server's
// warning it is. Either way the cheque's number goes back and the next cheque takes it.
struct UnwrittenPrintRow
{
    const char* name;
    QStringList schema;
    const char16_t* numbers; // of vouchers 341, 348 and 354
};

void PrintTo(const UnwrittenPrintRow& row, std::ostream* out)
{
    *out << row.name;
}

class GenerationUnwrittenPrintRow : public Generation, public ::testing::WithParamInterface<UnwrittenPrintRow>
{
};

TEST_P(GenerationUnwrittenPrintRow, UndoesItsNumber)
{
    for (const QString& sql : GetParam().schema)
        exec(sql);
    startPrintingToPdf();
    fillTestAccount();
    load();
    tick(0);
    tick(1);
    tick(2);
    op().answerMessage(MsgAnswer::Ignore, u"La fila de impresion no se grabo"_s);
    op().answerMessage(MsgAnswer::Ok, u"Se generaron 2 de 3 cheques marcados"_s);
    pressGrabar();
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s) + u' ' + numberOfVoucher(u"00000348"_s) + u' ' +
                  numberOfVoucher(u"00000354"_s),
              QString::fromUtf16(GetParam().numbers));
    // Every number written has its print row, and only those.
    EXPECT_EQ(scalar(u"SELECT group_concat(NUMERO) FROM (SELECT NUMERO FROM AUX_IMPRESION ORDER BY NUMERO)"_s)
                  .toString(),
              u"100,101"_s);
    EXPECT_EQ(w().ultimaCorrida().generados, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, GenerationUnwrittenPrintRow,
    ::testing::Values(
        UnwrittenPrintRow{"DroppedByATrigger",
                          {u"CREATE TRIGGER descarta BEFORE INSERT ON AUX_IMPRESION WHEN NEW.NOMBRE LIKE "
                           u"'Ferret%' BEGIN SELECT RAISE(IGNORE); END"_s},
                          u"B-100 *- B-101"},
        // The first payee has 42 characters, the others 34 and 36.
        UnwrittenPrintRow{
            "Truncated",
            {u"DROP TABLE AUX_IMPRESION"_s,
             u"CREATE TABLE AUX_IMPRESION (Id INTEGER PRIMARY KEY, USUARIO VARCHAR(50), CUENTA VARCHAR(15), "
             u"FECHA VARCHAR(10), VENCIMIENTO VARCHAR(10), NOMBRE VARCHAR(36) CHECK (length(NOMBRE) <= 36), "
             u"IMPORTE NUMERIC(18,2), IMPORTEENLETRA VARCHAR(255), SERIE VARCHAR(1), NUMERO INTEGER)"_s},
            u"*- B-100 B-101"}),
    [](const ::testing::TestParamInfo<UnwrittenPrintRow>& info) { return std::string(info.param.name); });

TEST_F(Generation, ANumberWrittenWithLeadingZerosIsTakenAndTheGuardLocksWhatItReads)
{
    // Another workstation writes B-0100 after this run's checks: the number part is 100 all the same.
    // The print rows of the run are emptied after the checks; a trigger there stands for it.
    exec(u"CREATE TRIGGER otro_puesto AFTER DELETE ON AUX_IMPRESION BEGIN UPDATE MV_ASIENTOS SET "
         u"NroComprobanteBancario = 'b-0100' WHERE Cuenta = '1.1.02.02' AND Numero = '00000363' AND Tipo_Reg "
         u"= "
         u"'C'; END"_s);
    startPrintingToPdf();
    exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('"_s + appState().gPuestoUsuario +
         u"', '1.1.02.02', 'anterior')"_s);
    fillTestAccount();
    load();
    tick(0);
    op().answerMessage(MsgAnswer::Ok, u"no recibio el numero B-100"_s);
    op().answerMessage(MsgAnswer::Ok, u"Se generaron 0 de 1"_s);
    m_sent.clear();
    pressGrabar();
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
    EXPECT_EQ(printRows(), 0);
    const QString guard = sentMatching(u"UPDATE MV_ASIENTOS"_s).value(0);
    EXPECT_TRUE(
        guard.contains(u"not exists (select 1 from MV_ASIENTOS with (updlock, holdlock) where cuenta= "
                       u"'1.1.02.02' and (NroComprobanteBancario='B-100' or "
                       u"(NroComprobanteBancario>='B-0' and NroComprobanteBancario<'B-1' and "
                       u"convert(int,substring(NroComprobanteBancario,3,100))=100)))"_s))
        << guard.toStdString();

    // The checks before a run see it too: from 100 again, the operator is asked and told.
    load();
    field(u"NumerarDesde"_s)->clear();
    tick(0);
    field(u"NumerarDesde"_s)->setText(u"100"_s);
    op().answerMessage(MsgAnswer::Yes, u"Ya existe un cheque cargado que es mayor"_s);
    op().answerMessage(MsgAnswer::Ok, u"Nro: 'B-100'"_s);
    pressGrabar();
    verifyOperator();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
}

TEST_F(Generation, TheRunTellsWhatItNumberedAndTheNextFreeNumber)
{
    startPrintingToPdf();
    fillTestAccount();
    load();
    std::vector<ResultadoGeneracion> runs;
    QObject::connect(&w(), &FrmTalonex::corridaTerminada,
                     [&runs](const ResultadoGeneracion& r) { runs.push_back(r); });
    tick(1);
    tick(2);
    tick(4);
    pressGrabar();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].marcados, 3);
    EXPECT_EQ(runs[0].generados, 3);
    EXPECT_EQ(runs[0].impresos, 3);
    EXPECT_EQ(runs[0].primero, u"B-100"_s);
    EXPECT_EQ(runs[0].ultimo, u"B-102"_s);
    EXPECT_EQ(runs[0].siguienteLibre, u"B-103"_s);
    EXPECT_FALSE(runs[0].fallo);

    // Numbers another workstation gave meanwhile count for the next free number.
    exec(u"UPDATE MV_ASIENTOS SET NroComprobanteBancario = 'B-120' WHERE Cuenta = '1.1.02.02' AND Numero = "
         u"'00000363' AND Tipo_Reg = 'C'"_s);
    fillTestAccount(u"103"_s);
    load();
    field(u"NumerarDesde"_s)->clear();
    tick(0);
    field(u"NumerarDesde"_s)->setText(u"103"_s);
    op().answerMessage(MsgAnswer::Yes, u"Ya existe un cheque cargado que es mayor"_s);
    pressGrabar();
    verifyOperator();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].primero, u"B-103"_s);
    EXPECT_EQ(runs[1].siguienteLibre, u"B-121"_s);
    EXPECT_EQ(w().ultimaCorrida().siguienteLibre, u"B-121"_s);
}

TEST_F(Generation, ARunIsRefusedWhileAnotherRunOfTheSameWorkstationKeyHoldsIt)
{
    startPrintingToPdf();
    exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, NOMBRE) VALUES ('"_s + appState().gPuestoUsuario +
         u"', '1.1.02.02', 'de la otra corrida')"_s);
    fillTestAccount();
    load();
    tick(0);
    {
        // The other run: the same key on the same database.
        const DB_Dll& db = DataGlobals::gDB();
        BloqueoPuesto otra(db.gServidor + u'|' + db.gDBName, appState().gPuestoUsuario);
        ASSERT_EQ(otra.toma(), BloqueoPuesto::Resultado::Tomado);
        op().answerMessage(MsgAnswer::Ok, u"Ya se estan generando cheques en este puesto con la clave "_s +
                                              appState().gPuestoUsuario);
        pressGrabar();
        verifyOperator();
        EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"*-"_s);
        EXPECT_EQ(scalar(u"SELECT NOMBRE FROM AUX_IMPRESION"_s).toString(), u"de la otra corrida"_s);
        EXPECT_EQ(ticks(), u"x...."_s);
    }
    // Once the other run is over, this one goes ahead.
    pressGrabar();
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(printRows(), 1);
}

TEST_F(Generation, PercentSignsInThePayeePrintAsWritten)
{
    exec(
        u"UPDATE ma_cuentasadic SET datospago = 'ACME 100%3 Y %4 S.A.' WHERE codigo = (SELECT CuentaDestino "
        u"FROM v_chequesentregados WHERE CUENTA = '1.1.02.02' AND Numero = '00000341' AND Tipo_Reg = 'C')"_s);
    startPrintingToPdf();
    fillTestAccount();
    load();
    ASSERT_EQ(list()->topLevelItem(0)->text(ColumnaCheque::ALaOrden), u"ACME 100%3 Y %4 S.A."_s);
    tick(0);
    pressGrabar();
    EXPECT_EQ(scalar(u"SELECT NOMBRE FROM AUX_IMPRESION"_s).toString(), u"ACME 100%3 Y %4 S.A."_s);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_FALSE(wordsNamed(words, u"100%3"_s).empty());
    EXPECT_FALSE(wordsNamed(words, u"%4"_s).empty());
}

} // namespace
