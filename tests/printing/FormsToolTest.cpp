// The paper forms of a printer on the private print server: the forms tool's list, defining and
// selecting "MyCustomForm", selecting and deleting listed forms, and the routines' error results.
#include "PrintServerFixture.h"

#include "../report/PdfWords.h"

#include "app/AppState.h"
#include "app/Inicio.h"
#include "demo/DemoDatabase.h"
#include "printing/FrmEjemplo.h"
#include "printing/ImpresoraAbierta.h"
#include "printing/Rt_Imp1.h"
#include "report/ClsReporte.h"
#include "support/ShippedFiles.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Icon = MessageBoxStyle::Icon;

/// Closes the cheque report's preview as soon as it is up and keeps the paper it showed; with
/// `print`, prints what it shows first, as its print button does once the print dialog is accepted.
class PreviewCatcher
{
public:
    explicit PreviewCatcher(bool print = false)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this, print] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview || preview->objectName() != u"VistaPreviaReporte"_s)
                return;
            ++m_shown;
            m_paper = preview->printer()->pageLayout().pageSize();
            if (print)
                preview->findChild<QPrintPreviewWidget*>()->print();
            preview->close();
        });
        m_timer.start();
    }

    int shown() const { return m_shown; }
    const QPageSize& paper() const { return m_paper; }

private:
    QTimer m_timer;
    int m_shown = 0;
    QPageSize m_paper;
};

class FormsTool : public PrintServerFixture
{
protected:
    void SetUp() override
    {
        PrintServerFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(ShippedFiles::install(u"IMPRESION_CHEQUES.rpt"_s, programFolder()));
    }

    void TearDown() override
    {
        m_window.reset();
        PrintServerFixture::TearDown();
    }

    /// Starts the program on the demo database as `talonex --formularios` does and opens the tool.
    FrmEjemplo& startTool()
    {
        const QString parametros =
            u"@Server="_s + serverParameter() + u"; @DbName=TALONEX_DEMO; @Usuario="_s + DemoDb::AdminUser +
            u"; @Password=demo; @UsuarioLogeado="_s + DemoDb::AdminUser + u"; @Caja=1;"_s;
        QString cadena;
        EXPECT_NE(IniciarAplicacion(false, parametros, cadena, 3), ResultadoInicio::SinConexion);
        ClsReporte::instance().CarpetaReportes(appState().gCarpetaPrograma);
        m_window = std::make_unique<FrmEjemplo>();
        m_window->Form_Load();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        return *m_window;
    }

    QStringList lines() const
    {
        QStringList out;
        for (int i = 0; i < m_window->List1()->count(); ++i)
            out << m_window->List1()->item(i)->text();
        return out;
    }

    void click(const QString& button)
    {
        auto* b = m_window->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }

    /// Clicks the list line that starts with `start`.
    void clickLine(const QString& start)
    {
        QListWidget* list = m_window->List1();
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().startsWith(start)) {
                list->scrollToItem(list->item(i));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(i)).center());
                ASSERT_TRUE(list->item(i)->isSelected());
                return;
            }
        }
        FAIL() << "no line starts with " << start.toStdString();
    }

    void writeForms(const QString& text)
    {
        QFile file(formsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    QString forms() const { return QString::fromUtf8(readFile(formsFile())); }

    /// One print row, so that the cheque report has a page to preview.
    void addPrintRow()
    {
        QSqlQuery q(openMainDatabase());
        ASSERT_TRUE(
            q.exec(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, IMPORTE, "
                   u"IMPORTEENLETRA, SERIE, NUMERO) VALUES ('PC|USUARIO', '1.1.02.02', '10/12/2026', "
                   u"'10/12/2026', 'Proveedor de Prueba', 15256, 'quince mil', 'B', 100)"_s));
    }

    /// The last box shown, as "title|text".
    QString lastBox() const
    {
        const auto& shown = const_cast<FormsTool*>(this)->op().shown();
        return shown.isEmpty() ? QString() : shown.back().title + u"|"_s + shown.back().text;
    }

    std::unique_ptr<FrmEjemplo> m_window;
};

QSizeF millimetres(const QPageSize& paper)
{
    const QSizeF size = paper.size(QPageSize::Millimeter);
    return QSizeF(std::round(size.width() * 10) / 10, std::round(size.height() * 10) / 10);
}

TEST_F(FormsTool, ListsThePrintersOwnMediaThenItsOwnFormsInTheRegionalFormat)
{
    // Comments, blanks and broken lines are skipped; forms of other printers are not listed.
    writeForms(u"# forms\n"
               u"Cheques\tCheque Galicia\t110000\t50000\n"
               u"Cheques\tsin alto\t110000\n"
               u"Cheques\tletras\tancho\t50000\n"
               u"Cheques\tcero\t0\t50000\n"
               u"Cheques\tnegativo\t-110000\t50000\n"
               u"Cheques\tdemasiados\t1\t2\t3\n"
               u"\n"
               u"Laser\tSolo Laser\t100000\t100000\n"
               u"cheques\tCheque largo\t203200\t88900\r\n"_s);
    const struct
    {
        RegionalSettings settings;
        QStringList expected;
    } cases[] = {
        {RegionalSettings::argentina(),
         {u"Letter - 215,9 mm X 279,4 mm   (1)"_s, u"A4 - 210 mm X 297 mm   (2)"_s,
          u"Legal - 215,9 mm X 355,6 mm   (3)"_s, u"Cheque Galicia - 110 mm X 50 mm   (4)"_s,
          u"Cheque largo - 203,2 mm X 88,9 mm   (5)"_s}},
        {RegionalSettings::unitedStates(),
         {u"Letter - 215.9 mm X 279.4 mm   (1)"_s, u"A4 - 210 mm X 297 mm   (2)"_s,
          u"Legal - 215.9 mm X 355.6 mm   (3)"_s, u"Cheque Galicia - 110 mm X 50 mm   (4)"_s,
          u"Cheque largo - 203.2 mm X 88.9 mm   (5)"_s}},
    };
    for (const auto& c : cases) {
        RegionalSettings::setCurrent(c.settings);
        startTool();
        EXPECT_EQ(lines(), c.expected);
        m_window.reset();
    }
}

TEST_F(FormsTool, CrearSelectsAn110By50FormTheprinterHasUnderItsOwnName)
{
    writeForms(u"Cheques\tCheque Galicia\t110000\t50000\n"_s);
    addPrintRow();
    startTool();
    QString name = u"MyCustomForm"_s;
    EXPECT_EQ(Rt_Imp1::BuscaFormularioPorTamano(*Rt_Imp1::AbreImpresoraActual(), Rt_Imp1::TamanoPropio, name),
              4);
    EXPECT_EQ(name, u"Cheque Galicia"_s);

    PreviewCatcher preview;
    click(u"Command1"_s);
    // Result 1: the existing form is the paper of the preview; nothing new is defined.
    EXPECT_EQ(preview.shown(), 1);
    EXPECT_EQ(preview.paper().name(), u"Cheque Galicia"_s);
    EXPECT_EQ(millimetres(preview.paper()), QSizeF(110, 50));
    EXPECT_EQ(ClsReporte::instance().papel().name(), u"Cheque Galicia"_s);
    EXPECT_EQ(forms(), u"Cheques\tCheque Galicia\t110000\t50000\n"_s);
    EXPECT_EQ(lines().size(), 4);
}

TEST_F(FormsTool, CrearDefinesMyCustomFormOnAPrinterWithoutOneListsItAndThenSelectsIt)
{
    addPrintRow();
    startTool();
    ASSERT_EQ(lines().size(), 3);
    PreviewCatcher preview;
    click(u"Command1"_s);
    // Result 2: the form is defined and listed; nothing is previewed.
    EXPECT_EQ(preview.shown(), 0);
    EXPECT_EQ(lines().value(3), u"MyCustomForm - 110 mm X 50 mm   (4)"_s);
    EXPECT_TRUE(forms().contains(u"\nCheques\tMyCustomForm\t110000\t50000\n"_s)) << forms().toStdString();
    EXPECT_EQ(ClsReporte::instance().papel().name(), u"MyCustomForm"_s);

    // The next time the form is there: selected and previewed on it.
    click(u"Command1"_s);
    EXPECT_EQ(preview.shown(), 1);
    EXPECT_EQ(millimetres(preview.paper()), QSizeF(110, 50));
    EXPECT_EQ(lines().size(), 4);
    EXPECT_TRUE(op().shown().isEmpty());
}

TEST_F(FormsTool, APrinterWithoutCustomSizesRefusesTheFormAndNothingIsSelected)
{
    startTool();
    op().answerPrinter(Oficina);
    click(u"Command4"_s);
    verifyOperator();
    EXPECT_EQ(lines(),
              (QStringList{u"Letter - 215,9 mm X 279,4 mm   (1)"_s, u"A4 - 210 mm X 297 mm   (2)"_s}));

    op().answerMessage(MsgAnswer::Ok, u"Error: 50"_s);
    op().answerMessage(MsgAnswer::Ok, u"Unable to retrieve From name"_s);
    click(u"Command1"_s);
    ASSERT_EQ(op().shown().size(), 2);
    EXPECT_EQ(op().shown()[0].title, u"Error Adding Form"_s);
    EXPECT_EQ(op().shown()[1].title, u"Operation halted!"_s);
    EXPECT_EQ(op().shown()[1].icon, Icon::Exclamation);
    verifyOperator();
    EXPECT_FALSE(QFile::exists(formsFile()));
    EXPECT_FALSE(ClsReporte::instance().papel().isValid());
}

TEST_F(FormsTool, TheRoutinesAnswerWithTheSpoolersErrorCodes)
{
    writeForms(u"Cheques\tCheque Galicia\t110000\t50000\n"_s);
    std::unique_ptr<ImpresoraAbierta> cheques = ImpresoraAbierta::abre(Cheques);
    ASSERT_TRUE(cheques);
    const struct
    {
        const char* what;
        QString name;
        Tamano size;
        int error;
    } cases[] = {
        {"a name the printer has", u"cheque galicia"_s, {100000, 50000}, ErrorFormulario::YaExiste},
        {"a medium of the printer's own", u"Letter"_s, {100000, 50000}, ErrorFormulario::YaExiste},
        {"a tab in the name", u"Cheque\tMacro"_s, {100000, 50000}, ErrorFormulario::NombreInvalido},
        {"a blank name", u"  "_s, {100000, 50000}, ErrorFormulario::NombreInvalido},
        {"no width", u"Angosto"_s, {0, 50000}, ErrorFormulario::TamanoInvalido},
        {"wider than the driver takes", u"Sabana"_s, {500000, 50000}, ErrorFormulario::TamanoInvalido},
        {"smaller than the driver takes", u"Estampilla"_s, {5000, 5000}, ErrorFormulario::TamanoInvalido},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cheques->agrega(c.name, c.size), c.error);
    }
    std::unique_ptr<ImpresoraAbierta> oficina = ImpresoraAbierta::abre(Oficina);
    ASSERT_TRUE(oficina);
    EXPECT_EQ(oficina->agrega(u"Cheque"_s, {110000, 50000}), ErrorFormulario::NoSoportado);
    EXPECT_FALSE(ImpresoraAbierta::abre(u"NoExiste"_s));
    EXPECT_EQ(forms(), u"Cheques\tCheque Galicia\t110000\t50000\n"_s);

    // The routine tells the operator; a forms file that cannot be written is access denied.
    op().answerMessage(MsgAnswer::Ok, u"Error: 80"_s);
    EXPECT_EQ(Rt_Imp1::AgregaFormulario(*cheques, {100000, 50000}, u"Cheque Galicia"_s), u"none"_s);
    EXPECT_EQ(op().shown().value(0).title, u"Error Adding Form"_s);
    EXPECT_EQ(op().shown().value(0).icon, Icon::Information);
    verifyOperator();
    ASSERT_TRUE(QFile::remove(formsFile()));
    ASSERT_TRUE(QDir(programFolder()).mkdir(u"formularios.txt"_s));
    op().answerMessage(MsgAnswer::Ok, u"You do not have permissions to add a form to Cheques"_s);
    EXPECT_EQ(Rt_Imp1::AgregaFormulario(*cheques, {100000, 50000}, u"Cheque Macro"_s), u"none"_s);
    EXPECT_EQ(op().shown().value(0).title, u"Access Denied!"_s);
    EXPECT_EQ(op().shown().value(0).icon, Icon::Exclamation);
}

TEST_F(FormsTool, ProbarSelectsTheNameBeforeTheFirstDashOfTheLine)
{
    writeForms(u"Cheques\tCheque\t180000\t80000\n"
               u"Cheques\tCheque - Banco Nación\t110000\t50000\n"_s);
    addPrintRow();
    startTool();
    ASSERT_EQ(lines().value(4), u"Cheque - Banco Nación - 110 mm X 50 mm   (5)"_s);
    {
        // Printed from the preview: the job asks the queue for the form, and the sample amount is there.
        PreviewCatcher preview(true);
        clickLine(u"Cheque - Banco"_s);
        click(u"Command2"_s);
        EXPECT_EQ(preview.shown(), 1);
        EXPECT_EQ(preview.paper().name(), u"Cheque"_s);
        EXPECT_EQ(millimetres(preview.paper()), QSizeF(180, 80));
    }
    waitForJobs(Cheques);
    const QString pdf = server().outputAsPdf(Cheques);
    ASSERT_FALSE(pdf.isEmpty()) << server().logTail().toStdString();
    EXPECT_NEAR(pdfPageSize(pdf).width(), 180, 0.5);
    EXPECT_NEAR(pdfPageSize(pdf).height(), 80, 0.5);
    QStringList words;
    for (const PdfWord& word : readPdfWords(pdf))
        words << word.text;
    EXPECT_TRUE(words.join(u' ').contains(u"quince mil doscientos cincuenta y seis Pesos"_s))
        << words.join(u' ').toStdString();

    PreviewCatcher preview;

    // A printer's own medium is selected as the driver names it.
    clickLine(u"Legal"_s);
    click(u"Command2"_s);
    EXPECT_EQ(preview.shown(), 1);
    EXPECT_EQ(preview.paper().key(), u"Legal"_s);
}

TEST_F(FormsTool, ProbarAndBorrarAskForALineFirst)
{
    startTool();
    for (const QString& button : {u"Command2"_s, u"Command3"_s}) {
        SCOPED_TRACE(button.toStdString());
        op().answerMessage(MsgAnswer::Ok, u"Select a printer from the ListBox before using this option."_s);
        click(button);
        ASSERT_EQ(op().shown().size(), 1);
        EXPECT_EQ(op().shown().front().icon, Icon::Exclamation);
        verifyOperator();
    }
}

TEST_F(FormsTool, BorrarDeletesAFormOfTheProgramOnceConfirmed)
{
    writeForms(u"# mis formularios\nCheques\tCheque Galicia\t110000\t50000\nroto\n"
               u"Laser\tCheque Galicia\t110000\t50000\n"_s);
    startTool();
    clickLine(u"Cheque Galicia"_s);
    op().answerMessage(MsgAnswer::No,
                       u"Are you sure you want to permanently remove Cheque Galicia from Cheques?"_s);
    click(u"Command3"_s);
    EXPECT_EQ(op().shown().value(0).buttons, (QList<int>{MsgAnswer::Yes, MsgAnswer::No}));
    verifyOperator();
    EXPECT_EQ(lines().size(), 4);

    clickLine(u"Cheque Galicia"_s);
    op().answerMessage(MsgAnswer::Yes, u"Are you sure"_s);
    op().answerMessage(MsgAnswer::Ok, u"Cheque Galicia deleted!"_s);
    click(u"Command3"_s);
    EXPECT_EQ(op().shown().value(1).title, u"Success!"_s);
    EXPECT_EQ(op().shown().value(1).icon, Icon::Information);
    verifyOperator();
    EXPECT_EQ(lines().size(), 3);
    // Only that printer's form goes; the comment, the broken line and the other printer's form stay.
    EXPECT_EQ(forms(), u"# mis formularios\nroto\nLaser\tCheque Galicia\t110000\t50000\n"_s);
}

TEST_F(FormsTool, BorrarOfThePrintersOwnMediumIsRefusedWithTheErrorCode)
{
    startTool();
    clickLine(u"Letter"_s);
    op().answerMessage(MsgAnswer::Yes, u"Are you sure you want to permanently remove Letter from Cheques?"_s);
    op().answerMessage(MsgAnswer::Ok, u"Letter not deleted!\r\n\r\nError code: 5"_s);
    click(u"Command3"_s);
    EXPECT_EQ(op().shown().value(1).text, u"Letter not deleted!\r\n\r\nError code: 5"_s);
    EXPECT_EQ(op().shown().value(1).title, u"Failure!"_s);
    verifyOperator();
    EXPECT_EQ(lines().size(), 3);
}

TEST_F(FormsTool, ThePrinterDialogChoosesThePrinterWhoseFormsAreListedAndSelected)
{
    writeForms(u"Cheques\tCheque Galicia\t110000\t50000\nLaser\tCheque Laser\t110000\t50000\n"_s);
    startTool();
    EXPECT_EQ(lines().value(3), u"Cheque Galicia - 110 mm X 50 mm   (4)"_s);
    op().answerPrinter(Laser, Cheques);
    click(u"Command4"_s);
    verifyOperator();
    EXPECT_EQ(lines().value(3), u"Cheque Laser - 110 mm X 50 mm   (4)"_s);
    EXPECT_EQ(Rt_Imp1::SeleccionaFormulario(u"MyCustomForm"_s, m_window.get()), 1);
    EXPECT_EQ(ClsReporte::instance().impresora(), Laser);
    EXPECT_EQ(ClsReporte::instance().papel().name(), u"Cheque Laser"_s);

    // Another printer forgets the form selected for the last one.
    op().answerPrinter(Cheques, Laser);
    click(u"Command4"_s);
    EXPECT_FALSE(ClsReporte::instance().papel().isValid());
}

TEST_F(FormsTool, APrinterThatDisappearedListsNothingAndSelectsNothing)
{
    writeForms(u"Laser\tCheque Laser\t110000\t50000\n"_s);
    startTool();
    op().answerPrinter(Laser);
    click(u"Command4"_s);
    verifyOperator();
    ASSERT_EQ(lines().size(), 4);
    cups(u"lpadmin"_s, {u"-x"_s, Laser});

    op().answerMessage(MsgAnswer::Ok, u"Unable to retrieve From name"_s);
    click(u"Command1"_s);
    EXPECT_EQ(op().shown().value(0).title, u"Operation halted!"_s);
    verifyOperator();
    // Borrar does nothing at all; a new load lists nothing.
    clickLine(u"Cheque Laser"_s);
    click(u"Command3"_s);
    EXPECT_TRUE(op().shown().isEmpty());
    m_window->List1()->clear();
    m_window->Form_Load();
    EXPECT_TRUE(lines().isEmpty());
}

} // namespace
