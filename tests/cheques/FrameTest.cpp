// The cheque window's frame: modes, fields, idle state, toolbar and the field keys.
#include "ChequeWindowFixture.h"
#include "support/ModalHelper.h"
#include "zimbrel2/MessageBoxStyle.h"

#include "lookup/Lib_FrmCons3.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Frame : public ChequeWindowFixture
{
};

TEST_F(Frame, ModesSetCaptionAndTheUpperNumberField)
{
    struct Case
    {
        bool reimpresion;
        const char16_t* caption;
    };
    for (const Case& c : {Case{false, u"Impresion de Cheques"}, Case{true, u"Reimpresion de Cheques"}}) {
        SCOPED_TRACE(c.reimpresion);
        start(c.reimpresion);
        EXPECT_EQ(w().windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(w().EnReimpresion(), c.reimpresion);
        EXPECT_EQ(field(u"NumerarHasta"_s)->isVisible(), c.reimpresion);
        EXPECT_EQ(w().findChild<QWidget*>(u"lblHasta"_s)->isVisible(), c.reimpresion);
        m_window.reset();
        resetAppState();
    }
}

TEST_F(Frame, ReprintParameterIsReadWithoutRegardToCase)
{
    m_window = std::make_unique<FrmTalonex>();
    ASSERT_TRUE(
        m_window->Form_Load(parametros(DemoDb::AdminUser, false) + u" @ParametroAdicional=reimpresion;"_s));
    EXPECT_TRUE(w().EnReimpresion());
}

TEST_F(Frame, StartsIdleWithTodayInFechaHAndTheFieldsInArrayOrder)
{
    start();
    EXPECT_EQ(field(u"FECHAH"_s)->text(), u"10/12/2026"_s);
    EXPECT_TRUE(field(u"FechaD"_s)->text().isEmpty());
    QStringList names;
    for (const QLineEdit* f : w().txtFields())
        names << f->objectName();
    EXPECT_EQ(names, (QStringList{u"ProveedorH"_s, u"FechaD"_s, u"FechaH"_s, u"ProveedorD"_s, u"Serie"_s,
                                  u"NumerarDesde"_s, u"idbanco"_s, u"NumerarHasta"_s}));
    EXPECT_EQ(field(u"Serie"_s)->maxLength(), 1);
    EXPECT_EQ(field(u"idbanco"_s)->maxLength(), 15);
    EXPECT_EQ(w().findChild<QLabel*>(u"lblDescBanco"_s)->text(), u"..."_s);
    EXPECT_TRUE(w().barra().valor(EstadoBarra::Principal));
    // The load leaves the idle state and then switches these off again.
    EXPECT_FALSE(w().barra().valor(EstadoBarra::Once));
    EXPECT_FALSE(w().barra().valor(EstadoBarra::Grabar));
    EXPECT_FALSE(w().findChild<QAction*>(u"GRABAR"_s)->isEnabled());
}

TEST_F(Frame, CancelarKeepsTheFiltersClearsTheColumnsAndFocusesTheFirstField)
{
    start();
    fillTestAccount();
    load();
    ASSERT_EQ(list()->columnCount(), ColumnaCheque::Cantidad);
    EXPECT_TRUE(w().findChild<QAction*>(u"GRABAR"_s)->isEnabled());
    w().findChild<QTabWidget*>(u"SSTab1"_s)->setCurrentIndex(1);
    w().Morvane1_click(u"cancelar"_s);
    EXPECT_EQ(list()->columnCount(), 0);
    EXPECT_EQ(w().findChild<QTabWidget*>(u"SSTab1"_s)->currentIndex(), 0);
    EXPECT_EQ(field(u"idbanco"_s)->text(), DemoDb::TestAccount);
    EXPECT_EQ(field(u"NumerarDesde"_s)->text(), u"100"_s);
    EXPECT_EQ(QApplication::focusWidget(), field(u"ProveedorH"_s));
    EXPECT_FALSE(w().findChild<QAction*>(u"GRABAR"_s)->isEnabled());
    EXPECT_EQ(w().findChild<QLabel*>(u"lblDescBanco"_s)->text(), u"..."_s);
}

TEST_F(Frame, EnterValidatesAndMovesOnOnlyWhenTheFieldPasses)
{
    start();
    QApplication::setActiveWindow(&w());
    QLineEdit* fechaD = field(u"FechaD"_s);
    fechaD->setFocus();
    QTest::keyClicks(fechaD, u"31/02/2024"_s);
    op().answerMessage(MsgAnswer::Ok, u"Fecha incorrecta..."_s);
    QTest::keyClick(fechaD, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), fechaD);
    EXPECT_TRUE(w().Fallo());

    fechaD->clear();
    QTest::keyClicks(fechaD, u"01/11/2024"_s);
    QTest::keyClick(fechaD, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), field(u"FechaH"_s));
    EXPECT_EQ(op().shown().size(), 1);
}

TEST_F(Frame, LeavingAFieldValidatesItOnceUnlessEnterAlreadyDid)
{
    start();
    QApplication::setActiveWindow(&w());
    field(u"Serie"_s)->setText(u"B"_s);
    QLineEdit* banco = field(u"idbanco"_s);
    banco->setFocus();
    QTest::keyClicks(banco, u"9.9.99"_s);
    // Left with the mouse (focus elsewhere): validated once.
    op().answerMessage(MsgAnswer::Ok, u"El Banco Informado no es correcto!!"_s);
    field(u"Serie"_s)->setFocus();
    EXPECT_EQ(op().shown().size(), 1);

    // Accepted with Enter and then left: not validated a second time.
    banco->setFocus();
    banco->setText(DemoDb::TestAccount);
    QTest::keyClick(banco, Qt::Key_Return);
    ASSERT_FALSE(w().Fallo());
    EXPECT_EQ(QApplication::focusWidget(), field(u"Serie"_s));
    EXPECT_TRUE(w().findChild<QLabel*>(u"lblDescBanco"_s)->text().contains(u"Galicia"_s));
    EXPECT_EQ(op().shown().size(), 1);
}

TEST_F(Frame, FocusedFieldIsCyanAndBecomesTheActiveControl)
{
    start();
    QApplication::setActiveWindow(&w());
    QLineEdit* serie = field(u"Serie"_s);
    serie->setText(u"B"_s);
    serie->setFocus();
    EXPECT_EQ(w().ControlActivo(), serie);
    EXPECT_TRUE(serie->styleSheet().contains(u"rgb(0, 255, 255)"_s));
    field(u"FechaD"_s)->setFocus();
    EXPECT_TRUE(serie->styleSheet().contains(u"rgb(255, 255, 255)"_s));
}

TEST_F(Frame, ConsultarOnADateFieldUsesTheDatePickerAndValidates)
{
    start();
    QApplication::setActiveWindow(&w());
    QLineEdit* fechaD = field(u"FechaD"_s);
    fechaD->setFocus();
    op().answerDate(QDate(2024, 11, 5));
    w().Morvane1_click(u"CONSULTAR"_s);
    EXPECT_EQ(fechaD->text(), u"05/11/2024"_s);
    EXPECT_EQ(QApplication::focusWidget(), field(u"FechaH"_s));

    // A field without lookup: nothing happens.
    field(u"Serie"_s)->setFocus();
    w().Morvane1_click(u"CONSULTAR"_s);
    EXPECT_EQ(QApplication::focusWidget(), field(u"Serie"_s));
}

/// Acts on the lookup window once it shows (it is modal), then makes sure it is closed.
void whenLookupShows(std::function<void(Lib_FrmCons3*)> act)
{
    ModalHelper::whenNext<Lib_FrmCons3>(std::move(act));
}

TEST_F(Frame, ConsultarOnTheBankFieldPicksAChequeAccountAndValidatesIt)
{
    start();
    field(u"Serie"_s)->setText(u"B"_s);
    QLineEdit* banco = field(u"idbanco"_s);
    banco->setFocus();
    QStringList listed;
    whenLookupShows([&](Lib_FrmCons3* lookup) {
        QTreeWidget* rows = lookup->ListView1();
        int codigo = -1;
        for (int c = 0; c < rows->columnCount(); ++c)
            if (rows->headerItem()->text(c).compare(u"Codigo"_s, Qt::CaseInsensitive) == 0)
                codigo = c;
        ASSERT_GE(codigo, 0);
        for (int i = 0; i < rows->topLevelItemCount(); ++i)
            listed << rows->topLevelItem(i)->text(codigo).trimmed();
        const QList<QTreeWidgetItem*> found =
            rows->findItems(DemoDb::TestAccount, Qt::MatchStartsWith, codigo);
        ASSERT_EQ(found.size(), 1);
        rows->setCurrentItem(found.first());
        lookup->CmdAceptar_Click();
    });
    w().Morvane1_click(u"CONSULTAR"_s);
    // Only the bank accounts that issue cheques are offered.
    EXPECT_TRUE(listed.contains(DemoDb::TestAccount));
    EXPECT_FALSE(listed.contains(DemoDb::TransferOnlyAccount));
    EXPECT_FALSE(listed.contains(DemoDb::CashAccount));
    EXPECT_EQ(banco->text(), DemoDb::TestAccount);
    EXPECT_TRUE(w().findChild<QLabel*>(u"lblDescBanco"_s)->text().contains(u"Galicia"_s));
    // The window's own focus: the lookup closing leaves no active window on this platform.
    EXPECT_EQ(w().focusWidget(), field(u"Serie"_s));
}

TEST_F(Frame, CancellingALookupOrTheDatePickerKeepsTheFieldsTextAndFocus)
{
    // F3 then Escape (or "&Cancelar"): nothing picked, so the field keeps what it held, nothing is
    // checked (no "Debe informar un Banco") and the focus stays.
    struct Case
    {
        const char16_t* field;
        const char16_t* text;
        bool datePicker;
        bool cancelButton;
    };
    const Case cases[] = {
        {u"FechaH", u"05/11/2024", true, false},
        {u"idbanco", u"1.1.02.02", false, false},
        {u"ProveedorD", u"2.1.01.00003", false, true},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.field).toStdString());
        QLineEdit* f = field(QString::fromUtf16(c.field));
        f->setText(QString::fromUtf16(c.text));
        f->setFocus();
        if (c.datePicker) {
            op().answerDate(std::nullopt);
        } else {
            whenLookupShows([&c](Lib_FrmCons3* lookup) {
                if (c.cancelButton)
                    QTest::mouseClick(lookup->findChild<QPushButton*>(u"CmdCancelar"_s), Qt::LeftButton);
                else if (QTest::qWaitForWindowActive(lookup))
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            });
        }
        QTest::keyClick(f, Qt::Key_F3);
        EXPECT_EQ(f->text(), QString::fromUtf16(c.text));
        EXPECT_EQ(w().focusWidget(), f);
        EXPECT_FALSE(w().Fallo());
        EXPECT_TRUE(op().shown().isEmpty() || (c.datePicker && op().shown().size() == 1));
        verifyOperator();
    }
}

TEST_F(Frame, F3OnTheBankOpensTheLookupReadyForTypeAhead)
{
    start();
    field(u"Serie"_s)->setText(u"B"_s);
    QLineEdit* banco = field(u"idbanco"_s);
    banco->setFocus();
    QString expected;
    whenLookupShows([&](Lib_FrmCons3* lookup) {
        // The last listed account: typing the start of its first column must find it.
        QTreeWidget* rows = lookup->ListView1();
        ASSERT_GT(rows->topLevelItemCount(), 1);
        const QTreeWidgetItem* last = rows->topLevelItem(rows->topLevelItemCount() - 1);
        ASSERT_TRUE(QTest::qWaitForWindowActive(lookup));
        const int codigo = lookup->IndiceColumna(u"CODIGO"_s) - 1;
        ASSERT_GE(codigo, 0);
        expected = last->text(codigo).trimmed();
        const QString prefix = last->text(0).trimmed();
        for (QChar ch : prefix)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTest::keyClick(banco, Qt::Key_F3);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(banco->text(), expected);
}

TEST_F(Frame, ConfigurationTabReloadsTheReportLocationsEachTimeItIsShown)
{
    start();
    auto* tab = w().findChild<QTabWidget*>(u"SSTab1"_s);
    QSqlQuery(openMainDatabase())
        .exec(u"INSERT INTO ta_configuracion (Clave, Valor, ValorAux, Grupo) VALUES "
              u"('RPTFCH_1.1.02.02', '1.1.02.02', '/informes/galicia.rpt', 'DATOS')"_s);
    tab->setCurrentIndex(1);
    EXPECT_EQ(w().findChild<QLineEdit*>(u"TXTBANCO1_0"_s)->text(), u"1.1.02.02"_s);
    EXPECT_EQ(w().findChild<QLineEdit*>(u"TxtUbicacion_0"_s)->text(), u"/informes/galicia.rpt"_s);
    tab->setCurrentIndex(0);
    QSqlQuery(openMainDatabase())
        .exec(u"UPDATE ta_configuracion SET ValorAux = '/otro.rpt' WHERE Clave LIKE 'RPTFCH_%'"_s);
    tab->setCurrentIndex(1);
    EXPECT_EQ(w().findChild<QLineEdit*>(u"TxtUbicacion_0"_s)->text(), u"/otro.rpt"_s);
}

TEST_F(Frame, EnterOnTheLastNumberFieldReachesTheLoadButtonWhichShowsItsFocusAndLoads)
{
    start();
    QApplication::setActiveWindow(&w());
    auto* cargar = w().findChild<QPushButton*>(u"CmdCargar"_s);
    field(u"idbanco"_s)->setText(DemoDb::TestAccount);
    field(u"Serie"_s)->setText(DemoDb::TestSeries);
    // The button as it looks without the focus, in the window's skin.
    const QImage sinFoco = cargar->grab().toImage();
    QLineEdit* desde = field(u"NumerarDesde"_s);
    desde->setFocus();
    QTest::keyClicks(desde, u"100"_s);
    QTest::keyClick(desde, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), cargar);
    EXPECT_NE(cargar->grab().toImage(), sinFoco);
    QTest::keyClick(cargar, Qt::Key_Return);
    EXPECT_EQ(list()->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
}

TEST_F(Frame, QtsOwnTextsAreSpanishAndTheReportDialogOpensInTheProgramFolder)
{
    start();
    // Loaded by the window's load: the print preview's tool tips and the standard buttons.
    EXPECT_NE(QCoreApplication::translate("QPrintPreviewDialog", "Zoom in"), u"Zoom in"_s);
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_s);

    auto* tab = w().findChild<QTabWidget*>(u"SSTab1"_s);
    tab->setCurrentIndex(1);
    op().answerOpenFile(std::nullopt, u"Seleccionar el Reporte"_s);
    QTest::mouseClick(w().findChild<QPushButton*>(u"cmdExplorar_0"_s), Qt::LeftButton);
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_TRUE(op().shown()[0].detail.endsWith(u"|"_s + programFolder()))
        << op().shown()[0].detail.toStdString();
}

} // namespace
