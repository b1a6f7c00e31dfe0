// The shared pop-up menu window: items of MNU_Emergente_XV, the keyword a choice stores, clearing
// it, and a menu closed without a choice.
#include "menus/FrmMenus.h"
#include "menus/PopupPicker.h"
#include "support/QStringPrinter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Menus : public ::testing::Test
{
protected:
    void TearDown() override
    {
        FrmMenus::descargar();
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }

    QPoint enPantalla() const { return QPoint(120, 80); }
};

TEST_F(Menus, LoadingGivesTheFiveItemsInOrderAndAnEmptyAnswer)
{
    FrmMenus menus;
    EXPECT_EQ(menus.PRespuesta, QString());
    EXPECT_FALSE(menus.isVisible());
    QMenu* menu = menus.MNU_Emergente_XV();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), u"MNU_Emergente_XV"_s);
    EXPECT_EQ(menus.findChild<QMenu*>(u"MNU_Emergente_XV"_s), menu);

    struct Item
    {
        QAction* accion;
        const char16_t* nombre;
        const char16_t* texto;
        bool separador;
    };
    const Item items[] = {
        {menus.MNU_Emergente_XV_VerDetalle(), u"MNU_Emergente_XV_VerDetalle", u"Ver Detalle", false},
        {menus.MNU_Emergente_XV_Separador1(), u"MNU_Emergente_XV_Separador1", u"", true},
        {menus.MNU_Emergente_XV_VerAsiento(), u"MNU_Emergente_XV_VerAsiento", u"Ver Asiento", false},
        {menus.MNU_Emergente_XV_Separador2(), u"MNU_Emergente_XV_Separador2", u"", true},
        {menus.MNU_Emergente_XV_Cancelar(), u"MNU_Emergente_XV_Cancelar", u"Cancelar", false},
    };
    const QList<QAction*> acciones = menu->actions();
    ASSERT_EQ(acciones.size(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(acciones.at(i), items[i].accion);
        EXPECT_EQ(acciones.at(i)->objectName(), QString::fromUtf16(items[i].nombre));
        EXPECT_EQ(acciones.at(i)->isSeparator(), items[i].separador);
        if (!items[i].separador) {
            EXPECT_EQ(acciones.at(i)->text(), QString::fromUtf16(items[i].texto));
        }
    }
}

TEST_F(Menus, AChoiceStoresOnlyItsKeyword)
{
    struct Caso
    {
        const char16_t* item;
        const char16_t* respuesta;
    };
    const Caso casos[] = {
        {u"MNU_Emergente_XV_VerAsiento", u"VerAsiento"},
        {u"MNU_Emergente_XV_VerDetalle", u"VerDetalle"},
        {u"MNU_Emergente_XV_Cancelar", u""},
    };
    FrmMenus menus;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(QString::fromUtf16(caso.item).toStdString());
        menus.PRespuesta = u"previa"_s;
        PopupPicker picker(QString::fromUtf16(caso.item));
        menus.MostrarMenu(menus.MNU_Emergente_XV(), enPantalla());
        EXPECT_TRUE(picker.actuo());
        EXPECT_TRUE(picker.encontrado());
        EXPECT_EQ(menus.PRespuesta, QString::fromUtf16(caso.respuesta));
        EXPECT_FALSE(menus.MNU_Emergente_XV()->isVisible());
        EXPECT_FALSE(menus.isVisible());
    }
}

TEST_F(Menus, ClosedWithoutAChoiceTheAnswerIsLeftOrClearedFirst)
{
    FrmMenus menus;
    {
        PopupPicker picker(u"MNU_Emergente_XV_VerAsiento"_s);
        EXPECT_EQ(menus.Pregunta(menus.MNU_Emergente_XV(), enPantalla()), u"VerAsiento"_s);
        EXPECT_TRUE(picker.actuo());
    }
    {
        // Shown as it stands, a menu closed with Escape leaves the earlier choice in place ...
        PopupPicker picker{QString()};
        menus.MostrarMenu(menus.MNU_Emergente_XV(), enPantalla());
        EXPECT_TRUE(picker.actuo());
        EXPECT_EQ(menus.PRespuesta, u"VerAsiento"_s);
    }
    {
        // ... so the caller asks with the answer cleared first, and a closed menu answers nothing.
        PopupPicker picker{QString()};
        EXPECT_EQ(menus.Pregunta(menus.MNU_Emergente_XV(), enPantalla()), QString());
        EXPECT_TRUE(picker.actuo());
        EXPECT_EQ(menus.PRespuesta, QString());
    }
    menus.PRespuesta = u"VerDetalle"_s;
    menus.LimpiaRespuesta();
    EXPECT_EQ(menus.PRespuesta, QString());
}

TEST_F(Menus, HiddenItemsAreNotOfferedAndCannotBeChosen)
{
    FrmMenus menus;
    // As the cheque list shows it: no detail item and no first separator.
    menus.MNU_Emergente_XV_VerDetalle()->setVisible(false);
    menus.MNU_Emergente_XV_Separador1()->setVisible(false);
    menus.MNU_Emergente_XV_Separador2()->setVisible(true);
    menus.MNU_Emergente_XV_VerAsiento()->setVisible(true);
    PopupPicker picker(u"MNU_Emergente_XV_VerDetalle"_s);
    EXPECT_EQ(menus.Pregunta(menus.MNU_Emergente_XV(), enPantalla()), QString());
    EXPECT_TRUE(picker.actuo());
    EXPECT_FALSE(picker.encontrado());
    EXPECT_EQ(picker.visibles(),
              (QStringList{u"MNU_Emergente_XV_VerAsiento"_s, u"MNU_Emergente_XV_Separador2"_s,
                           u"MNU_Emergente_XV_Cancelar"_s}));
}

TEST_F(Menus, TheSuiteKeepsOneMenuWindowThatSalirHidesAndUnloadingRenews)
{
    FrmMenus& menus = FrmMenus::instancia();
    EXPECT_EQ(&FrmMenus::instancia(), &menus);
    menus.show();
    EXPECT_TRUE(menus.isVisible());
    menus.Salir();
    EXPECT_FALSE(menus.isVisible());
    menus.PRespuesta = u"VerAsiento"_s;
    EXPECT_EQ(FrmMenus::instancia().PRespuesta, u"VerAsiento"_s);

    FrmMenus::descargar();
    EXPECT_EQ(FrmMenus::instancia().PRespuesta, QString());
}

} // namespace
