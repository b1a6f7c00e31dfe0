// The cheque window on the PostgreSQL demo, worked through its inputs as the operator works it:
// the list of the test account loads with the texts it has on SQLite, and ticking a cheque runs
// the series check against the server.
#include "PostgresDemoFixture.h"
#include "app/AppState.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/FrmTalonex.h"
#include "data/DataGlobals.h"
#include "support/ScriptedOperatorGuard.h"
#include "support/ShippedFiles.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

class PostgresChequeWindow : public PostgresDemoTest
{
protected:
    void SetUp() override
    {
        PostgresDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_folder.isValid());
        for (const char* sub : {"programa", "temp", "ini"})
            QDir(m_folder.path()).mkpath(QString::fromLatin1(sub));
        DataGlobals::reset();
        resetAppState();
        ProgramInfo::setProgramFolder(m_folder.path() + u"/programa/"_s);
        ProgramInfo::setExecutableName(u"talonex"_s);
        ASSERT_TRUE(ShippedFiles::installSkins(m_folder.path() + u"/programa/"_s));
        RegionalSettings::setCurrent(RegionalSettings::argentina());
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
        qputenv("TEMP", (m_folder.path() + u"/temp/"_s).toUtf8());
        qputenv("TMP", (m_folder.path() + u"/temp/"_s).toUtf8());
        qputenv("TALONEX_INI_DIR", (m_folder.path() + u"/ini/"_s).toUtf8());
        m_operator = std::make_unique<ScriptedOperatorGuard>();
    }

    void TearDown() override
    {
        m_window.reset();
        gDisplay().CartelCerrar();
        m_operator.reset();
        DataGlobals::reset();
        resetAppState();
        ProgramInfo::reset();
        RegionalSettings::reset();
        Clock::reset();
    }

    FrmTalonex& start()
    {
        m_window = std::make_unique<FrmTalonex>();
        EXPECT_TRUE(m_window->Form_Load(parameters()));
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        return *m_window;
    }

    // Types `text` into the field as the operator does: select what is there, type over it.
    void type(const QString& field, const QString& text)
    {
        QLineEdit* edit = m_window->campo(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<ScriptedOperatorGuard> m_operator;
    std::unique_ptr<FrmTalonex> m_window;
};

TEST_F(PostgresChequeWindow, TheListLoadsAndATickIsCheckedOnTheServer)
{
    FrmTalonex& w = start();
    ASSERT_FALSE(w.Fallo());
    type(u"idbanco"_s, DemoDb::TestAccount);
    type(u"Serie"_s, DemoDb::TestSeries);
    type(u"NumerarDesde"_s, QString::number(DemoDb::TestFirstFreeNumber));
    QLineEdit* hasta = w.campo(u"FechaH"_s);
    hasta->setFocus();
    hasta->selectAll();
    QTest::keyClick(hasta, Qt::Key_Delete);
    QPushButton* cargar = w.findChild<QPushButton*>(u"CmdCargar"_s);
    ASSERT_TRUE(cargar);
    QTest::mouseClick(cargar, Qt::LeftButton);

    QTreeWidget* list = w.Lvw();
    ASSERT_EQ(list->topLevelItemCount(), DemoDb::TestUnnumberedCheques);
    const QTreeWidgetItem* first = list->topLevelItem(0);
    EXPECT_EQ(first->text(ColumnaCheque::Cheque), u"*-"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Fecha), u"04/11/2024"_s);
    EXPECT_EQ(first->text(ColumnaCheque::Importe), u"    125.430,50"_s);
    EXPECT_EQ(first->text(ColumnaCheque::ALaOrden), u"Distribuidora del Litoral Sociedad Anónima"_s);

    // The tick box of the first row, clicked.
    list->scrollToItem(first);
    const QRect box = list->visualItemRect(first);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
    if (first->checkState(0) != Qt::Checked)
        QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(first->checkState(0), Qt::Checked);
    EXPECT_FALSE(w.Fallo());
    m_operator->verify();
}

} // namespace
