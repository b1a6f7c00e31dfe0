#include "app/Inicio.h"

#include "data/PostgresEngine.h"

#include "app/Acceso.h"
#include "app/AppState.h"
#include "app/Configuracion.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/ClsIni.h"
#include "zimbrel2/ClsSistema.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RuntimeError.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringEncoder>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaskRecordLength = 1202;

struct MaskRecord
{
    const char16_t* titulo;
    const char16_t* tabla;
    const char16_t* campos;
};

constexpr MaskRecord MaskRecords[] = {
    {u"ARTICULOS", u"V_MA_ARTICULOS", u"|DESCRIPCION|IDARTICULO|"},
    {u"CLIENTES", u"VT_CLIENTES", u"|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {u"PROVEEDORES", u"VT_PROVEEDORES", u"|RAZON_SOCIAL|CODIGO|"},
    {u"CONTACTOS", u"MA_CONTACTOS", u"|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {u"VENDEDORES", u"V_TA_VENDEDORES", u"|NOMBRE|IDVENDEDOR|"},
    {u"TECNICOS", u"V_TA_TECNICOS", u"|NOMBRE|IDTECNICO|"},
    {u"MANTENIMIENTOS", u"V_MA_MANTENIMIENTOS", u"|DESCRIPCION|CODIGO|"},
    {u"CUENTAS", u"MA_CUENTAS", u"|DESCRIPCION|CODIGO|"},
    {u"TAREAS", u"V_TA_Tareas", u"|Descripcion|IdTarea|"},
    {u"UnidadNegocio", u"V_TA_UnidadNegocio", u"|Descripcion|Codigo|"},
    {u"DEPOSITO", u"V_TA_DEPOSITO", u"|Descripcion|IdDeposito|"},
};

// A fixed-length field of the mask record: blank-padded on the right, cut to its length.
QByteArray fixedField(const QString& text, qsizetype length)
{
    QStringEncoder encoder(QStringEncoder::Latin1);
    QByteArray bytes = encoder.encode(text);
    bytes.truncate(length);
    return bytes.leftJustified(length, ' ');
}

// The step protocol of the start-up: an invalid-argument failure skips the step, any other
// failure ends the routine there without a message.
int startupAnswer(const RuntimeError& error)
{
    return error.number() == RuntimeError::InvalidArgument ? 5 : 3;
}

QString commandLine()
{
    const QStringList arguments =
        QCoreApplication::instance() ? QCoreApplication::arguments() : QStringList();
    return arguments.mid(1).join(u' ');
}

} // namespace

QString NormalizaServidor(const QString& servidor)
{
    // A PostgreSQL server keeps its form whole: its engine reads the host and the port from it.
    if (PostgresEngine::isServerForm(servidor))
        return servidor.trimmed();
    QString name = servidor;
    const qsizetype slash = name.indexOf(u'/');
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype colon = name.indexOf(u':');
    if (colon >= 0)
        name = name.left(colon);
    return name;
}

QString LeeParametro(const QString& texto, const QString& key, bool* found)
{
    const qsizetype at = texto.indexOf(key, 0, Qt::CaseInsensitive);
    if (found)
        *found = at >= 0;
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype end = texto.indexOf(u';', at);
    QString value;
    if (end >= 0) {
        value = texto.mid(start, end - start);
    } else if (key.compare(u"@ParametroAdicional", Qt::CaseInsensitive) == 0) {
        // The last item without ";": as many characters as the key itself has.
        value = texto.mid(start, key.size());
    } else {
        return QString();
    }
    value.remove(u'=');
    return value.trimmed();
}

bool CreaMascarasConsultas()
{
    QFile file(appState().gRutaMascaraConsultas);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    // A new record goes at number (length / 1202) + 1.
    if (!file.seek((file.size() / MaskRecordLength) * MaskRecordLength))
        return false;
    QByteArray records;
    for (const MaskRecord& r : MaskRecords) {
        records += fixedField(QString::fromUtf16(r.titulo), 100);
        records += fixedField(QString::fromUtf16(r.tabla), 100);
        records += fixedField(QString::fromUtf16(r.campos), 500);
        records += fixedField(QString(), 500);
        records += "\r\n";
    }
    const bool written = file.write(records) == records.size();
    file.close();
    return written;
}

void AbreEstadisticas()
{
    AppState& state = appState();
    DB_Dll& main = DataGlobals::gDB();
    DB_Dll& stats = DataGlobals::gDBEstadisticas();
    TrappedRoutine routine; // every step skipped silently when it fails
    routine.step([&] { state.gTimeOut = 360; });
    routine.step([&] {
        if (stats.gCnn().isOpen())
            stats.gCnn().close();
    });
    routine.step([&] {
        stats.gProveedor = DB_Dll::pSQLOLEDB();
        stats.gServidor = main.gServidor;
        stats.gDBName = u"TS_ESTADISTICAS"_s;
        stats.gUsuario = u"TS_ESTADISTICAS"_s;
        stats.gUserPassWord = u"QZ_VIOLETARUBIO"_s;
    });
    routine.step([&] { stats.OpenServerADODB(false, 3, QString(), true, false); });
    routine.step([&] {
        if (!stats.gCnn().isOpen())
            return;
        stats.gCnn().setDefaultDatabase(u"TS_ESTADISTICAS"_s);
        const qint64 timeOut = ClsUtiles::TextoAEntero(CfgTS(u"TimeOut"_s));
        // The time-out is a 16-bit count of seconds: a value it cannot hold, or a negative one,
        // fails the step, so the time-out stays 360 and the key, which the suite's other programs
        // share, is left as it is.
        if (timeOut < 0 || timeOut > std::numeric_limits<qint16>::max())
            throw RuntimeError(6, u"Overflow"_s);
        state.gTimeOut = static_cast<qint16>(timeOut);
        if (state.gTimeOut == 0)
            GrabaCfgTS(u"TimeOut"_s, 0, QString(), false, u"BaseDeDatos"_s, true);
    });
    routine.step([&] {
        if (state.gTimeOut == 0)
            state.gTimeOut = 360;
    });
}

ResultadoInicio IniciarAplicacion(bool usarIni, const QString& parametros, QString& cadenaConexion,
                                  int ubicacionCursor)
{
    AppState& state = appState();
    DB_Dll& db = DataGlobals::gDB();
    TrappedRoutine routine(startupAnswer);
    QString text;
    QString server;
    QString database;
    QString user;
    QString password;

    routine.step([&] {
        state.gCarpetaPrograma = ClsUtiles::CarpetaConBarra(ProgramInfo::programFolder());
        state.gArchivoAyuda = state.gCarpetaPrograma + u"htmlhelp/devazodazor.chm"_s;
    }) &&
        routine.step([&] { text = parametros.isEmpty() ? commandLine() : parametros; }) && routine.step([&] {
            if (!text.trimmed().isEmpty() || !usarIni)
                return;
            const QString section = ClsSistema::NombrePC().toUpper() + u"|"_s +
                                    ClsSistema::UsuarioWindows().toUpper() + u"BaseDeDatos"_s;
            const QString ini = QString::fromUtf16(ArchivoIni);
            const QString iniServer = ClsIni::LeeIni(ini, section, u"Servidor"_s, QString());
            const QString iniDatabase = ClsIni::LeeIni(ini, section, u"DbName"_s, QString());
            const QString iniUser = ClsUtiles::Decodifica(
                ClsIni::LeeIni(ini, section, u"Usuario"_s, ClsUtiles::Codifica(u"Tessaro"_s)));
            const QString iniPassword = ClsUtiles::Decodifica(
                ClsIni::LeeIni(ini, section, u"UserPassWord"_s, ClsUtiles::Codifica(u"pampero"_s)));
            const auto clean = [](const QString& value) { return ClsUtiles::QuitaCaracteres(value, u"|"_s); };
            text = u"@server="_s + clean(iniServer) + u"; @dbname= "_s + clean(iniDatabase) +
                   u"; @usuario= "_s + clean(iniUser) + u"; @Password= "_s + clean(iniPassword) +
                   u"; @ParametroAdicional=; @Caja=1;zimb@"_s;
        }) &&
        routine.step([&] {
            state.gPuestoUsuario =
                ClsSistema::NombrePC().toUpper() + u"|"_s + ClsSistema::UsuarioWindows().toUpper();
            if (state.gPuestoUsuario.trimmed().size() > 50)
                state.gPuestoUsuario = state.gPuestoUsuario.left(50);
        }) &&
        routine.step([&] {
            state.gFlatToolbars = static_cast<int>(ClsUtiles::TextoAEntero(ClsIni::LeeIni(
                QString::fromUtf16(ArchivoIni), state.gPuestoUsuario, u"FlatToolbars"_s, u"1"_s)));
        });
    if (routine.left())
        return ResultadoInicio::Parcial;

    if (!db.gCnn().isOpen()) {
        routine.step([&] {
            bool found = false;
            state.gParametroAdicional = LeeParametro(text, u"@ParametroAdicional"_s);
            state.gMenu = LeeParametro(text, u"@Menu"_s);
            server = LeeParametro(text, u"@Server"_s);
            database = LeeParametro(text, u"@DbName"_s);
            user = LeeParametro(text, u"@Usuario"_s);
            password = LeeParametro(text, u"@Password"_s);
            state.gUsuarioLogeado = LeeParametro(text, u"@UsuarioLogeado"_s);
            const QString caja = LeeParametro(text, u"@Caja"_s, &found);
            state.gCaja = found ? caja : u"1"_s;
        }) &&
            routine.step([&] {
                if (!server.trimmed().startsWith(u'#'))
                    return;
                server = server.trimmed().mid(1);
                if (cadenaConexion.isEmpty())
                    cadenaConexion = u"Provider=OraOLEDB.Oracle.1;Data Source="_s + database +
                                     u";User Id="_s + user + u";Password="_s + password + u";"_s;
            });
        if (routine.left())
            return ResultadoInicio::Parcial;

        db.gUsuario = user;
        db.gDBName = database;
        db.gUserPassWord = password;
        db.gServidor = NormalizaServidor(server);
        db.OpenServerADODB(server.trimmed().isEmpty() || user.trimmed().isEmpty(), ubicacionCursor,
                           cadenaConexion, true, true);
        if (!db.gOpenFlag)
            return ResultadoInicio::SinConexion;

        routine.step([&] { AbreEstadisticas(); }) &&
            routine.step([&] { state.gUsuarioLogeado = db.gUsuario; }) &&
            routine.step([&] { db.gCnn().setCommandTimeout(state.gTimeOut); }) &&
            routine.step([&] { db.gCnn().setIsolationLevel(256); });
        if (routine.left())
            return ResultadoInicio::Parcial;
    }

    if (!db.gDBName.isEmpty()) {
        routine.step([&] {
            state.gCadenaDSN =
                u"DSN="_s + db.gDBName + u"; UID="_s + db.gUsuario + u"; PWD="_s + db.gUserPassWord;
        }) &&
            routine.step([&] { db.gCnn().setDefaultDatabase(db.gDBName); }) && routine.step([&] {
                state.gConnStringConsultas = db.gConnString;
                state.gUsarMascarasConsultas = true;
                state.gRutaMascaraConsultas = ProgramInfo::readablePath(u"consultas.tso"_s);
            }) &&
            routine.step([&] {
                // Masks that cannot be written leave the program without them, but the configuration
                // and the access record still follow.
                if (!QFile::exists(state.gRutaMascaraConsultas)) {
                    state.gRutaMascaraConsultas = ProgramInfo::writablePath(u"consultas.tso"_s);
                    CreaMascarasConsultas();
                }
            }) &&
            routine.step([&] { db.gCnn().setDefaultDatabase(db.gDBName); }) &&
            routine.step([&] { CargaConfiguracion(state.gCarpetaPrograma); });
        if (routine.left())
            return ResultadoInicio::Parcial;
    }

    QString program;
    routine.step([&] { RegistraAcceso(program); });
    return routine.left() ? ResultadoInicio::Parcial : ResultadoInicio::Completo;
}
