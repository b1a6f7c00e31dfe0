#include "app/Configuracion.h"

#include "app/AppState.h"
#include "app/ErrorReporting.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/TrappedRoutine.h"

using namespace Qt::StringLiterals;

namespace {

QString readKey(DB_Dll& db, const QString& clave, QString& valorAux, const QString& rutina, bool checkMain)
{
    if (checkMain && !DataGlobals::gDB().gCnn().isOpen())
        return QString();
    AppState& state = appState();
    if (state.gTablaCfg.trimmed().isEmpty())
        state.gTablaCfg = u"TA_CONFIGURACION"_s;

    const QString key = clave.trimmed();
    QString statement = u"SELECT VALOR, valoraux FROM "_s + state.gTablaCfg +
                        u" with(nolock)  WHERE CLAVE = "_s + db.SQLValue(key, u"'");
    if (key.compare(u"[FECHA HASTA]", Qt::CaseInsensitive) == 0 ||
        key.compare(u"[FECHA DESDE]", Qt::CaseInsensitive) == 0)
        statement = statement.toUpper();

    AdoRecordset recordset;
    QString result;
    // Only "ignore" goes on after a failure; any other answer closes and gives "".
    const ErrorReporter reporter = [&](const RuntimeError& error) {
        return TrataError(error, std::nullopt, rutina) == 5 ? 5 : 3;
    };
    TrappedRoutine routine(reporter);
    routine.step([&] { db.AbrirRecordset(statement, recordset, nullptr, 0, 1, -1, true); }) &&
        routine.step([&] {
            if (recordset.eof()) {
                result = u" "_s;
                valorAux.clear();
            } else {
                result = ClsUtiles::ValorSeguro(recordset.value(u"VALOR"));
                valorAux = ClsUtiles::ValorSeguro(recordset.value(u"valoraux"));
            }
        }) &&
        routine.step([&] { db.CierraRecordset(&recordset); });
    if (routine.left()) {
        db.CierraRecordset(&recordset);
        return QString();
    }
    if (clave.compare(u"THEME", Qt::CaseInsensitive) == 0 && result.trimmed().isEmpty())
        result = u"1"_s;
    return result;
}

void writeKey(DB_Dll& db, const QString& clave, const QVariant& valor, const QString& valorAux,
              bool politicaNegocio, const QString& grupo, bool recortaValor)
{
    QString statement = u"SELECT * FROM "_s + appState().gTablaCfg + u" with(nolock)  WHERE CLAVE = "_s +
                        db.SQLValue(clave, u"'");
    AdoRecordset recordset;
    TrappedRoutine routine; // every step skipped silently when it fails
    bool adding = false;
    routine.step([&] { db.AbrirRecordset(statement, recordset, &db.gCnn(), 2, 3, -1, true); });
    routine.step([&] {
        adding = recordset.eof();
        if (adding)
            recordset.addNew();
        else
            recordset.moveFirst();
    });
    routine.step([&] { recordset.setValue(u"Grupo", ClsUtiles::ValorSeguro(grupo)); });
    routine.step([&] { recordset.setValue(u"Clave", clave.trimmed().toUpper()); });
    routine.step([&] {
        const QString text = ClsUtiles::ValorSeguro(valor);
        recordset.setValue(u"Valor", recortaValor ? text.trimmed() : text);
    });
    routine.step([&] { recordset.setValue(u"PoliticaNegocio", politicaNegocio); });
    routine.step([&] {
        if (!valorAux.isEmpty())
            recordset.setValue(u"ValorAux", valorAux.trimmed());
    });
    routine.step([&] { recordset.update(); });
    if (recordset.editMode() != AdoRecordset::EditNone)
        recordset.cancelUpdate();
    routine.step([&] { db.CierraRecordset(&recordset); });
}

} // namespace

QString Cfg(const QString& clave, QString& valorAux)
{
    return readKey(DataGlobals::gDB(), clave, valorAux, u"Cfg"_s, true);
}

QString Cfg(const QString& clave)
{
    QString ignored;
    return Cfg(clave, ignored);
}

QString CfgTS(const QString& clave, QString& valorAux)
{
    return readKey(DataGlobals::gDBEstadisticas(), clave, valorAux, u"CfgTS"_s, false);
}

QString CfgTS(const QString& clave)
{
    QString ignored;
    return CfgTS(clave, ignored);
}

void GrabaCfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
              const QString& grupo, bool recortaValor)
{
    writeKey(DataGlobals::gDB(), clave, valor, valorAux, politicaNegocio, grupo, recortaValor);
}

void GrabaCfgTS(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
                const QString& grupo, bool recortaValor)
{
    writeKey(DataGlobals::gDBEstadisticas(), clave, valor, valorAux, politicaNegocio, grupo, recortaValor);
}

void CargaConfiguracion(const QString& /*carpetaPrograma*/)
{
    AppState& state = appState();
    state.gTablaCfg = u"ta_configuracion"_s;
    const auto keep = [&](const QString& key) {
        TrappedRoutine routine;
        routine.step([&] { state.gConfiguracion.insert(key.toUpper(), Cfg(key)); });
    };
    for (const QString& key :
         {u"MostrarStockenConsultas"_s, u"TituloClientes"_s, u"TituloProveedores"_s,
          u"EXIGECLAVECONSULTALIKEARTICULOS"_s, u"UsaConsultaLike"_s, u"CantidadDecimales"_s})
        keep(key);
    {
        TrappedRoutine routine;
        routine.step([&] {
            const QString value = Cfg(u"SS_CONFIDENCIALIDAD"_s);
            state.gConfiguracion.insert(u"SS_CONFIDENCIALIDAD"_s, value);
            DataGlobals::setConfidencialidad(value.trimmed().compare(u"SI", Qt::CaseInsensitive) == 0);
        });
    }
    for (const QString& key :
         {u"UsaMultilesMonedas"_s, u"UsaFacturaProforma"_s, u"USACCOSTO"_s, u"USA_STK_STOCK_UDKG"_s})
        keep(key);
    {
        DB_Dll& db = DataGlobals::gDB();
        AdoRecordset recordset;
        QString statement = u"Select * from ta_usuarios  with(nolock)  where Nombre = "_s +
                            db.SQLValue(state.gUsuarioLogeado, u"'");
        TrappedRoutine routine;
        routine.step([&] { db.AbrirRecordset(statement, recordset, nullptr, 0, 1, -1, true); });
        routine.step([&] {
            if (!recordset.eof()) {
                state.gConfiguracion.insert(u"UNEGOCIO"_s,
                                            ClsUtiles::ValorSeguro(recordset.value(u"UNegocio")));
                state.gConfiguracion.insert(u"VERPROFORMA"_s,
                                            ClsUtiles::ValorSeguro(recordset.value(u"verproforma")));
            }
        });
        routine.step([&] { db.CierraRecordset(&recordset); });
    }
    for (const QString& key : {u"UNIDADDEMEDIDA_M3"_s,
                               u"UNIDADDEMEDIDA_BL"_s,
                               u"UNIDADDEMEDIDA_KG"_s,
                               u"PERIODO"_s,
                               u"RazonSocialPorUneg"_s,
                               u"VALIDACODIGOBARRA"_s,
                               u"CFondo"_s,
                               u"CLetra"_s,
                               u"ModuloOrdenDeTrabajo"_s,
                               u"V_ModificaCPrecio"_s,
                               u"C_ModificaCPrecio"_s,
                               u"MADERERA"_s,
                               u"MAD_TIRAS"_s,
                               u"MAD_P2"_s,
                               u"MAD_ML"_s,
                               u"MAD_M2"_s,
                               u"MAD_HOJAS"_s,
                               u"MAD_ML_P2"_s,
                               u"MAD_M2_P2"_s,
                               u"MAD_ML_M2"_s,
                               u"CuentaCtroDist"_s,
                               u"MaxDto"_s,
                               u"MaxDtoProforma"_s,
                               u"PideClave_StockNeg"_s,
                               u"PideClave_MarkUpBase"_s,
                               u"PideClave_LimiteCredito"_s,
                               u"SS_BloqueoActivo"_s,
                               u"UTILIZARFECHADIA"_s,
                               u"AsignacionAutomaticaDeLoteING"_s,
                               u"AsignacionAutomaticaDeLoteINGOP"_s,
                               u"CONDIVAEMPRESA"_s,
                               u"CONDIVA"_s,
                               u"Top_Default"_s})
        keep(key);
}
