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

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

/// The help of the command line, in the operator's language.
QString ayuda()
{
    return uR"(Uso: talonex [--pdf ARCHIVO] "PARAMETROS"
       talonex --version | --help

Imprime los cheques de pago a proveedores: elige la cuenta bancaria, carga los cheques
emitidos sin número, los numera con la chequera y los imprime con el reporte de la cuenta.

PARAMETROS es una sola cadena de claves "@Clave=valor;" separadas por ";" (las claves no
distinguen mayúsculas; los blancos no importan):
  @Server=SERVIDOR      servidor SQL Server (SRV01, SRV01\INSTANCIA, tcp/SRV01:1433);
                        #ORIGEN para Oracle; file://CARPETA para una carpeta de bases SQLite
  @DbName=BASE          la base de datos (en SQLite, el archivo CARPETA/BASE.db)
  @Usuario=USUARIO      el usuario de la base
  @Password=CLAVE       su clave
  @UsuarioLogeado=USUARIO  el usuario que ingresó al sistema
  @Caja=N               el número de caja (1 si falta)
  @ParametroAdicional=Reimpresion  vuelve a imprimir cheques ya numerados
  @Menu=TEXTO           se guarda; el programa no lo usa
Sin parámetros, o sin servidor o usuario, el programa pide la conexión en su diálogo.

Opciones:
  --pdf ARCHIVO         imprime los cheques en ese archivo PDF en lugar de la impresora
  --version             muestra la versión y termina
  -h, --help            muestra esta ayuda y termina

Variables de entorno:
  TALONEX_INI_DIR       carpeta donde se busca PX500wk.INI antes que en la del programa y la actual
  TALONEX_ODBC_DRIVER   controlador ODBC de SQL Server (FreeTDS si no se indica)
  TEMP, TMP             carpeta del registro TSERR.LOG de las rutinas compartidas
  QT_QPA_PLATFORM=offscreen  sin pantalla: carga la ventana, anota los mensajes en la salida de
                        errores y termina

Archivos: los reportes y estilos se leen de la carpeta del programa; los que el programa escribe
(consultas.tso, CONSULTASLEN.TSO, TSERR.LOG, BASES.TXT, impresoras.cal) van a esa carpeta si se
puede escribir en ella, y si no a ~/.local/share/talonex. Vea talonex(1).
)"_s;
}

/// Answers --version and --help, before anything starts and without a display; false for a run.
bool respondeSinVentana(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            QTextStream(stdout) << QStringLiteral("talonex " TALONEX_VERSION) << Qt::endl;
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QTextStream(stdout) << ayuda();
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (respondeSinVentana(argc, argv))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"talonex"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Impresion de cheques de pago a proveedores"_s);
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
        return CorridaDesatendida::ejecuta(ventana, parser.value(corrida), salida);
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
