#include "cheques/CorridaDesatendida.h"

#include "cheques/FrmTalonex.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/NumeroCheque.h"
#include "data/DataGlobals.h"
#include "zimbrel2/RuntimeError.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace CorridaDesatendida {

namespace {

const QStringList Campos = {u"banco"_s,  u"serie"_s,    u"desde"_s,      u"hasta"_s,
                            u"fechad"_s, u"fechah"_s,   u"proveedord"_s, u"proveedorh"_s,
                            u"marcar"_s, u"corridas"_s, u"pantalla"_s};

// The window's filter field of each script item.
const QHash<QString, QString>& camposVentana()
{
    static const QHash<QString, QString> campos = {
        {u"banco"_s, u"idbanco"_s},         {u"serie"_s, u"Serie"_s},
        {u"desde"_s, u"NumerarDesde"_s},    {u"hasta"_s, u"NumerarHasta"_s},
        {u"fechad"_s, u"FechaD"_s},         {u"fechah"_s, u"FechaH"_s},
        {u"proveedord"_s, u"ProveedorD"_s}, {u"proveedorh"_s, u"ProveedorH"_s}};
    return campos;
}

std::optional<QHash<QString, QString>> lee(const QString& guion, QString& error)
{
    QHash<QString, QString> items;
    for (const QString& item : guion.split(u';', Qt::SkipEmptyParts)) {
        if (item.trimmed().isEmpty())
            continue;
        const qsizetype igual = item.indexOf(u'=');
        const QString nombre = item.left(igual).trimmed().toLower();
        if (igual < 0 || !Campos.contains(nombre)) {
            error = u"elemento desconocido \""_s + item.trimmed() + u"\""_s;
            return std::nullopt;
        }
        items.insert(nombre, item.mid(igual + 1).trimmed());
    }
    return items;
}

std::optional<int> entero(const QString& texto, int porDefecto)
{
    if (texto.isEmpty())
        return porDefecto;
    bool ok = false;
    const int n = texto.toInt(&ok);
    return ok && n > 0 ? std::optional<int>(n) : std::nullopt;
}

} // namespace

int ejecuta(FrmTalonex& ventana, const QString& guion, QTextStream& salida)
{
    QString error;
    const std::optional<QHash<QString, QString>> items = lee(guion, error);
    const QString marcar = items ? items->value(u"marcar"_s, u"todos"_s) : QString();
    const bool todos = marcar.compare(u"todos"_s, Qt::CaseInsensitive) == 0;
    const std::optional<int> cuantos = todos ? std::optional<int>(0) : entero(marcar, 0);
    const std::optional<int> corridas = items ? entero(items->value(u"corridas"_s), 1) : std::nullopt;
    if (items && (!cuantos || !corridas))
        error = u"marcar y corridas son numeros mayores que cero (marcar tambien puede ser \"todos\")"_s;
    if (!error.isEmpty()) {
        salida << u"talonex: guion de corrida no valido: "_s << error << Qt::endl;
        return 2;
    }
    const int nMarcar = cuantos.value_or(0);
    const int nCorridas = corridas.value_or(1);

    auto* cargar = ventana.findChild<QPushButton*>(u"CmdCargar"_s);
    auto* grabar = ventana.findChild<QAction*>(u"GRABAR"_s);
    auto* pantalla = ventana.findChild<QCheckBox*>(u"ChkPantalla"_s);
    if (!cargar || !grabar || !pantalla)
        return 2;
    pantalla->setChecked(items->value(u"pantalla"_s).compare(u"SI"_s, Qt::CaseInsensitive) == 0);

    bool termino = false;
    const QMetaObject::Connection aviso =
        QObject::connect(&ventana, &FrmTalonex::corridaTerminada, [&termino] { termino = true; });
    const bool siguiente = items->value(u"desde"_s).compare(u"siguiente"_s, Qt::CaseInsensitive) == 0;
    const QString banco = items->value(u"banco"_s);
    const QString serie = items->value(u"serie"_s);
    // With desde=siguiente a run that did nothing is tried again only when other workstations moved
    // the next free number meanwhile.
    QString sinAvance;
    const auto sigueSinAvance = [&](const QString& desde) {
        if (!siguiente || desde == sinAvance)
            return false;
        sinAvance = desde;
        return true;
    };
    for (int corrida = 1; corrida <= nCorridas; ++corrida) {
        const QString prefijo = u"talonex: corrida "_s + QString::number(corrida) + u": "_s;
        QString desde = items->value(u"desde"_s);
        if (siguiente && !ventana.EnReimpresion()) {
            std::optional<qint64> libre;
            try {
                libre = GeneracionCheques::siguienteLibre(DataGlobals::gDB(), banco, serie);
            } catch (const RuntimeError& falla) {
                salida << prefijo << u"no se pudo leer el siguiente numero: "_s << falla.description()
                       << Qt::endl;
                break;
            }
            if (!libre) {
                salida << prefijo << u"no quedan numeros libres en la serie "_s << serie << Qt::endl;
                break;
            }
            desde = QString::number(*libre);
        }
        for (auto it = camposVentana().begin(); it != camposVentana().end(); ++it) {
            if (QLineEdit* campo = ventana.campo(it.value()); campo && items->contains(it.key()))
                campo->setText(it.key() == u"desde" ? desde : items->value(it.key()));
        }

        cargar->click();
        QTreeWidget* lista = ventana.Lvw();
        const int filas = lista->topLevelItemCount();
        if (lista->columnCount() == 0 || filas == 0) {
            salida << prefijo << u"no hay cheques para los filtros indicados"_s << Qt::endl;
            break;
        }
        if (todos) {
            ventana.findChild<QPushButton*>(u"CmdTodos"_s)->click();
        } else {
            for (int i = 0; i < filas && i < nMarcar; ++i)
                lista->topLevelItem(i)->setCheckState(0, Qt::Checked);
        }

        termino = false;
        grabar->trigger();
        QCoreApplication::processEvents();
        if (!termino) {
            salida << prefijo << u"no se genero: los datos no pasaron la validacion"_s << Qt::endl;
            if (!sigueSinAvance(desde))
                break;
            continue;
        }
        const ResultadoGeneracion& r = ventana.ultimaCorrida();
        salida << prefijo << r.marcados << u" marcados, "_s << r.generados << u" generados, "_s << r.impresos
               << u" impresos"_s;
        if (!r.primero.isEmpty())
            salida << u", "_s << r.primero << u" a "_s << r.ultimo;
        if (!r.siguienteLibre.isEmpty())
            salida << u", siguiente libre "_s << r.siguienteLibre;
        if (r.fallo)
            salida << u", termino con un error"_s;
        salida << Qt::endl;
        if (r.generados > 0)
            sinAvance.clear();
        else if (!sigueSinAvance(desde))
            break;
    }
    QObject::disconnect(aviso);
    return 0;
}

} // namespace CorridaDesatendida
