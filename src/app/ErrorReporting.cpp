#include "app/ErrorReporting.h"

#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/ErrorLog.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"

using namespace Qt::StringLiterals;

QString FormatoFechaHora()
{
    return u"dd/mm/yy hh:mm"_s;
}

QString CarpetaLogErrores()
{
    // TMP is only taken when TEMP is set, as the suite's other programs do.
    QString folder = qEnvironmentVariableIsEmpty("TEMP") ? QString() : qEnvironmentVariable("TMP");
    folder = folder.trimmed();
    if (folder.isEmpty())
        folder = ClsSistema::CarpetaAuxiliar();
    folder = ClsUtiles::CarpetaConBarra(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

int TrataError(const RuntimeError& error, std::optional<int> botones, const QString& rutina)
{
    const QString path = CarpetaLogErrores() + u"TSERR.LOG"_s;
    const QString message = ErrorLog::message(error.number(), error.description());
    const QString routineText = rutina.isEmpty() ? QString() : u" - "_s + rutina;
    const QString title = error.source() + routineText + u" Aviso al operador!!! - 2 "_s;
    const int style = botones.value_or(MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    if (error.number() == 0) {
        ErrorLog::touch(path);
        return 0;
    }
    const int answer = operatorDialogs().messageBox(message, style, title);
    ErrorLog::append(path, ErrorLog::line(routineText, message, answer));
    return answer;
}

QString SentenciaAuxErr(const DB_Dll& db)
{
    return db.ORACLE_Dicc(u"select  top 1 * from AUX_ERR  with(nolock) "_s);
}

void GrabaErrorAux(const QString& sentencia, QString& proceso, long error, const QString& descripcion)
{
    if (proceso.isEmpty())
        proceso = ProgramInfo::executableName();
    DB_Dll& db = DataGlobals::gDB();
    // The record is opened on the connection directly: a missing table or a closed connection
    // records nothing and shows nothing.
    AdoRecordset recordset;
    try {
        recordset.open(SentenciaAuxErr(db), &db.gCnn(), 2, 3, -1);
    } catch (const RuntimeError&) {
        return;
    }
    try {
        const QDateTime now = Clock::now();
        recordset.addNew();
        recordset.setValue(u"Proceso", ProgramInfo::executableName());
        recordset.setValue(u"Fecha", RegionalSettings::current().shortDateTime(now));
        recordset.setValue(u"Error", static_cast<qlonglong>(error));
        recordset.setValue(u"Descripcion",
                           ClsUtiles::TextoVisible(ErrorLog::withoutPasswords(descripcion), 250));
        recordset.setValue(u"sql", ErrorLog::withoutPasswords(sentencia));
        recordset.setValue(u"PC", ClsSistema::NombrePC());
        recordset.setValue(u"Usuario", db.gUsuario);
        recordset.update();
    } catch (const RuntimeError&) {
        recordset.cancelUpdate();
    }
    db.CierraRecordset(&recordset);
}
