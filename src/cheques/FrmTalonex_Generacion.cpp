// The cheque window's generation, printing and report configuration.
#include "cheques/FrmTalonex.h"

#include "app/AppState.h"
#include "app/Configuracion.h"
#include "cheques/BloqueoPuesto.h"
#include "cheques/ChequeItem.h"
#include "cheques/GeneracionCheques.h"
#include "cheques/ProgresoEnCartel.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqlValue.h"
#include "report/ClsReporte.h"
#include "zimbrel2/ClsDialogo.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// The report file the account's cheques print with: its own when configured, else the default.
QString reporteDeCuenta(const QString& idBanco)
{
    QString archivo;
    const QString valor = Cfg(u"RptFCh_"_s + idBanco.trimmed(), archivo);
    return !valor.isEmpty() && !archivo.isEmpty() ? archivo : u"IMPRESION_CHEQUES"_s;
}

} // namespace

void FrmTalonex::ActualizarDatos()
{
    m_ultimaCorrida = ResultadoGeneracion();
    TrappedRoutine routine(ClsUtiles::reporterFor(u"ACTUALIZAR DATOS"_s));
    const auto falla = [&] {
        m_estado.Fallo = true;
        m_ultimaCorrida.fallo = true;
        Q_EMIT corridaTerminada(m_ultimaCorrida);
    };
    bool sigue = true;

    // One run at a time per workstation key: the run owns the key's print rows from the moment it
    // empties them until they are printed.
    const DB_Dll& db = DataGlobals::gDB();
    const QString puesto = appState().gPuestoUsuario;
    BloqueoPuesto bloqueo(db.gServidor + u'|' + db.gDBName, puesto);
    switch (bloqueo.toma()) {
    case BloqueoPuesto::Resultado::Tomado:
        break;
    case BloqueoPuesto::Resultado::Ocupado:
        operatorDialogs().messageBox(
            u"Ya se estan generando cheques en este puesto con la clave "_s + puesto +
                u".\r\nEspere a que esa corrida termine; no se numero ningun cheque."_s,
            MsgStyle::Exclamation, u"Aviso al Operador!"_s);
        return falla();
    case BloqueoPuesto::Resultado::SinArchivo:
        operatorDialogs().messageBox(u"No se pudo reservar la corrida del puesto "_s + puesto + u" ("_s +
                                         bloqueo.error() + u").\r\nNo se numero ningun cheque."_s,
                                     MsgStyle::Exclamation, u"Aviso al Operador!"_s);
        return falla();
    }

    // A report that cannot print must be known before numbers are spent on it.
    try {
        ClsReporte::instance().verificaReporte(reporteDeCuenta(texto(u"IDBANCO"_s)));
    } catch (const RuntimeError& error) {
        operatorDialogs().messageBox(error.description() + u"\r\nNo se numero ningun cheque."_s,
                                     MsgStyle::Exclamation, u"Aviso al Operador!"_s);
        return falla();
    }

    routine.step([&] { ClsReporte::instance().Prepara(0); }) && routine.step([&] {
        if (!m_chkImpresora->isChecked())
            return;
        ClsDialogo dialogo;
        dialogo.setNombreImpresora(ClsReporte::instance().impresora());
        dialogo.MuestraImpresora();
        if (dialogo.ImpresoraElegida() == 0)
            sigue = false;
        else
            ClsReporte::instance().setImpresora(dialogo.NombreImpresora());
    });
    if (routine.left())
        return falla();
    if (!sigue) {
        m_impresoraCancelada = true;
        Q_EMIT corridaTerminada(m_ultimaCorrida);
        return;
    }

    // Stable: with the number column empty, as in normal mode, the rows keep the order the operator
    // sees, and that is the order they are numbered in.
    routine.step([&] {
        m_columnaOrden = ColumnaCheque::Numero;
        m_lvw->sortItems(m_columnaOrden, Qt::AscendingOrder);
        m_lvw->setSortingEnabled(true);
    });
    if (routine.left())
        return falla();

    std::vector<ChequeFila> filas = filasDeLista();
    std::vector<ChequeFila*> orden;
    orden.reserve(filas.size());
    for (ChequeFila& f : filas)
        orden.push_back(&f);
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < m_lvw->topLevelItemCount(); ++i)
        items.push_back(m_lvw->topLevelItem(i));

    PedidoGeneracion pedido;
    pedido.idBanco = texto(u"IDBANCO"_s);
    pedido.serie = texto(u"serie"_s);
    pedido.numerarDesde = texto(u"numerardesde"_s);
    pedido.reimpresion = m_estado.EnReimpresion;
    pedido.puestoUsuario = appState().gPuestoUsuario;

    ProgresoEnCartel progreso;
    m_ultimaCorrida = GeneracionCheques(DataGlobals::gDB(), progreso).genera(orden, pedido);
    const ResultadoGeneracion& resultado = m_ultimaCorrida;
    // The rows keep their item order: sorting is off while their texts change.
    m_lvw->setSortingEnabled(false);
    for (size_t i = 0; i < filas.size() && i < items.size(); ++i) {
        if (items[i]->data(0, ChequeItem::ClaveRole).toString() != filas[i].clave)
            actualizaFila(items[i], filas[i]);
    }
    m_lvw->setSortingEnabled(true);
    if (resultado.fallo)
        return falla();
    if (resultado.imprimir) {
        routine.step([&] { Imprimir(); });
        if (routine.left())
            return falla();
        m_ultimaCorrida.impresos = ClsReporte::instance().chequesImpresos();
    }
    Q_EMIT corridaTerminada(m_ultimaCorrida);
}

void FrmTalonex::setArchivoPdf(const QString& ruta)
{
    m_archivoPdf = ruta;
}

void FrmTalonex::Imprimir()
{
    const AppState& state = appState();
    // The selection formula quotes texts as the statements do: an apostrophe in the user's name
    // must not end the text.
    const QString formula = u"{AUX_IMPRESION.USUARIO}='"_s + SqlTextBody(state.gPuestoUsuario) +
                            u"' AND {AUX_IMPRESION.CUENTA}= '"_s + SqlTextBody(texto(u"IDBANCO"_s)) + u"'"_s;
    const QString reporte = reporteDeCuenta(texto(u"IDBANCO"_s));
    ClsReporte& reporteador = ClsReporte::instance();
    int destino = 0;
    if (m_chkPantalla->isChecked())
        destino = reporteador.DestinoPantalla();
    else if (!m_archivoPdf.isEmpty())
        destino = reporteador.DestinoArchivo(m_archivoPdf);
    else
        destino = reporteador.DestinoImpresora();
    reporteador.Destino(destino);
    reporteador.ImprimeReporte(reporte, QStringList{QString()}, formula, state.gCadenaDSN, QString(), {}, {},
                               {}, {}, QString(), QString(), QString());
    reporteador.Finaliza(20);
}

// ---------------------------------------------------------------------------------------------
// Report configuration

void FrmTalonex::CargarCfgCh()
{
    DB_Dll& db = DataGlobals::gDB();
    QString sql = u"select * from ta_configuracion where clave like 'RptFCh_%'"_s;
    AdoRecordset rs;
    db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true);
    for (size_t i = 0; i < m_txtBanco1.size() && !rs.eof(); ++i) {
        m_txtBanco1[i]->setText(ClsUtiles::ValorSeguro(rs.value(u"Valor")));
        m_txtUbicacion[i]->setText(ClsUtiles::ValorSeguro(rs.value(u"ValorAux")));
        rs.moveNext();
    }
    db.CierraRecordset(&rs);
}

void FrmTalonex::CmdGrabar_Click()
{
    DB_Dll& db = DataGlobals::gDB();
    if (!db.gEsAdmin) {
        operatorDialogs().messageBox(
            u"Debe ser usuario con atributo administrador para cambiar esta configuracion"_s,
            MsgStyle::Information, u"Aviso al operador"_s);
        return;
    }
    QString sql = u"Delete ta_configuracion where clave like 'RptFCh_%'"_s;
    long afectadas = 0;
    db.EjecutaConsultaSQL(sql, afectadas);
    for (size_t i = 0; i < m_txtBanco1.size(); ++i) {
        const QString cuenta = m_txtBanco1[i]->text().trimmed();
        GrabaCfg(u"RptFCh_"_s + cuenta, cuenta, m_txtUbicacion[i]->text(), false, u"DATOS"_s, true);
    }
    operatorDialogs().messageBox(u"Datos guardados con exito"_s, MsgStyle::Information, u"Atencion"_s);
}

void FrmTalonex::cmdExplorar_Click(int i)
{
    if (i < 0 || i >= static_cast<int>(m_txtUbicacion.size()))
        return;
    QLineEdit* ubicacion = m_txtUbicacion[static_cast<size_t>(i)];
    if (!m_dialogo)
        m_dialogo = std::make_unique<ClsDialogo>();
    m_dialogo->setTitulo(u"Seleccionar el Reporte"_s);
    m_dialogo->setFiltro(u"Reporte de cheques (*.rpt)|*.rpt"_s);
    m_dialogo->setCancelaConError(true);
    // The dialog starts where the account's report is, else in the program folder with the shipped ones.
    const QString actual = ubicacion->text().trimmed();
    m_dialogo->setNombreArchivo(actual.contains(u'/') ? actual : ProgramInfo::programFolder());
    try {
        m_dialogo->MuestraAbrir();
        ubicacion->setText(m_dialogo->NombreArchivo());
    } catch (const RuntimeError&) {
        ubicacion->clear();
    }
}
