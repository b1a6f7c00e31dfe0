// The program: the cheque window, whose load starts the program on the connection the command line
// names.
#include "access/DialogoConexion.h"
#include "app/AppState.h"
#include "app/HeadlessOperator.h"
#include "cheques/CorridaDesatendida.h"
#include "cheques/FrmTalonex.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "printing/FormulariosPrograma.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/QtOperatorDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"talonex"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Impresion de cheques de pago a proveedores"_s);
    parser.addHelpOption();
    const QCommandLineOption pdf(u"pdf"_s, u"Imprime en este archivo PDF en lugar de la impresora."_s,
                                 u"archivo"_s);
    parser.addOption(pdf);
    const QCommandLineOption formularios(
        u"formularios"_s,
        u"Abre la herramienta de formularios de papel de la impresora en lugar de la ventana de "
        u"cheques."_s);
    parser.addOption(formularios);
    const QCommandLineOption corrida(
        u"corrida"_s, u"Trabaja la ventana sin operador segun el guion y termina (ver el README)."_s,
        u"guion"_s);
    parser.addOption(corrida);
    parser.addPositionalArgument(u"parametros"_s, u"\"@Server=...; @DbName=...; @Usuario=...; ...\""_s);
    parser.process(app);

    const bool headless =
        QGuiApplication::platformName() == u"offscreen" || QGuiApplication::platformName() == u"minimal";
    if (headless)
        installOperatorDialogs(std::make_unique<HeadlessOperator>());
    else
        installOperatorDialogs(std::make_unique<QtOperatorDialogs>());
    // The data layer asks for missing or rejected connection data through the connection dialog.
    if (headless)
        DataGlobals::setConnectionDialog(std::make_shared<ConexionSinPantalla>());
    else
        DataGlobals::setConnectionDialog(std::make_shared<DialogoConexion>());

    // Blank-separated arguments are one parameter string, as the suite's programs receive it.
    const QString parametros = parser.positionalArguments().join(u' ');
    if (parser.isSet(formularios))
        return ejecutaFormularios(parametros, headless);
    FrmTalonex ventana;
    ventana.setArchivoPdf(parser.value(pdf));
    if (!ventana.Form_Load(parametros.isEmpty() ? QString() : parametros))
        return 1;

    const DB_Dll& db = DataGlobals::gDB();
    const AppState& state = appState();
    QTextStream(stdout) << u"talonex: "_s << ventana.windowTitle() << u" en la base "_s << db.gDBName
                        << u" como "_s << db.gUsuario << (db.gEsAdmin ? u" (administrador)"_s : QString())
                        << u", puesto "_s << state.gPuestoUsuario << u"."_s << Qt::endl;
    if (parser.isSet(corrida)) {
        QTextStream salida(stdout);
        const int codigo = CorridaDesatendida::ejecuta(ventana, parser.value(corrida), salida);
        // The connections go while Qt SQL is still there.
        DataGlobals::reset();
        return codigo;
    }
    if (headless) {
        // Nobody can work a window on the offscreen platform: the start has been made and recorded.
        QTextStream(stdout) << u"talonex: sin pantalla; la ventana se cargo y el programa termina."_s
                            << Qt::endl;
        return 0;
    }
    ventana.show();
    return app.exec();
}
