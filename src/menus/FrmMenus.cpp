#include "menus/FrmMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPoint>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

QPointer<FrmMenus>& ventanaMenus()
{
    static QPointer<FrmMenus> ventana;
    return ventana;
}

} // namespace

FrmMenus::FrmMenus(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FrmMenus"_s);
    setWindowTitle(u"Menus"_s);

    m_emergenteXV = new QMenu(this);
    m_emergenteXV->setObjectName(u"MNU_Emergente_XV"_s);
    m_verDetalle =
        agregaItem(m_emergenteXV, u"MNU_Emergente_XV_VerDetalle"_s, u"Ver Detalle"_s, u"VerDetalle"_s);
    m_separador1 = agregaSeparador(m_emergenteXV, u"MNU_Emergente_XV_Separador1"_s);
    m_verAsiento =
        agregaItem(m_emergenteXV, u"MNU_Emergente_XV_VerAsiento"_s, u"Ver Asiento"_s, u"VerAsiento"_s);
    m_separador2 = agregaSeparador(m_emergenteXV, u"MNU_Emergente_XV_Separador2"_s);
    m_cancelar = agregaItem(m_emergenteXV, u"MNU_Emergente_XV_Cancelar"_s, u"Cancelar"_s, QString());

    PRespuesta.clear();
}

QAction* FrmMenus::agregaItem(QMenu* menu, const QString& nombre, const QString& texto, const QString& clave)
{
    QAction* accion = menu->addAction(texto);
    accion->setObjectName(nombre);
    accion->setData(clave);
    // A click only stores the item's keyword; the window that showed the menu acts on it.
    connect(accion, &QAction::triggered, this, [this, clave] { PRespuesta = clave; });
    return accion;
}

QAction* FrmMenus::agregaSeparador(QMenu* menu, const QString& nombre)
{
    QAction* separador = menu->addSeparator();
    separador->setObjectName(nombre);
    return separador;
}

void FrmMenus::LimpiaRespuesta()
{
    PRespuesta.clear();
}

void FrmMenus::MostrarMenu(QMenu* menu, const QPoint& posicionGlobal)
{
    if (menu)
        menu->exec(posicionGlobal);
}

QString FrmMenus::Pregunta(QMenu* menu, const QPoint& posicionGlobal)
{
    LimpiaRespuesta();
    MostrarMenu(menu, posicionGlobal);
    return PRespuesta;
}

void FrmMenus::Salir()
{
    hide();
}

FrmMenus& FrmMenus::instancia()
{
    QPointer<FrmMenus>& ventana = ventanaMenus();
    if (!ventana)
        ventana = new FrmMenus();
    return *ventana;
}

void FrmMenus::descargar()
{
    QPointer<FrmMenus>& ventana = ventanaMenus();
    delete ventana.data();
}
