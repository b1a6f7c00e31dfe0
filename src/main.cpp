// The program: start-up on the connection named by the command line, then the program's windows.
#include "app/AppState.h"
#include "app/HeadlessOperator.h"
#include "app/Inicio.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/QtOperatorDialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"talonex"_s);
    const bool headless =
        QGuiApplication::platformName() == u"offscreen" || QGuiApplication::platformName() == u"minimal";
    if (headless)
        installOperatorDialogs(std::make_unique<HeadlessOperator>());
    else
        installOperatorDialogs(std::make_unique<QtOperatorDialogs>());

    QString connectionString;
    const ResultadoInicio outcome = IniciarAplicacion(false, QString(), connectionString, 3);
    if (outcome == ResultadoInicio::SinConexion)
        return 1;

    const DB_Dll& db = DataGlobals::gDB();
    const AppState& state = appState();
    const QString summary =
        u"Conectado a la base "_s + db.gDBName + u" como "_s + db.gUsuario +
        (db.gEsAdmin ? u" (administrador)"_s : QString()) + u", puesto "_s + state.gPuestoUsuario + u"."_s +
        (outcome == ResultadoInicio::Completo ? u" Ingreso registrado en Control_Acceso."_s
                                              : u" El inicio se detuvo antes de terminar."_s) +
        (state.gParametroAdicional.compare(u"Reimpresion", Qt::CaseInsensitive) == 0 ? u" Modo reimpresión."_s
                                                                                     : QString());
    QTextStream(stdout) << u"talonex: "_s << summary << Qt::endl;
    if (!headless)
        operatorDialogs().messageBox(summary, 64, u"Talonex"_s);
    return 0;
}
