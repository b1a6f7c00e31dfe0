#include "lookup/BotonesConsulta.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

BotonesConsulta BotonesConsulta::crea(QWidget* marco)
{
    const auto boton = [marco](const QString& texto, const QString& nombre) {
        auto* b = new QPushButton(texto, marco);
        b->setObjectName(nombre);
        return b;
    };
    BotonesConsulta botones;
    botones.aceptar = boton(u"&Aceptar"_s, u"CmdAceptar"_s);
    botones.aceptar->setDefault(true);
    botones.cancelar = boton(u"&Cancelar"_s, u"CmdCancelar"_s);
    botones.cancelar->setAutoDefault(false);
    botones.nueva = boton(u"&Nueva Busqueda"_s, u"CmdNueva"_s);
    botones.nueva->setAutoDefault(false);
    return botones;
}
