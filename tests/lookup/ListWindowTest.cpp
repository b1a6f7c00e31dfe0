// The list lookup window driven as the operator drives it: typing, F5, keys in the list, ticks,
// quantities, sorting, the width file, the shortage report, the launcher button and the option lists.
#include "LookupFixture.h"
#include "app/MenuExes.h"
#include "data/AdoRecordset.h"
#include "lookup/AnchosConsulta.h"
#include "lookup/Lib_FrmCons3.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ListWindow : public LookupFixture
{
protected:
    /// The window on `sql`, shown (not modally) and loaded, with the focus in it.
    std::unique_ptr<Lib_FrmCons3> open(const QString& sql, const QString& campoDevuelto = u"CODIGO"_s)
    {
        auto window = std::make_unique<Lib_FrmCons3>();
        window->sql = sql;
        window->CampoDevuelto = campoDevuelto;
        window->OrdenarPorLwv = !sql.contains(u"ORDER BY"_s, Qt::CaseInsensitive);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    static QString current(const Lib_FrmCons3& w, int column = 0)
    {
        const QTreeWidgetItem* item = w.ListView1()->currentItem();
        return item ? item->text(column) : QString();
    }

    static void type(QWidget* target, const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QString firstSupplierCode(const QString& prefix)
    {
        return scalar(u"SELECT CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 AND RAZON_SOCIAL LIKE '"_s +
                      prefix + u"%' ORDER BY RAZON_SOCIAL LIMIT 1"_s)
            .toString();
    }
};

const QString Suppliers = u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE "
                          u"Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"_s;

TEST_F(ListWindow, TypingSelectsTheFirstRowStartingWithTheTextAndEnterReturnsItsCode)
{
    const QString name = scalar(u"SELECT RAZON_SOCIAL FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY "
                                u"RAZON_SOCIAL LIMIT 1 OFFSET 7"_s)
                             .toString();
    const QString prefix = name.left(3).toLower();
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([&](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        QComboBox* box = w->CmbSearch(0);
        QTest::keyClicks(box, prefix);
        EXPECT_TRUE(current(*w).startsWith(prefix, Qt::CaseInsensitive));
        const QString picked = current(*w);
        // A text that starts no row leaves the selection where it was.
        QTest::keyClicks(box, u"zzzz"_s);
        EXPECT_EQ(current(*w), picked);
        QTest::keyClick(box, Qt::Key_Return);
    });
    request.CampoDevuelto = u"codigo"_s;
    request.ConsultaSearch(u"Vt_proveedores"_s);
    EXPECT_EQ(request.ValorDevuelto, firstSupplierCode(prefix));
}

TEST_F(ListWindow, OpensInSearchBoxZeroSoTypeAheadWorksAtOnce)
{
    // Letters typed the moment the window shows go to the focused control: search box 0, not the
    // default button (Space there would accept the first row).
    const QString name = scalar(u"SELECT RAZON_SOCIAL FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY "
                                u"RAZON_SOCIAL LIMIT 1 OFFSET 12"_s)
                             .toString();
    const QString prefix = name.left(5);
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([&](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_TRUE(w->CmbSearch(0)->hasFocus());
        type(QApplication::focusWidget(), prefix);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    request.CampoDevuelto = u"codigo"_s;
    request.ConsultaSearch(u"Vt_proveedores"_s);
    EXPECT_EQ(request.ValorDevuelto, firstSupplierCode(QString(prefix).replace(u"'"_s, u"''"_s)));
    ASSERT_FALSE(request.ValorDevuelto.isEmpty());
}

TEST_F(ListWindow, TheFirstSearchTextOfTheCallerSearchesAtOnce)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([](QDialog* d) { static_cast<Lib_FrmCons3*>(d)->CmdAceptar_Click(); });
    request.CampoDevuelto = u"CODIGO"_s;
    request.ConsultaSearch(u"MA_CUENTAS"_s, nullptr, u"banco gal"_s);
    EXPECT_EQ(request.ValorDevuelto, u"1.1.02.02"_s);
}

TEST_F(ListWindow, F5NarrowsTwiceAndNuevaBusquedaGoesBack)
{
    auto w = open(Suppliers);
    const int all = w->ListView1()->topLevelItemCount();
    ASSERT_GT(all, 10);
    m_sent.clear();
    QTest::keyClicks(w->CmbSearch(0), u"la"_s);
    QTest::keyClick(w->CmbSearch(0), Qt::Key_F5);
    EXPECT_TRUE(w->CmbSearch(0)->currentText().isEmpty());
    ASSERT_EQ(m_sent.size(), 1);
    EXPECT_EQ(m_sent[0],
              u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja "
              u"= 0  and RAZON_SOCIAL like 'la%' ORDER BY RAZON_SOCIAL  "_s);
    const int once = w->ListView1()->topLevelItemCount();
    EXPECT_EQ(
        once,
        scalar(u"SELECT COUNT(*) FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 AND RAZON_SOCIAL LIKE 'la%'"_s)
            .toInt());
    EXPECT_LT(once, all);

    QTest::keyClicks(w->CmbSearch(1), u"2.1.01.0001"_s);
    QTest::keyClick(w->CmbSearch(1), Qt::Key_F5);
    ASSERT_EQ(m_sent.size(), 2);
    EXPECT_TRUE(m_sent[1].contains(u"RAZON_SOCIAL like 'la%'  and CODIGO like '2.1.01.0001%' ORDER BY"_s))
        << m_sent[1].toStdString();
    EXPECT_EQ(
        w->ListView1()->topLevelItemCount(),
        scalar(u"SELECT COUNT(*) FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 AND RAZON_SOCIAL LIKE 'la%' AND "
               u"CODIGO LIKE '2.1.01.0001%'"_s)
            .toInt());

    w->CmdNueva()->click();
    EXPECT_EQ(w->ListView1()->topLevelItemCount(), all);
    EXPECT_TRUE(op().shown().isEmpty());
    w->hide();
}

TEST_F(ListWindow, F5WithTheContainsPatternAndAnApostropheInTheText)
{
    exec(
        u"UPDATE MA_PROVEEDORES SET RAZON_SOCIAL = 'Juan O''Brien y Perez SRL' WHERE CODIGO = '2.1.01.00003'"_s);
    auto w = open(Suppliers);
    w->CfgUsaConsultaLIKE = true;
    m_sent.clear();
    QTest::keyClicks(w->CmbSearch(0), u"o'brien perez"_s);
    QTest::keyClick(w->CmbSearch(0), Qt::Key_F5);
    ASSERT_EQ(m_sent.size(), 1);
    EXPECT_TRUE(m_sent[0].contains(u"RAZON_SOCIAL like '%o''brien%perez%' ORDER BY"_s))
        << m_sent[0].toStdString();
    ASSERT_EQ(w->ListView1()->topLevelItemCount(), 1);
    EXPECT_EQ(w->ListView1()->topLevelItem(0)->text(1), u"2.1.01.00003"_s);
    EXPECT_TRUE(op().shown().isEmpty());
    w->hide();
}

TEST_F(ListWindow, CancelEscapeAndTheCloseBoxReturnNothing)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    const std::function<void(QDialog*)> ways[] = {
        [](QDialog* d) { d->findChild<QPushButton*>(u"CmdCancelar"_s)->click(); },
        [](QDialog* d) { QTest::keyClick(static_cast<Lib_FrmCons3*>(d)->CmbSearch(0), Qt::Key_Escape); },
        [](QDialog* d) { d->close(); },
    };
    for (const auto& way : ways) {
        request.ValorDevuelto = u"anterior"_s;
        request.Valores = QStringList{u"x"_s};
        whenModal(way);
        request.CampoDevuelto = u"CODIGO"_s;
        request.ConsultaSearch(u"VT_PROVEEDORES"_s);
        EXPECT_TRUE(request.ValorDevuelto.isEmpty());
        EXPECT_TRUE(request.Valores.isEmpty());
    }
}

TEST_F(ListWindow, DoubleClickAndReturnedColumnsFillValores)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    QStringList columns{u"RAZON_SOCIAL"_s, u"NO_HAY"_s, u"codigo"_s};
    QString name;
    whenModal([&](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        QTreeWidget* list = w->ListView1();
        QTreeWidgetItem* row = list->topLevelItem(2);
        name = row->text(0);
        list->setCurrentItem(row);
        const QRect rect = list->visualItemRect(row);
        const QPoint at(rect.left() + 10, rect.center().y());
        // QTest's double click needs a click before it to count as one on an item view.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    request.CampoDevuelto = u"CODIGO"_s;
    request.ConsultaSearch(u"VT_PROVEEDORES"_s, &columns);
    const QString code = scalar(u"SELECT CODIGO FROM VT_PROVEEDORES WHERE RAZON_SOCIAL = '"_s +
                                QString(name).replace(u"'"_s, u"''"_s) + u"'"_s)
                             .toString();
    // A name that matches no column repeats the value before it.
    EXPECT_EQ(request.Valores, (QStringList{name, name, code}));
    EXPECT_EQ(request.ValorDevuelto, code);
    EXPECT_TRUE(columns.isEmpty());
}

TEST_F(ListWindow, TickedRowsAreReturnedAndMarcarInvertsThem)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    QStringList expected;
    whenModal([&](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        QTreeWidget* list = w->ListView1();
        // The request unticks the rows ValoresDefault ticked.
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            EXPECT_EQ(list->topLevelItem(i)->checkState(0), Qt::Unchecked);
        list->topLevelItem(1)->setCheckState(0, Qt::Checked);
        d->findChild<QPushButton*>(u"CmdTodos"_s)->click();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (i != 1)
                expected << list->topLevelItem(i)->text(1);
        }
        w->CmdAceptar_Click();
    });
    request.Checks = true;
    request.CampoDevuelto = u"CODIGO"_s;
    request.ConsultaSearch(u"MA_CUENTAS"_s, nullptr, {}, nullptr, nullptr, {}, false,
                           u"1.1.02.02 1.1.02.04"_s);
    EXPECT_EQ(request.Valores, expected);
    EXPECT_FALSE(request.Checks);
}

TEST_F(ListWindow, ValoresDefaultTicksTheRowsItNames)
{
    auto w = std::make_unique<Lib_FrmCons3>();
    w->sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO ORDER BY CODIGO"_s;
    w->CampoDevuelto = u"CODIGO"_s;
    w->CheckBoxes = true;
    w->ValoresDefault = u"'21','321'"_s;
    w->AseguraCarga();
    QStringList ticked;
    for (int i = 0; i < w->ListView1()->topLevelItemCount(); ++i) {
        if (w->ListView1()->topLevelItem(i)->checkState(0) == Qt::Checked)
            ticked << w->ListView1()->topLevelItem(i)->text(0);
    }
    // A plain substring test: "1" and "2" occur in the list too.
    EXPECT_EQ(ticked, (QStringList{u"1"_s, u"2"_s, u"21"_s, u"3"_s, u"32"_s, u"321"_s}));
}

TEST_F(ListWindow, KeysTypedInTheListContinueTheLastSearchBox)
{
    auto w = open(Suppliers);
    QComboBox* code = w->CmbSearch(1);
    code->setFocus();
    EXPECT_EQ(w->BuscadorActual(), 1);
    EXPECT_EQ(code->lineEdit()->palette().color(QPalette::Base), Lib_FrmCons3::ColorBuscadorActivo());
    QTest::keyClicks(code, u"2.1.01.0002"_s);
    QTest::keyClick(code, Qt::Key_Down);
    EXPECT_TRUE(w->ListView1()->hasFocus());
    EXPECT_EQ(code->lineEdit()->palette().color(QPalette::Base), Lib_FrmCons3::ColorBuscador());
    QTest::keyClick(w->ListView1(), Qt::Key_3);
    EXPECT_EQ(code->currentText(), u"2.1.01.00023"_s);
    EXPECT_EQ(current(*w, 1), u"2.1.01.00023"_s);
    EXPECT_TRUE(code->hasFocus());
    // Backspace in the list takes the last character back; keypad digits type digits.
    w->ListView1()->setFocus();
    QTest::keyClick(w->ListView1(), Qt::Key_Backspace);
    EXPECT_EQ(code->currentText(), u"2.1.01.0002"_s);
    w->ListView1()->setFocus();
    QTest::keyClick(w->ListView1(), Qt::Key_4, Qt::KeypadModifier);
    EXPECT_EQ(code->currentText(), u"2.1.01.00024"_s);
    // Function keys type nothing.
    w->ListView1()->setFocus();
    QTest::keyClick(w->ListView1(), Qt::Key_F3);
    EXPECT_EQ(code->currentText(), u"2.1.01.00024"_s);
    w->hide();
}

TEST_F(ListWindow, QuantityKeysChangeTheQuantityCellAndTheTick)
{
    auto w = std::make_unique<Lib_FrmCons3>();
    w->sql =
        u"SELECT IDARTICULO, DESCRIPCION, '0.00' AS [**Cantidad**] FROM VT_MA_ARTICULOS ORDER BY IDARTICULO"_s;
    w->CheckBoxes = true;
    w->UsaCantidades = true;
    w->show();
    QTreeWidget* list = w->ListView1();
    ASSERT_EQ(w->IndiceColumna(u"**Cantidad**"_s), 3);
    QTreeWidgetItem* row = list->topLevelItem(0);
    list->setCurrentItem(row);
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(row->text(2), u"1.0"_s);
    EXPECT_EQ(row->checkState(0), Qt::Checked);
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(row->text(2), u"2.0"_s);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(row->text(2), u"0.00"_s);
    EXPECT_EQ(row->checkState(0), Qt::Unchecked);
    op().answerInput(u"2,5"_s, u"Ingrese la Cantidad del Articulo..."_s);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row->text(2), u"2.50"_s);
    EXPECT_EQ(row->checkState(0), Qt::Checked);
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_EQ(op().shown()[0].title, u"Carga de Datos"_s);
    EXPECT_EQ(op().shown()[0].detail, u"0.00"_s);
    // A cancelled box leaves the row alone; 0 takes it out.
    op().answerInput(std::nullopt);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row->text(2), u"2.50"_s);
    op().answerInput(u"0"_s);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(row->text(2), u"0.00"_s);
    EXPECT_EQ(row->checkState(0), Qt::Unchecked);
    w->hide();
}

TEST_F(ListWindow, HeaderClicksSortAndFlipTheOrder)
{
    auto w = open(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s);
    QTreeWidget* list = w->ListView1();
    const auto column = [list](int c) {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(c);
        return texts;
    };
    // Without ORDER BY the window sorts by its first column.
    EXPECT_EQ(column(0).first(), u"1"_s);
    QHeaderView* header = list->header();
    const QPoint second(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    QStringList descending = column(1);
    EXPECT_EQ(descending.first(), u"Ventas salón"_s);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(column(1).first(), u"Administración"_s);
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(column(1), descending);
    w->hide();
}

TEST_F(ListWindow, ColumnsAreAsWideAsTheirFieldsInLettersX)
{
    struct Case
    {
        QString sql;
        QString valoresDefault;
        int first;
        int second;
    };
    const Case cases[] = {
        {u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s, {}, 10, 60},
        {u"SELECT Codigo, Descripcion FROM MA_CUENTAS"_s, {}, 15, 60},
        {u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s, u"@10"_s, 20, 70},
        {u"SELECT IdArticulo, Precio1 FROM MA_ARTICULOS"_s, {}, 20, 12},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 w;
        w.sql = c.sql;
        w.ValoresDefault = c.valoresDefault;
        w.AseguraCarga();
        const QFontMetrics metrics = w.fontMetrics();
        // A header wider than its letters (with the sort arrow) widens its column: nothing is cut.
        const QHeaderView* header = w.ListView1()->header();
        EXPECT_EQ(w.ListView1()->columnWidth(0),
                  std::max(metrics.horizontalAdvance(QString(c.first, u'X')), header->sectionSizeHint(0)))
            << c.sql.toStdString();
        EXPECT_EQ(w.ListView1()->columnWidth(1),
                  std::max(metrics.horizontalAdvance(QString(c.second, u'X')), header->sectionSizeHint(1)))
            << c.sql.toStdString();
    }
}

TEST_F(ListWindow, FieldsWithoutADefinedSizeAreAsWideAsTheirLongestValue)
{
    // Expressions have no declared size.
    Lib_FrmCons3 w;
    w.sql = u"SELECT RTRIM(CODIGO) AS CODIGO, RTRIM(Descripcion) AS Descripcion FROM TA_CCOSTO"_s;
    w.AseguraCarga();
    const QFontMetrics metrics = w.fontMetrics();
    const QHeaderView* header = w.ListView1()->header();
    // "CODIGO" (6) is longer than every code; "Distribución y reparto" (22) is the longest text.
    EXPECT_EQ(w.ListView1()->columnWidth(0),
              std::max(metrics.horizontalAdvance(QString(6, u'X')), header->sectionSizeHint(0)));
    EXPECT_EQ(w.ListView1()->columnWidth(1),
              std::max(metrics.horizontalAdvance(QString(22, u'X')), header->sectionSizeHint(1)));
}

TEST_F(ListWindow, StoredWidthsWinAndAreWrittenBackThroughTheWorkFile)
{
    int computed = 0;
    {
        Lib_FrmCons3 reference;
        reference.sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s;
        reference.AseguraCarga();
        computed = reference.ListView1()->columnWidth(1);
    }
    const QString file = programFolder() + AnchosConsulta::NombreArchivo();
    QFile other(file);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("\"VT_CLIENTES\",\"900|900|\"\r\nuna linea rota\r\n\"TA_CCOSTO\",\"1500|\"\r\n");
    other.close();
    {
        Lib_FrmCons3 w;
        w.sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s;
        w.GrabarCfg = true;
        w.AseguraCarga();
        // Too few widths: the first column takes its own, the second keeps the computed one.
        EXPECT_EQ(w.ListView1()->columnWidth(0), 100);
        EXPECT_EQ(w.ListView1()->columnWidth(1), computed);
        EXPECT_EQ(w.CmbSearch(0)->width(), 100 - 3);
        w.ListView1()->setColumnWidth(1, 210);
        w.Descargar();
    }
    EXPECT_FALSE(QFile::exists(programFolder() + AnchosConsulta::NombreTrabajo()));
    EXPECT_EQ(
        readFile(file),
        QByteArray("\"VT_CLIENTES\",\"900|900|\"\r\nuna linea rota\r\n\"TA_CCOSTO\",\"1500|3150|\"\r\n"));
    Lib_FrmCons3 again;
    again.sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s;
    again.AseguraCarga();
    EXPECT_EQ(again.ListView1()->columnWidth(0), 100);
    EXPECT_EQ(again.ListView1()->columnWidth(1), 210);
    // Without GrabarCfg nothing is written.
    again.ListView1()->setColumnWidth(1, 300);
    again.Descargar();
    EXPECT_TRUE(readFile(file).endsWith("\"TA_CCOSTO\",\"1500|3150|\"\r\n"));
}

TEST_F(ListWindow, AnInstalledProgramKeepsTheWidthsInTheOperatorsFolder)
{
    ProgramInfo::setProgramFolderWritable(false);
    const QString own = userFolder() + AnchosConsulta::NombreArchivo();
    QDir().mkpath(userFolder());
    QFile stored(own);
    ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
    stored.write("\"TA_CCOSTO\",\"1500|1800|\"\r\n");
    stored.close();
    {
        Lib_FrmCons3 w;
        w.sql = u"SELECT CODIGO, Descripcion FROM TA_CCOSTO"_s;
        w.GrabarCfg = true;
        w.AseguraCarga();
        EXPECT_EQ(w.ListView1()->columnWidth(0), 100);
        EXPECT_EQ(w.ListView1()->columnWidth(1), 120);
        w.ListView1()->setColumnWidth(1, 210);
        w.Descargar();
    }
    EXPECT_EQ(readFile(own), QByteArray("\"TA_CCOSTO\",\"1500|3150|\"\r\n"));
    EXPECT_FALSE(QFile::exists(userFolder() + AnchosConsulta::NombreTrabajo()));
    EXPECT_FALSE(QFile::exists(programFolder() + AnchosConsulta::NombreArchivo()));
}

TEST_F(ListWindow, F12ReportsAShortageWithTheDescriptionQuoted)
{
    exec(u"UPDATE MA_ARTICULOS SET Descripcion = 'Aceite O''Higgins 1 l' WHERE IdArticulo = (SELECT "
         u"MIN(IdArticulo) "
         u"FROM MA_ARTICULOS)"_s);
    const QString id = scalar(u"SELECT MIN(IdArticulo) FROM MA_ARTICULOS"_s).toString();
    auto w = open(u"SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS ORDER BY IDARTICULO"_s);
    const int before = scalar(u"SELECT COUNT(*) FROM MV_FALTANTES"_s).toInt();
    op().answerMessage(MsgAnswer::Yes, u"Desea informar el articulo "_s + id +
                                           u" Aceite O'Higgins 1 l\r\ncomo un faltante"_s);
    QTest::keyClick(w->CmbSearch(0), Qt::Key_F12);
    EXPECT_EQ(scalar(u"SELECT Descripcion FROM MV_FALTANTES WHERE IdArticulo = '"_s + id + u"'"_s).toString(),
              u"Aceite O'Higgins 1 l"_s);
    EXPECT_EQ(scalar(u"SELECT Usuario FROM MV_FALTANTES WHERE IdArticulo = '"_s + id + u"'"_s).toString(),
              u"TESSARO"_s);
    // The moment is stored as a date and time (the fixture's clock), not as typed text.
    EXPECT_EQ(scalar(u"SELECT FechaHora FROM MV_FALTANTES WHERE IdArticulo = '"_s + id + u"'"_s).toString(),
              u"2026-12-10 09:05:07"_s);
    ASSERT_EQ(sentWith(u"V_MV_FALTANTES"_s).size(), 1);
    EXPECT_TRUE(sentWith(u"V_MV_FALTANTES"_s)[0].contains(u"values({ts '2026-12-10 09:05:07'},"_s))
        << sentWith(u"V_MV_FALTANTES"_s)[0].toStdString();
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_EQ(op().shown()[0].title, u"Atención!"_s);
    // No: nothing written.
    op().answerMessage(MsgAnswer::No);
    QTest::keyClick(w->ListView1(), Qt::Key_F12);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM MV_FALTANTES"_s).toInt(), before + 1);
    w->hide();

    // Not an article list: F12 does nothing.
    auto plain = open(Suppliers);
    QTest::keyClick(plain->CmbSearch(0), Qt::Key_F12);
    EXPECT_EQ(op().shown().size(), 2);
    plain->hide();
}

TEST_F(ListWindow, NuevoStartsTheMaintenanceProgramOfTheTable)
{
    struct Launch
    {
        QString program;
        QString parameters;
    };
    QList<Launch> launches;
    ArrancaProceso previous = setArrancaProceso([&](const QString& program, const QString& parameters) {
        launches << Launch{program, parameters};
        return qint64(4242);
    });
    struct Case
    {
        QString sql;
        QString program;
        QString parameter;
    };
    const Case cases[] = {
        {Suppliers, u"V_MA_CLIENTES"_s, u"0"_s},
        {u"select * from VT_CLIENTES"_s, u"V_MA_CLIENTES"_s, u"1"_s},
        {u"select * from V_TA_VENDEDORES"_s, u"V_TA_VENDEDORES"_s, QString()},
        {u"select * from V_TA_RUBROS"_s, u"V_TA_TABLAS"_s, u"V_TA_RUBROS"_s},
        {u"select * from TA_CCOSTO"_s, u"V_TA_TABLAS"_s, u"TA_CCOSTO"_s},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 w;
        w.sql = c.sql;
        w.AseguraCarga();
        w.findChild<QPushButton*>(u"CmdNuevo"_s)->click();
        ASSERT_FALSE(launches.isEmpty());
        EXPECT_EQ(launches.back().program, programFolder() + c.program);
        EXPECT_TRUE(
            launches.back().parameters.contains(u"; @ParametroAdicional="_s + c.parameter + u"; zimb@"_s))
            << launches.back().parameters.toStdString();
    }
    setArrancaProceso(previous);
}

TEST_F(ListWindow, ArticleRowsTakeTheColourOfTheirStock)
{
    auto w = std::make_unique<Lib_FrmCons3>();
    w->sql = u"SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS ORDER BY IDARTICULO"_s;
    w->MuestraStock = u"SI"_s;
    w->StkNivel1 = 32768;
    w->StkNivel2 = 16711680;
    w->StkNivel3 = 33023;
    w->StkNivel4 = 255;
    w->AseguraCarga();
    QTreeWidget* list = w->ListView1();
    ASSERT_GT(list->topLevelItemCount(), 0);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        const double p = row->text(2).toDouble();
        const double s = row->text(3).toDouble();
        const QColor expected = p == 0 && s > 0  ? QColor(0, 128, 0)
                                : p > 0 && s > p ? QColor(0, 0, 255)
                                : p > 0 && s < p ? QColor(255, 128, 0)
                                                 : QColor(255, 0, 0);
        EXPECT_EQ(row->foreground(1).color(), expected) << row->text(0).toStdString();
    }
    // Without "SI" no row is coloured.
    Lib_FrmCons3 plain;
    plain.sql = w->sql;
    plain.MuestraStock = u"NO"_s;
    plain.StkNivel1 = 32768;
    plain.AseguraCarga();
    EXPECT_EQ(plain.ListView1()->topLevelItem(0)->foreground(1).style(), Qt::NoBrush);
}

TEST_F(ListWindow, SearchBoxesStayOverTheirColumnsWhenTheListScrolls)
{
    auto w = open(u"SELECT * FROM VT_PROVEEDORES"_s);
    QTreeWidget* list = w->ListView1();
    ASSERT_GT(w->HScroll1()->maximum(), 0);
    w->HScroll1()->setValue(w->HScroll1()->maximum() / 2);
    EXPECT_EQ(list->horizontalScrollBar()->value(), w->HScroll1()->value());
    for (int i = 0; i < list->columnCount(); ++i) {
        const QPoint columnLeft =
            list->viewport()->mapTo(w.get(), QPoint(list->header()->sectionViewportPosition(i), 0));
        const QPoint boxLeft = w->CmbSearch(i)->mapTo(w.get(), QPoint(0, 0));
        EXPECT_EQ(boxLeft.x(), columnLeft.x()) << i;
    }
    // The buttons: "&Aceptar" at the left, "&Cancelar" in the middle of the strip.
    auto* cancelar = w->findChild<QPushButton*>(u"CmdCancelar"_s);
    auto* strip = w->findChild<QWidget*>(u"Frame1"_s);
    EXPECT_NEAR(cancelar->geometry().center().x(), strip->width() / 2, 2);
    w->hide();
}

TEST_F(ListWindow, OptionListsPickTickAndListFiles)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3*>(d);
        EXPECT_EQ(w->windowTitle(), u"Moneda"_s);
        EXPECT_TRUE(w->CmdNueva()->isHidden());
        // Without "&Nueva Busqueda", "&Cancelar" takes its place at the right of the strip.
        auto* cancelar = w->findChild<QPushButton*>(u"CmdCancelar"_s);
        auto* aceptar = w->findChild<QPushButton*>(u"CmdAceptar"_s);
        EXPECT_EQ(cancelar->x(), w->CmdNueva()->x());
        EXPECT_LE(cancelar->geometry().right(), w->width());
        EXPECT_LT(aceptar->geometry().right(), cancelar->geometry().left());
        QTest::keyClicks(w->CmbSearch(0), u"dó"_s.left(1));
        QTest::sendKeyEvent(QTest::Click, w->CmbSearch(0), Qt::Key_unknown, u"ó"_s, Qt::NoModifier);
        QTest::keyClick(w->CmbSearch(0), Qt::Key_Return);
    });
    EXPECT_EQ(request.MenuOpciones(u"Moneda"_s, {u"Pesos"_s, u"Dólares"_s, u"Euros"_s}), u"Dólares"_s);

    whenModal([](QDialog* d) {
        EXPECT_EQ(static_cast<Lib_FrmCons3*>(d)->ListView1()->topLevelItemCount(), 0);
        d->reject();
    });
    EXPECT_TRUE(request.MenuOpciones(u"Una"_s, {u"Sola"_s}).isEmpty());

    whenModal([](QDialog* d) {
        QTreeWidget* list = static_cast<Lib_FrmCons3*>(d)->ListView1();
        EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
        EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
        list->topLevelItem(2)->setCheckState(0, Qt::Checked);
        static_cast<Lib_FrmCons3*>(d)->CmdAceptar_Click();
    });
    EXPECT_TRUE(request.CheckOpciones(u"Series"_s, nullptr, {u"1A"_s, u"0B"_s, u"0C"_s}).isEmpty());
    EXPECT_EQ(request.Valores, (QStringList{u"A"_s, u"C"_s}));

    const QString missing = programFolder() + u"no_existe.txt"_s;
    op().answerMessage(MsgAnswer::Ok,
                       u"No existe el archivo "_s + missing + u" que desea consultar consulta "_s);
    EXPECT_TRUE(request.ConsultaDesdeArchivo(u"Archivo"_s, missing, u","_s).isEmpty());

    const QString binary = programFolder() + u"datos.bin"_s;
    QFile file(binary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray raw("uno\x01\x02", 5);
    raw += '\0';
    raw += "dos\r\nsegunda linea\r\n";
    file.write(raw);
    file.close();
    whenModal([](QDialog* d) {
        QTreeWidget* list = static_cast<Lib_FrmCons3*>(d)->ListView1();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(0), u"uno  dos"_s);
        list->setCurrentItem(list->topLevelItem(1));
        static_cast<Lib_FrmCons3*>(d)->CmdAceptar_Click();
    });
    EXPECT_EQ(request.ConsultaDesdeArchivo(u"Archivo"_s, u"\""_s + binary + u"\""_s), u"segunda linea"_s);
}

} // namespace
