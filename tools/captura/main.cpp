// talonex-captura OUTPUT_FOLDER DEMO_FOLDER
// Writes the README pictures: the cheque window in normal and in reprint mode, the ledger viewer
// opened from the cheque list, a printed sheet of cheques and the connection dialog. It works on a
// copy of the demo database, so the folder it is given never changes.
#include "access/ArchivoBases.h"
#include "access/frmAcceso.h"
#include "app/AppState.h"
#include "app/HeadlessOperator.h"
#include "app/Inicio.h"
#include "app/MenuExes.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/FrmTalonex.h"
#include "data/DataGlobals.h"
#include "demo/DemoDatabase.h"
#include "lookup/Lib_ClsCons3.h"
#include "menus/FrmMenus.h"
#include "report/ClsReporte.h"
#include "suite/ArranqueSuite.h"
#include "suite/AsientoContable.h"
#include "suite/Comprobante.h"
#include "suite/FrmAsiento.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A 1366 x 768 screen, less its panel: the size the window opens at there.
const QSize TamanoVentana(1366, 740);

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

/// The unattended operator, counting the boxes: a box means the window is not in the state the
/// picture is meant to show.
class OperadorCaptura : public HeadlessOperator
{
public:
    int messageBox(const QString& text, int style, const QString& title) override
    {
        ++m_cajas;
        return HeadlessOperator::messageBox(text, style, title);
    }
    int cajas() const { return m_cajas; }

private:
    int m_cajas = 0;
};

QString parametros(const QString& carpeta, bool reimpresion)
{
    return u"@Server=file://"_s + carpeta + u"; @DbName=TALONEX_DEMO; @Usuario="_s + DemoDb::AdminUser +
           u"; @Password=demo; @UsuarioLogeado="_s + DemoDb::AdminUser + u"; @Caja=1;"_s +
           (reimpresion ? u" @ParametroAdicional=Reimpresion;"_s : QString());
}

/// The program-wide objects a window leaves behind, dropped so the next one starts as a fresh
/// program would.
void cierra(std::unique_ptr<FrmTalonex>& ventana)
{
    ventana.reset();
    gDisplay().CartelCerrar();
    FrmMenus::descargar();
    Lib_ClsCons3::resetInstance();
    ClsReporte::reset();
    DataGlobals::reset();
    resetAppState();
}

std::unique_ptr<FrmTalonex> abre(const QString& carpeta, bool reimpresion)
{
    auto ventana = std::make_unique<FrmTalonex>();
    if (!ventana->Form_Load(parametros(carpeta, reimpresion))) {
        err() << u"talonex-captura: no se pudo abrir la base de "_s << carpeta << Qt::endl;
        return nullptr;
    }
    ventana->resize(TamanoVentana);
    // Away from the pointer, which rests on the screen's corner: no toolbar button shows as hovered.
    ventana->move(200, 200);
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    return ventana;
}

/// Fills the filters as the operator types them, each field validated as the focus leaves it (the
/// bank account shows its description).
void llena(FrmTalonex& ventana, const QList<std::pair<QString, QString>>& valores)
{
    for (const auto& [campo, valor] : valores) {
        QLineEdit* caja = ventana.campo(campo);
        caja->setText(valor);
        ventana.CampoValida(caja);
    }
}

/// Ticks rows as the operator does; the status line under the list follows the ticks.
void tilda(FrmTalonex& ventana, const QList<int>& filas)
{
    QTreeWidget* lista = ventana.Lvw();
    for (int fila : filas)
        if (QTreeWidgetItem* item = lista->topLevelItem(fila))
            item->setCheckState(0, Qt::Checked);
}

bool guarda(QWidget& ventana, const QString& archivo)
{
    QApplication::processEvents();
    const QPixmap imagen = ventana.grab();
    if (imagen.isNull() || !imagen.save(archivo, "PNG")) {
        err() << u"talonex-captura: no se pudo escribir "_s << archivo << Qt::endl;
        return false;
    }
    QTextStream(stdout) << u"talonex-captura: "_s << archivo << Qt::endl;
    return true;
}

bool graba(FrmTalonex& ventana, const QString& archivo)
{
    // The list gets the focus, as after the operator's last tick; no field shows the focus colour.
    ventana.Lvw()->setFocus();
    ventana.Lvw()->setCurrentItem(nullptr);
    return guarda(ventana, archivo);
}

bool copiaBase(const QString& origen, const QString& destino)
{
    for (const QString& base : {u"TALONEX_DEMO.db"_s, u"TS_ESTADISTICAS.db"_s}) {
        if (!QFile::copy(origen + u'/' + base, destino + u'/' + base)) {
            err() << u"talonex-captura: falta "_s << origen << u'/' << base << Qt::endl;
            return false;
        }
    }
    return true;
}

/// A picture of the window in one mode, with `filtros` typed in, the list loaded and `filas` ticked.
bool ventana(const QString& base, bool reimpresion, const QList<std::pair<QString, QString>>& filtros,
             const QList<int>& filas, const QString& archivo)
{
    std::unique_ptr<FrmTalonex> ventana = abre(base, reimpresion);
    if (!ventana)
        return false;
    llena(*ventana, filtros);
    ventana->CmdCargar_Click();
    tilda(*ventana, filas);
    const bool ok = ventana->Lvw()->topLevelItemCount() > 0 && graba(*ventana, archivo);
    cierra(ventana);
    return ok;
}

bool ventanaNormal(const QString& base, const QString& salida)
{
    return ventana(base, false,
                   {{u"idbanco"_s, DemoDb::TestAccount},
                    {u"Serie"_s, DemoDb::TestSeries},
                    {u"NumerarDesde"_s, QString::number(DemoDb::TestFirstFreeNumber)}},
                   {0, 1, 3}, salida + u"/ventana-normal.png"_s);
}

bool ventanaReimpresion(const QString& base, const QString& salida)
{
    return ventana(base, true,
                   {{u"idbanco"_s, DemoDb::TestAccount},
                    {u"Serie"_s, DemoDb::TestSeries},
                    {u"NumerarDesde"_s, u"50"_s},
                    {u"NumerarHasta"_s, u"60"_s}},
                   {2, 3, 4}, salida + u"/ventana-reimpresion.png"_s);
}

/// "Ver Asiento" on the third cheque of the test account: the launcher builds the ledger viewer's
/// parameter string as for the real start, and the viewer's window is drawn here from that string.
bool visorAsiento(const QString& base, const QString& salida)
{
    std::unique_ptr<FrmTalonex> ventana = abre(base, false);
    if (!ventana)
        return false;
    llena(*ventana, {{u"idbanco"_s, DemoDb::TestAccount},
                     {u"Serie"_s, DemoDb::TestSeries},
                     {u"NumerarDesde"_s, QString::number(DemoDb::TestFirstFreeNumber)}});
    ventana->CmdCargar_Click();
    QTreeWidget* lista = ventana->Lvw();
    lista->setCurrentItem(lista->topLevelItem(2));
    QString lanzado;
    const ArrancaProceso anterior = setArrancaProceso([&](const QString&, const QString& parametros) {
        lanzado = parametros;
        return qint64(1);
    });
    QTimer::singleShot(0, [] {
        FrmMenus::instancia().MNU_Emergente_XV_VerAsiento()->trigger();
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    Q_EMIT lista->customContextMenuRequested(lista->visualItemRect(lista->currentItem()).center());
    setArrancaProceso(anterior);

    bool ok = false;
    const std::optional<Comprobante> comprobante =
        Comprobante::desdeParametro(LeeParametro(lanzado, u"@ParametroAdicional"_s));
    AsientoContable asiento;
    QString mensaje;
    if (!comprobante) {
        err() << u"talonex-captura: \"Ver Asiento\" no lanzo el visor: "_s << lanzado << Qt::endl;
    } else if (AsientoContable::lee(DataGlobals::gDB(), *comprobante, asiento, mensaje) !=
               AsientoContable::Resultado::Encontrado) {
        err() << u"talonex-captura: "_s << mensaje << Qt::endl;
    } else {
        FrmAsiento visor(asiento);
        aplicaAspecto(&visor);
        visor.move(240, 240);
        visor.show();
        ok = guarda(visor, salida + u"/visor-asiento.png"_s);
    }
    cierra(ventana);
    return ok;
}

/// Numbers and prints three cheques to a PDF, then turns its first page into a picture.
bool chequeImpreso(const QString& base, const QString& salida)
{
    std::unique_ptr<FrmTalonex> ventana = abre(base, false);
    if (!ventana)
        return false;
    const QString pdf = base + u"/cheques.pdf"_s;
    ventana->setArchivoPdf(pdf);
    llena(*ventana, {{u"idbanco"_s, DemoDb::TestAccount},
                     {u"Serie"_s, DemoDb::TestSeries},
                     {u"NumerarDesde"_s, QString::number(DemoDb::TestFirstFreeNumber)}});
    ventana->CmdCargar_Click();
    tilda(*ventana, {0, 1, 3});
    ventana->Morvane1_click(u"GRABAR"_s);
    const bool fallo = ventana->Fallo();
    cierra(ventana);
    if (fallo || !QFile::exists(pdf)) {
        err() << u"talonex-captura: la impresion no dejo "_s << pdf << Qt::endl;
        return false;
    }
    // pdftoppm adds the extension itself.
    const QString png = salida + u"/cheque-impreso"_s;
    const int rc =
        QProcess::execute(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"110"_s, u"-singlefile"_s, pdf, png});
    if (rc != 0) {
        err() << u"talonex-captura: pdftoppm termino con "_s << rc << Qt::endl;
        return false;
    }
    QTextStream(stdout) << u"talonex-captura: "_s << png << u".png"_s << Qt::endl;
    return true;
}

/// The connection dialog with two registered connections, the demo's folder chosen from the list and
/// the login typed. Its list file is written in the temporary folder, never beside the tool.
bool dialogoAcceso(const QString& base, const QString& salida)
{
    ProgramInfo::setProgramFolder(base);
    const QString servidor = u"SRV01\\ZIMBREL:1433"_s;
    const QString carpeta = u"/var/lib/talonex"_s;
    ArchivoBases::Agrega({ArchivoBases::NombreConexion(servidor, u"EMPRESA1"_s), u"EMPRESA1"_s, u"EMPRESA1"_s,
                          u"EMPRESA1"_s, servidor});
    ArchivoBases::Agrega({ArchivoBases::NombreConexion(carpeta, u"TALONEX_DEMO"_s), u"TALONEX_DEMO"_s,
                          u"TALONEX_DEMO"_s, u"TALONEX_DEMO"_s, carpeta});
    frmAcceso dialogo;
    dialogo.show();
    QApplication::setActiveWindow(&dialogo);
    dialogo.lstBases()->setCurrentRow(1);
    dialogo.AsignarDatosBase();
    dialogo.TxtUserId()->setText(DemoDb::AdminUser);
    dialogo.TxtUserPassword()->setText(u"demo"_s);
    dialogo.TxtUserPassword()->setFocus();
    QApplication::processEvents();
    const QString archivo = salida + u"/acceso.png"_s;
    const QPixmap imagen = dialogo.grab();
    dialogo.hide();
    ProgramInfo::setProgramFolder(QString());
    if (imagen.isNull() || !imagen.save(archivo, "PNG")) {
        err() << u"talonex-captura: no se pudo escribir "_s << archivo << Qt::endl;
        return false;
    }
    QTextStream(stdout) << u"talonex-captura: "_s << archivo << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // The program's own platform without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        err() << u"uso: talonex-captura CARPETA_SALIDA CARPETA_DEMO"_s << Qt::endl;
        return 2;
    }
    const QString salida = QDir(args[1]).absolutePath();
    const QString demo = QDir(args[2]).absolutePath();
    QDir().mkpath(salida);

    auto operador = std::make_unique<OperadorCaptura>();
    OperadorCaptura* cajas = operador.get();
    installOperatorDialogs(std::move(operador));
    // The program's name (the access record and the statements read it), an Argentine workstation,
    // and a day just after the demo's last unnumbered cheque, so every run draws the same pictures.
    ProgramInfo::setExecutableName(u"talonex"_s);
    RegionalSettings::setCurrent(RegionalSettings::argentina());
    Clock::setFixed(QDateTime(QDate(2024, 11, 15), QTime(10, 30)));

    QTemporaryDir temporal;
    if (!temporal.isValid() || !copiaBase(demo, temporal.path()))
        return 1;
    const QString base = temporal.path();
    const bool ok = ventanaNormal(base, salida) && ventanaReimpresion(base, salida) &&
                    visorAsiento(base, salida) && chequeImpreso(base, salida) && dialogoAcceso(base, salida);
    if (cajas->cajas() > 0) {
        err() << u"talonex-captura: aparecieron "_s << cajas->cajas() << u" mensajes"_s << Qt::endl;
        return 1;
    }
    return ok ? 0 : 1;
}
