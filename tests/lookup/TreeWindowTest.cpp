// The tree lookup window: the automatic and the family trees, search, F5, ticks spreading down and
// the table look-ups of the value returned.
#include "LookupFixture.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class TreeWindow : public LookupFixture
{
protected:
    std::unique_ptr<Lib_FrmCons3Tree> open(const QString& sql, const QString& campo = u"CODIGO"_s,
                                           bool checks = false)
    {
        auto w = std::make_unique<Lib_FrmCons3Tree>();
        w->sql = sql;
        w->CampoDevuelto = campo;
        w->CheckBoxes = checks;
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }

    /// The key of a node's parent ("" for the root).
    static QString parentKey(const Lib_FrmCons3Tree& w, const QString& key)
    {
        const QTreeWidgetItem* node = w.Nodo(key);
        return node && node->parent() ? Lib_FrmCons3Tree::Clave(node->parent()) : QString();
    }

    void codes(const QStringList& list)
    {
        exec(u"CREATE TABLE T_CODIGOS (Orden INTEGER, Codigo VARCHAR(10), Descripcion VARCHAR(40))"_s);
        for (int i = 0; i < list.size(); ++i)
            exec(u"INSERT INTO T_CODIGOS VALUES ("_s + QString::number(i) + u", '"_s + list[i] +
                 u"', 'Nodo "_s + list[i] + u"')"_s);
    }
};

TEST_F(TreeWindow, EachCodeHangsUnderTheLongestCodeThatBeginsIt)
{
    codes({u"1"_s, u"11"_s, u"111"_s, u"12"_s, u"2"_s, u"11"_s});
    // The repeated code is reported; going on takes the next row.
    op().answerMessage(MsgAnswer::Ignore, u"Key is not unique"_s);
    auto w = open(u"SELECT Codigo, Descripcion FROM T_CODIGOS ORDER BY Orden"_s);
    EXPECT_EQ(parentKey(*w, u"A1"_s), u"A"_s);
    EXPECT_EQ(parentKey(*w, u"A11"_s), u"A1"_s);
    EXPECT_EQ(parentKey(*w, u"A111"_s), u"A11"_s);
    EXPECT_EQ(parentKey(*w, u"A12"_s), u"A1"_s);
    EXPECT_EQ(parentKey(*w, u"A2"_s), u"A"_s);
    EXPECT_EQ(w->Nodo(u"A111"_s)->text(0), u"111 - Nodo 111"_s);
    EXPECT_EQ(w->Nodo(u"A"_s)->text(0), u"Consulta..."_s);
    EXPECT_TRUE(w->Nodo(u"A"_s)->isExpanded());
    EXPECT_FALSE(w->Nodo(u"A1"_s)->isExpanded());
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_TRUE(op().shown()[0].title.contains(u"ArmarTreeVAutomatico"_s));
    w->hide();
}

TEST_F(TreeWindow, ACodeBeforeItsParentHangsUnderTheLongestBeginningAlreadyThere)
{
    codes({u"11"_s, u"1"_s, u"111"_s});
    auto w = open(u"SELECT Codigo, Descripcion FROM T_CODIGOS ORDER BY Orden"_s);
    EXPECT_EQ(parentKey(*w, u"A11"_s), u"A"_s);
    EXPECT_EQ(parentKey(*w, u"A1"_s), u"A"_s);
    EXPECT_EQ(parentKey(*w, u"A111"_s), u"A11"_s);
    w->hide();
}

TEST_F(TreeWindow, AStatementWithoutRowsOrRejectedLeavesTheRootAlone)
{
    auto empty = open(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO WHERE 1 = 0"_s);
    EXPECT_EQ(empty->TreeV()->topLevelItemCount(), 1);
    EXPECT_EQ(empty->Nodo(u"A"_s)->childCount(), 0);
    empty->hide();
    // Reported by the data layer; the builder reads no rows from a statement that did not open.
    op().answerMessage(MsgAnswer::Abort);
    auto bad = open(u"SELECT CODIGO, Descripcion FROM NO_EXISTE"_s);
    EXPECT_EQ(bad->TreeV()->topLevelItemCount(), 1);
    EXPECT_EQ(bad->Nodo(u"A"_s)->childCount(), 0);
    EXPECT_TRUE(bad->CargaFallida());
    EXPECT_EQ(op().shown().size(), 1);
    bad->findChild<QPushButton*>(u"CmdCancelar"_s)->click();
    EXPECT_FALSE(bad->isVisible());
}

TEST_F(TreeWindow, TheFamilyTreeHangsEachFamilyUnderItsParentFamily)
{
    auto w = open(u"select IdFamilia, Descripcion from v_ta_familias"_s, u"IDFAMILIA"_s);
    EXPECT_EQ(parentKey(*w, u"A01"_s), u"A"_s);
    EXPECT_EQ(parentKey(*w, u"A0101"_s), u"A01"_s);
    EXPECT_EQ(parentKey(*w, u"A010302"_s), u"A0103"_s);
    EXPECT_EQ(parentKey(*w, u"A0302"_s), u"A03"_s);
    EXPECT_EQ(parentKey(*w, u"A09"_s), u"A"_s);
    EXPECT_TRUE(w->sql.startsWith(u"SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1"_s));
    // Accepting a family looks it up and returns its code.
    w->TreeV()->setCurrentItem(w->Nodo(u"A0202"_s));
    QTest::keyClick(w->CmbSearch(), Qt::Key_Return);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->ValorDevuelto, u"0202"_s);
}

TEST_F(TreeWindow, TypingSelectsTheFirstNodeWhoseCodeOrDescriptionBeginsWithIt)
{
    auto w = open(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO ORDER BY CODIGO"_s);
    QTest::keyClicks(w->CmbSearch(), u"c"_s);
    // The root, "Consulta...", comes first.
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(w->TreeV()->currentItem()), u"A"_s);
    QTest::keyClicks(w->CmbSearch(), u"ont"_s);
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(w->TreeV()->currentItem()), u"A12"_s);
    w->CmbSearch()->setEditText(u"32"_s);
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(w->TreeV()->currentItem()), u"A32"_s);
    w->hide();
}

TEST_F(TreeWindow, F5NarrowsTwiceBeforeTheOrderingAndNuevaBusquedaGoesBack)
{
    auto w = open(u"SELECT CODIGO, Descripcion FROM TA_CCOSTO ORDER BY CODIGO"_s);
    m_sent.clear();
    w->CmbSearch()->setEditText(u"reparto"_s);
    QTest::keyClick(w->CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(
        w->sql,
        u"SELECT CODIGO, Descripcion FROM TA_CCOSTO  where Descripcion like '%reparto%' ORDER BY CODIGO"_s);
    EXPECT_TRUE(w->CmbSearch()->currentText().isEmpty());
    // "Distribución y reparto" (32) and the two "Reparto zona" under it.
    EXPECT_EQ(w->Nodo(u"A"_s)->childCount(), 1);
    EXPECT_EQ(parentKey(*w, u"A322"_s), u"A32"_s);
    w->CmbSearch()->setEditText(u"o's"_s);
    QTest::keyClick(w->CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(w->sql, u"SELECT CODIGO, Descripcion FROM TA_CCOSTO  where Descripcion like '%reparto%'  and "
                      u"Descripcion like '%o''s%' ORDER BY CODIGO"_s);
    EXPECT_EQ(w->Nodo(u"A"_s)->childCount(), 0);
    EXPECT_TRUE(op().shown().isEmpty());
    w->findChild<QPushButton*>(u"CmdNueva"_s)->click();
    EXPECT_EQ(w->Nodo(u"A"_s)->childCount(), 3);
    EXPECT_TRUE(w->Nodo(u"A321"_s));
    EXPECT_EQ(parentKey(*w, u"A321"_s), u"A32"_s);
    w->hide();
}

TEST_F(TreeWindow, ATickSpreadsSixLevelsDownAndNotUp)
{
    codes(
        {u"1"_s, u"12"_s, u"123"_s, u"1234"_s, u"12345"_s, u"123456"_s, u"1234567"_s, u"12345678"_s, u"2"_s});
    auto w = open(u"SELECT Codigo, Descripcion FROM T_CODIGOS ORDER BY Orden"_s, u"CODIGO"_s, true);
    w->Nodo(u"A12"_s)->setCheckState(0, Qt::Checked);
    for (const QString& key :
         {u"A123"_s, u"A1234"_s, u"A12345"_s, u"A123456"_s, u"A1234567"_s, u"A12345678"_s})
        EXPECT_EQ(w->Nodo(key)->checkState(0), Qt::Checked) << key.toStdString();
    EXPECT_EQ(w->Nodo(u"A1"_s)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(w->Nodo(u"A2"_s)->checkState(0), Qt::Unchecked);
    // From the root: six levels follow it, the seventh and eighth keep their ticks.
    w->Nodo(u"A"_s)->setCheckState(0, Qt::Checked);
    w->Nodo(u"A"_s)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(w->Nodo(u"A123456"_s)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(w->Nodo(u"A1234567"_s)->checkState(0), Qt::Checked);
    EXPECT_EQ(w->Nodo(u"A12345678"_s)->checkState(0), Qt::Checked);
    w->Nodo(u"A"_s)->setCheckState(0, Qt::Checked);
    w->CmdAceptar_Click();
    // The root's code is the empty text; the others follow in the order the nodes were added.
    EXPECT_EQ(w->Valores, (QStringList{u""_s, u"1"_s, u"12"_s, u"123"_s, u"1234"_s, u"12345"_s, u"123456"_s,
                                       u"1234567"_s, u"12345678"_s, u"2"_s}));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(TreeWindow, APickedCodeIsLookedUpInTheTableOfTheReturnedColumn)
{
    exec(u"CREATE TABLE T_MIXTO (Codigo VARCHAR(15), Descripcion VARCHAR(40))"_s);
    exec(
        u"INSERT INTO T_MIXTO VALUES ('21', 'Centro de costo'), ('1.1.02.02', 'Solo cuenta'), ('9', 'Ninguno')"_s);
    struct Case
    {
        QString campo;
        QString key;
        QString value;
    };
    const Case cases[] = {
        {u"CODIGO"_s, u"A21"_s, u"21"_s},       {u"CODIGO"_s, u"A1.1.02.02"_s, u"1.1.02.02"_s},
        {u"CODIGO"_s, u"A9"_s, u""_s},          {u"IDPOSICION"_s, u"A9"_s, u""_s},
        {u"OTRO"_s, u"A21"_s, u"sin cambio"_s},
    };
    for (const Case& c : cases) {
        auto w = open(u"SELECT Codigo, Descripcion FROM T_MIXTO"_s, c.campo);
        w->ValorDevuelto = u"sin cambio"_s;
        w->TreeV()->setCurrentItem(w->Nodo(c.key));
        const QRect rect = w->TreeV()->visualItemRect(w->Nodo(c.key));
        const QPoint at(rect.left() + 10, rect.center().y());
        // QTest's double click needs a click before it to count as one on an item view.
        QTest::mouseClick(w->TreeV()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w->TreeV()->viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(w->isVisible()) << c.campo.toStdString();
        EXPECT_EQ(w->ValorDevuelto, c.value) << c.campo.toStdString() << " " << c.key.toStdString();
        w->hide();
    }
}

TEST_F(TreeWindow, TheRequestShowsTheTreeAndCopiesItsAnswer)
{
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3Tree*>(d);
        w->TreeV()->setCurrentItem(w->Nodo(u"A0903"_s));
        w->CmdAceptar_Click();
    });
    request.CampoDevuelto = u"IDPOSICION"_s;
    request.ConsultaSearch(u"SELECT IDPOSICION, Descripcion FROM MA_POSICIONES ORDER BY IDPOSICION"_s,
                           nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_EQ(request.ValorDevuelto, u"0903"_s);

    whenModal(
        [](QDialog* d) { QTest::keyClick(static_cast<Lib_FrmCons3Tree*>(d)->CmbSearch(), Qt::Key_Escape); });
    request.CampoDevuelto = u"IDPOSICION"_s;
    request.Checks = true;
    request.ConsultaSearch(u"SELECT IDPOSICION, Descripcion FROM MA_POSICIONES"_s, nullptr, {}, nullptr,
                           nullptr, {}, true);
    EXPECT_TRUE(request.ValorDevuelto.isEmpty());
    EXPECT_TRUE(request.Valores.isEmpty());
    EXPECT_FALSE(request.Checks);
}

TEST_F(TreeWindow, OpensInItsSearchBoxSoTypingAndEnterPickAtOnce)
{
    // Keys go wherever the focus is, as the operator's do: the window must open in its search box.
    Lib_ClsCons3& request = Lib_ClsCons3::instance();
    whenModal([](QDialog* d) {
        auto* w = static_cast<Lib_FrmCons3Tree*>(d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_TRUE(w->CmbSearch()->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), u"0903"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    request.CampoDevuelto = u"IDPOSICION"_s;
    request.ConsultaSearch(u"SELECT IDPOSICION, Descripcion FROM MA_POSICIONES ORDER BY IDPOSICION"_s,
                           nullptr, {}, nullptr, nullptr, {}, true);
    EXPECT_EQ(request.ValorDevuelto, u"0903"_s);
}

} // namespace
