#include "printing/FormulariosPrograma.h"

#include "app/AppState.h"
#include "app/Inicio.h"
#include "data/DataGlobals.h"
#include "printing/FrmEjemplo.h"
#include "printing/Rt_Imp1.h"
#include "report/ClsReporte.h"

#include <QApplication>
#include <QListWidget>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

/// Closes the program-wide connections on the way out, while the application object (and Qt SQL's
/// connection registry) still exists.
struct CierraConexiones
{
    CierraConexiones() = default;
    CierraConexiones(const CierraConexiones&) = delete;
    CierraConexiones& operator=(const CierraConexiones&) = delete;
    ~CierraConexiones() { DataGlobals::reset(); }
};

} // namespace

int ejecutaFormularios(const QString& parametros, bool sinPantalla)
{
    const CierraConexiones cierre;
    QString cadena;
    if (IniciarAplicacion(false, parametros, cadena, 3) == ResultadoInicio::SinConexion)
        return 1;
    ClsReporte::instance().CarpetaReportes(appState().gCarpetaPrograma);
    FrmEjemplo ventana;
    ventana.Form_Load();
    if (sinPantalla) {
        QTextStream out(stdout);
        const QString impresora = Rt_Imp1::ImpresoraActual();
        if (impresora.isEmpty())
            out << u"talonex: no hay ninguna impresora."_s << Qt::endl;
        else
            out << u"talonex: formularios de la impresora \""_s << impresora << u"\":"_s << Qt::endl;
        for (int i = 0; i < ventana.List1()->count(); ++i)
            out << ventana.List1()->item(i)->text() << Qt::endl;
        return 0;
    }
    ventana.show();
    return QApplication::exec();
}
