#include "printing/FormulariosPrograma.h"

#include "app/AppState.h"
#include "app/Inicio.h"
#include "printing/FrmEjemplo.h"
#include "printing/Rt_Imp1.h"
#include "report/ClsReporte.h"

#include <QApplication>
#include <QListWidget>
#include <QTextStream>

using namespace Qt::StringLiterals;

int ejecutaFormularios(const QString& parametros, bool sinPantalla)
{
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
