// Printing through the private print server: the calibration report on a selected paper form, the
// cheque run printed on the queue the printer dialog names, and a print server, printer or queue that
// fails the run.
#include "PrintServerFixture.h"

#include "../report/PdfWords.h"

#include "app/AppState.h"
#include "cheques/FrmTalonex.h"
#include "demo/DemoDatabase.h"
#include "printing/Rt_Imp1.h"
#include "report/ClsReporte.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/RuntimeError.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

/// Every word of a page of the PDF, in reading order, joined by blanks.
QString pageText(const std::vector<PdfWord>& words, int page)
{
    QStringList texts;
    for (const PdfWord& word : words) {
        if (word.page == page)
            texts << word.text;
    }
    return texts.join(u' ');
}

class PrintingThroughTheQueue : public PrintServerFixture
{
protected:
    void SetUp() override
    {
        PrintServerFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(ShippedFiles::installSkins(programFolder()));
        for (const QString& report : {u"IMPRESION_CHEQUES.rpt"_s, u"CALIBRACION.rpt"_s})
            ASSERT_TRUE(ShippedFiles::install(report, programFolder()));
    }

    void TearDown() override
    {
        m_window.reset();
        PrintServerFixture::TearDown();
    }

    /// The cheque window started on the demo database, in normal mode or reprint mode.
    FrmTalonex& startWindow(bool reimpresion = false)
    {
        m_window = std::make_unique<FrmTalonex>();
        const QString parametros =
            u"@Server="_s + serverParameter() + u"; @DbName=TALONEX_DEMO; @Usuario="_s + DemoDb::AdminUser +
            u"; @Password=demo; @UsuarioLogeado="_s + DemoDb::AdminUser + u"; @Caja=1;"_s +
            (reimpresion ? u" @ParametroAdicional=Reimpresion;"_s : QString());
        EXPECT_TRUE(m_window->Form_Load(parametros));
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        return *m_window;
    }

    /// Types `text` into the filter field and presses Enter, as the operator does.
    void type(const QString& fieldName, const QString& text)
    {
        QLineEdit* edit = m_window->campo(fieldName);
        ASSERT_NE(edit, nullptr) << fieldName.toStdString();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void clickButton(const QString& name)
    {
        QWidget* button = m_window->findChild<QWidget*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    /// Ticks the list rows `rows` (ascending) with the keyboard: arrows to the row, Space.
    void tickRows(const QList<int>& rows)
    {
        QTreeWidget* list = m_window->Lvw();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        int at = 0;
        for (int row : rows) {
            for (; at < row; ++at)
                QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Space);
        }
    }

    /// Numbers the ticked cheques from B-100 and prints them on the printer the dialog is answered
    /// with: F10 on the window, as the operator presses it. `moreAnswers` queues the answers to the
    /// boxes that follow the printer dialog.
    void loadTickAndPrint(const QList<int>& rows, const QString& printer,
                          const std::function<void()>& moreAnswers = {})
    {
        loadAndTick(rows);
        clickButton(u"chkImpresora"_s);
        ASSERT_TRUE(m_window->findChild<QCheckBox*>(u"chkImpresora"_s)->isChecked());
        op().answerPrinter(printer);
        if (moreAnswers)
            moreAnswers();
        QTest::keyClick(m_window->Lvw(), Qt::Key_F10);
    }

    /// Fills the filters of the test account from B-100, loads its cheques and ticks `rows`.
    void loadAndTick(const QList<int>& rows)
    {
        type(u"idbanco"_s, DemoDb::TestAccount);
        type(u"Serie"_s, DemoDb::TestSeries);
        type(u"NumerarDesde"_s, QString::number(DemoDb::TestFirstFreeNumber));
        clickButton(u"CmdCargar"_s);
        ASSERT_EQ(m_window->Lvw()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
        tickRows(rows);
    }

    QString numberOfVoucher(const QString& numero)
    {
        return scalar(u"SELECT NroComprobanteBancario FROM MV_ASIENTOS WHERE Cuenta = '1.1.02.02' AND "
                      u"Numero = '"_s +
                      numero + u"' AND Tipo_Reg = 'C'"_s)
            .toString();
    }

    /// Prints the server's job list of the queue to the test's output.
    void showJobList(const QString& queue)
    {
        std::cout << "lpstat -W completed -o " << queue.toStdString() << ":\n";
        for (const QString& line : server().completedJobs(queue))
            std::cout << "  " << line.toStdString() << "\n";
    }

    std::unique_ptr<FrmTalonex> m_window;
};

TEST_F(PrintingThroughTheQueue, TheCalibrationReportPrintsOnTheSelectedFormOnPdfAndPostScriptDrivers)
{
    for (const QString& queue : {Cheques, Laser}) {
        SCOPED_TRACE(queue.toStdString());
        ClsReporte::reset();
        ClsReporte& reporte = ClsReporte::instance();
        reporte.CarpetaReportes(programFolder());
        reporte.setImpresora(queue);
        ASSERT_EQ(Rt_Imp1::SeleccionaFormulario(u"MyCustomForm"_s, nullptr), 2);
        reporte.Destino(reporte.DestinoImpresora());
        reporte.ImprimeReporte(u"CALIBRACION"_s, {}, QString(), QString(), QString());
        waitForJobs(queue);
        const QStringList jobs = server().completedJobs(queue);
        ASSERT_EQ(jobs.size(), 1);
        EXPECT_TRUE(jobs.front().startsWith(queue + u"-"_s)) << jobs.front().toStdString();
        showJobList(queue);
        const QString pdf = server().outputAsPdf(queue);
        ASSERT_FALSE(pdf.isEmpty()) << server().logTail().toStdString();
        EXPECT_EQ(pdfPageCount(pdf), 1);
        const QSizeF page = pdfPageSize(pdf);
        EXPECT_NEAR(page.width(), 110, 0.5);
        EXPECT_NEAR(page.height(), 50, 0.5);
    }
}

TEST_F(PrintingThroughTheQueue, TheChequeRunPrintsOnTheQueueThePrinterDialogNames)
{
    startWindow();
    loadTickAndPrint({0, 1, 3}, Cheques);
    verifyOperator();
    EXPECT_FALSE(m_window->Fallo());
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(numberOfVoucher(u"00000360"_s), u"B-102"_s);

    waitForJobs(Cheques);
    const QStringList jobs = server().completedJobs(Cheques);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_TRUE(jobs.front().startsWith(u"Cheques-"_s)) << jobs.front().toStdString();
    showJobList(Cheques);
    const QString pdf = server().outputAsPdf(Cheques);
    ASSERT_FALSE(pdf.isEmpty()) << server().logTail().toStdString();
    // The shipped report: three cheques of 180 x 80 mm on one A4 sheet.
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_NEAR(pdfPageSize(pdf).width(), 210, 0.5);
    EXPECT_NEAR(pdfPageSize(pdf).height(), 297, 0.5);
    const QString text = pageText(readPdfWords(pdf), 1);
    for (const QString& expected :
         {u"Distribuidora del Litoral Sociedad Anónima"_s, u"ciento veinticinco mil cuatrocientos treinta"_s,
          u"Ferretería Industrial Núñez S.R.L."_s, u"cuarenta y ocho mil novecientos con 00/100"_s,
          u"TRANSPORTES PATAGONICOS DEL SUR S.A."_s, u"00000100"_s, u"00000101"_s, u"00000102"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\nin: " << text.toStdString();
}

struct Failure
{
    const char* name;
    std::function<void(PrivateCupsServer&)> breakIt;
    /// The message, with %S for the server's socket.
    QString message;
    /// The printer dialog names "Cheques"; else the run prints on the default printer.
    bool dialog = true;
};

void PrintTo(const Failure& failure, std::ostream* os)
{
    *os << failure.name;
}

class PrintingFailure : public PrintingThroughTheQueue, public ::testing::WithParamInterface<Failure>
{
};

TEST_P(PrintingFailure, IsReportedNamingThePrinterAndTheNumbersStayWritten)
{
    startWindow();
    GetParam().breakIt(server());
    const QString message = QString(GetParam().message).replace(u"%S"_s, server().socketPath());
    if (GetParam().dialog) {
        loadTickAndPrint({0, 1, 3}, Cheques, [&] { op().answerMessage(MsgAnswer::Abort, message); });
    } else {
        loadAndTick({0, 1, 3});
        op().answerMessage(MsgAnswer::Abort, message);
        QTest::keyClick(m_window->Lvw(), Qt::Key_F10);
    }
    ASSERT_FALSE(op().shown().isEmpty());
    const ScriptedOperator::Shown& box = op().shown().back();
    EXPECT_EQ(box.title, u"Aviso al operador"_s);
    EXPECT_TRUE(box.text.contains(u"Rutina: ACTUALIZAR DATOS"_s)) << box.text.toStdString();
    verifyOperator();
    EXPECT_TRUE(m_window->Fallo());
    // Numbered and in the print table: the reprint mode prints them once the printer is back.
    EXPECT_EQ(numberOfVoucher(u"00000341"_s), u"B-100"_s);
    EXPECT_EQ(numberOfVoucher(u"00000348"_s), u"B-101"_s);
    EXPECT_EQ(numberOfVoucher(u"00000360"_s), u"B-102"_s);
    EXPECT_EQ(scalar(u"SELECT count(*) FROM AUX_IMPRESION"_s).toInt(), 3);
    EXPECT_FALSE(QFile::exists(server().outputFile(Cheques)));
}

INSTANTIATE_TEST_SUITE_P(
    Printing, PrintingFailure,
    ::testing::Values(
        Failure{"QueueRejectingJobs",
                [](PrivateCupsServer& s) {
                    s.tool(u"cupsreject"_s, {u"-r"_s, u"Sin formularios de cheque"_s, u"Cheques"_s});
                },
                u"La impresora \"Cheques\" no acepta trabajos: Sin formularios de cheque."_s},
        Failure{"PrinterThatDisappeared",
                [](PrivateCupsServer& s) {
                    s.tool(u"lpadmin"_s, {u"-x"_s, u"Cheques"_s});
                },
                u"La impresora \"Cheques\" no está disponible. El servidor de impresión no tiene ninguna "
                u"impresora con ese nombre."_s},
        Failure{"PrintServerNotRunning", [](PrivateCupsServer& s) { s.stop(); },
                u"La impresora \"Cheques\" no está disponible. El servidor de impresión (%S) no responde."_s},
        Failure{"DefaultPrinterWithoutPrintServer", [](PrivateCupsServer& s) { s.stop(); },
                u"No se pueden imprimir los cheques: el servidor de impresión no responde."_s, false}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(PrintingThroughTheQueue, AJobTheServerRefusesIsAFailureNotAPrintedReport)
{
    // The queue accepts jobs, but its quota lets only the first one through.
    ClsReporte& reporte = ClsReporte::instance();
    reporte.CarpetaReportes(programFolder());
    reporte.setImpresora(Cupo);
    reporte.Destino(reporte.DestinoImpresora());
    reporte.ImprimeReporte(u"CALIBRACION"_s, {}, QString(), QString(), QString());
    waitForJobs(Cupo);
    ASSERT_EQ(server().completedJobs(Cupo).size(), 1);
    try {
        reporte.ImprimeReporte(u"CALIBRACION"_s, {}, QString(), QString(), QString());
        ADD_FAILURE() << "the refused job was reported printed";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description().startsWith(u"La impresora \"Cupo\" no aceptó el trabajo: "_s))
            << error.description().toStdString();
    }
    EXPECT_EQ(server().completedJobs(Cupo).size(), 1);
}

TEST_F(PrintingThroughTheQueue, ChequesARejectingQueueLeftNumberedPrintAgainInReprintMode)
{
    startWindow();
    server().tool(u"cupsreject"_s, {u"Cheques"_s});
    loadTickAndPrint({0, 1}, Cheques, [&] { op().answerMessage(MsgAnswer::Abort, u"no acepta trabajos"_s); });
    verifyOperator();
    ASSERT_EQ(numberOfVoucher(u"00000348"_s), u"B-101"_s);
    m_window.reset();
    resetAppState();

    cups(u"cupsaccept"_s, {Cheques});
    startWindow(true);
    type(u"idbanco"_s, DemoDb::TestAccount);
    type(u"Serie"_s, DemoDb::TestSeries);
    type(u"NumerarDesde"_s, u"100"_s);
    type(u"NumerarHasta"_s, u"101"_s);
    clickButton(u"CmdCargar"_s);
    ASSERT_EQ(m_window->Lvw()->topLevelItemCount(), 2);
    clickButton(u"CmdTodos"_s);
    clickButton(u"chkImpresora"_s);
    op().answerPrinter(Cheques);
    QTest::keyClick(m_window->Lvw(), Qt::Key_F10);
    verifyOperator();
    waitForJobs(Cheques);
    ASSERT_EQ(server().completedJobs(Cheques).size(), 1);
    const QString text = pageText(readPdfWords(server().outputAsPdf(Cheques)), 1);
    for (const QString& expected : {u"00000100"_s, u"00000101"_s, u"Distribuidora del Litoral"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\nin: " << text.toStdString();
}

} // namespace
