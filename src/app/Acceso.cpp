#include "app/Acceso.h"

#include "app/ErrorReporting.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/TrappedRoutine.h"

using namespace Qt::StringLiterals;

QString FormatoFecha()
{
    return u"dd/mm/yy"_s;
}

QString FormatoHora()
{
    return u"hh:mm"_s;
}

void AgregaCampo(const QString& campo, QString& valor, const QString& tipo, bool nuevaLista)
{
    QList<CampoValor>& campos = appState().gCamposValores;
    if (nuevaLista)
        campos.clear();
    campos.append(CampoValor{});
    valor.remove(u'\'');
    campos.last().Campo = campo;
    campos.last().Valor = valor.toUpper() == u"NULL" ? u"Null"_s : DataGlobals::gDB().SQLValue(valor, tipo);
}

void ArmaSentencia(QList<CampoValor>& campos, QStringList& script, const QString& tabla, bool actualiza,
                   QString& condicion, bool mantieneCampos)
{
    QString statement;
    if (actualiza) {
        QStringList pairs;
        for (const CampoValor& c : campos)
            pairs.append(c.Campo + u" = "_s + c.Valor);
        if (!condicion.contains(u"WHERE"_s, Qt::CaseInsensitive))
            condicion = u" WHERE "_s + condicion;
        statement = u"UPDATE "_s + tabla + u" SET "_s + pairs.join(u',') + u" "_s + condicion;
    } else {
        QStringList names;
        QStringList values;
        for (const CampoValor& c : campos) {
            names.append(c.Campo);
            values.append(c.Valor);
        }
        statement = u"INSERT INTO "_s + tabla + u" "_s + u"("_s + names.join(u',') + u")"_s + u" VALUES ("_s +
                    values.join(u',') + u")"_s;
    }
    script.append(statement);
    script.append(QString());
    if (!mantieneCampos) {
        campos.clear();
        campos.append(CampoValor{});
    }
}

void GActualizarDatoScript(const QStringList& script, bool& hayError, long& codigoError, bool ignoraDuplicado,
                           bool ignoraReferencia, QString& textoEjecutado, QString& mensajeError,
                           bool muestraMensaje)
{
    DB_Dll& db = DataGlobals::gDB();
    QString batch;
    QString message;
    long code = codigoError;
    bool stop = false;
    TrappedRoutine routine([](const RuntimeError& error) {
        return TrataError(error, std::nullopt, u"GActualizarDatoScript"_s);
    });

    routine.step([&] { hayError = false; }) && routine.step([&] {
        for (const QString& statement : script) {
            if (!statement.trimmed().isEmpty())
                batch += u"\r"_s + statement;
        }
        stop = batch.isEmpty();
    });
    if (stop || routine.left())
        return;
    routine.step([&] {
        code = 0;
        batch = u"BEGIN TRANSACTION "_s + u"\r"_s + u"\r"_s + batch + u"\r"_s;
        textoEjecutado = batch;
    }) &&
        routine.step([&] {
            long affected = 0;
            QString sent = batch;
            db.EjecutaConsultaSQL(sent, affected);
        }) &&
        routine.step([&] {
            QList<AdoError>& errors = db.gCnn().errors();
            if (errors.isEmpty())
                return;
            code = errors.front().nativeError;
            hayError = true;
            const auto describe = [](const AdoError& e) -> QString {
                return QString::number(e.nativeError) + u" : "_s + e.description + u"\r\n"_s;
            };
            if (errors.size() == 1) {
                message = describe(errors.front());
            } else {
                for (qsizetype i = 0; i + 1 < errors.size(); ++i)
                    message += describe(errors[i]);
            }
            mensajeError = message;
            if ((ignoraDuplicado && code == NativeError::DuplicateKey) ||
                (ignoraReferencia && code == NativeError::ReferenceViolation)) {
                mensajeError = errors.front().description;
                message.clear();
            }
            errors.clear();
        }) &&
        routine.step([&] {
            if (hayError) {
                QString rollback = u"ROLLBACK TRANSACTION"_s;
                long affected = 0;
                db.EjecutaConsultaSQL(rollback, affected);
                QString proceso = ProgramInfo::executableName();
                GrabaErrorAux(batch, proceso, code, message);
                if (!message.trimmed().isEmpty() && muestraMensaje)
                    operatorDialogs().messageBox(message, MsgStyle::Critical, u"Aviso al Operador!"_s);
            } else {
                QString commit = u"COMMIT TRANSACTION"_s;
                long affected = 0;
                db.EjecutaConsultaSQL(commit, affected);
            }
        });
    codigoError = code;
}

void RegistraAcceso(QString& programa)
{
    AppState& state = appState();
    DB_Dll& db = DataGlobals::gDB();
    QString program;
    QString task;
    TrappedRoutine routine; // a failing step is skipped; the program starts in any case
    routine.step([&] { program = programa.isEmpty() ? ProgramInfo::executableName() : programa; });
    routine.step([&] { state.gUsuarioLogeado = db.gUsuario; });
    AdoRecordset recordset;
    routine.step([&] {
        QString statement =
            u"SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre "_s +
            u" FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave "_s +
            u" WHERE (TA_TAREAS.USUARIO = "_s + db.SQLValue(QString(state.gUsuarioLogeado + u" "_s), u"'") +
            u") AND (TA_MENU.Proceso LIKE "_s + db.SQLValue(QString(u"%"_s + program + u"%"_s), u"'") +
            u")"_s;
        db.AbrirRecordset(statement, recordset, nullptr, 0, 1, -1, true);
    });
    routine.step([&] {
        if (recordset.isOpen() && !recordset.eof()) {
            task = ClsUtiles::ValorSeguro(recordset.value(u"Nombre"));
        } else {
            const QString executable = ProgramInfo::executableName();
            if (executable.compare(u"PX500WK", Qt::CaseInsensitive) == 0)
                task = u"Menu Principal"_s;
            else if (db.gDBName.compare(db.gUsuario, Qt::CaseInsensitive) == 0 ||
                     db.gUsuario.compare(u"SUPERVISOR TESSARO MC", Qt::CaseInsensitive) == 0)
                task = executable;
        }
        db.CierraRecordset(&recordset);
    });
    routine.step([&] {
        QString maquina = ClsSistema::NombrePC().trimmed().toUpper();
        QString usuario = state.gUsuarioLogeado.trimmed().toUpper();
        QString formulario = program.trimmed().toUpper();
        QString tarea = task.trimmed().toUpper();
        QString ingreso = RegionalSettings::current().shortDateTime(Clock::now());
        AgregaCampo(u"Maquina"_s, maquina, u"'"_s, true);
        AgregaCampo(u"Usuario"_s, usuario, u"'"_s, false);
        AgregaCampo(u"Formulario"_s, formulario, u"'"_s, false);
        AgregaCampo(u"Tarea"_s, tarea, u"'"_s, false);
        AgregaCampo(u"Ingreso"_s, ingreso, u"'"_s, false);
        AgregaCampo(u"NombreUsuario"_s, state.gUsuarioLogeado, u"'"_s, false);
    });
    QStringList script{QString()};
    routine.step([&] {
        QString condition;
        ArmaSentencia(state.gCamposValores, script, u"Control_Acceso"_s, false, condition, false);
    });
    routine.step([&] {
        bool failed = false;
        long code = 0;
        QString executed;
        QString message;
        GActualizarDatoScript(script, failed, code, false, false, executed, message, true);
    });
}
