// Connection data and the three ways of opening a connection.
#include "data/DB_Dll.h"

#include "data/ConnectionDialogRequest.h"
#include "data/ConnectionString.h"
#include "data/DataGlobals.h"
#include "data/ErrorLog.h"
#include "data/SqlValue.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"

using namespace Qt::StringLiterals;

namespace {

const QString CR = u"\r"_s;
const QString CRLF = u"\r\n"_s;

// Reads the leading number of a text with a point as decimal separator ("1.0" is 1), as the
// runtime's value conversion does; anything else is 0.
double leadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    bool point = false;
    while (end < trimmed.size() && (trimmed[end].isDigit() || (trimmed[end] == u'.' && !point))) {
        point = point || trimmed[end] == u'.';
        ++end;
    }
    return trimmed.left(end).toDouble();
}

} // namespace

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

AdoConnection& DB_Dll::gCnn()
{
    if (!m_cnn)
        m_cnn = std::make_unique<AdoConnection>();
    return *m_cnn;
}

ClsDialogo& DB_Dll::CmdDlg()
{
    if (!m_cmdDlg)
        m_cmdDlg = std::make_unique<ClsDialogo>();
    return *m_cmdDlg;
}

QString DB_Dll::pSQLOLEDB()
{
    return u"SQLOLEDB"_s;
}

QString DB_Dll::pJETOLEDB40()
{
    return u"Microsoft.Jet.OLEDB.4.0"_s;
}

QString DB_Dll::pJETOLEDB35()
{
    return u"Microsoft.Jet.OLEDB.3.51"_s;
}

QString DB_Dll::SQLValue(const QVariant& Valor, QStringView Tipo) const
{
    return ::SQLValue(Valor, Tipo);
}

QString DB_Dll::ArmaCadenaConexion() const
{
    if (gServidor.contains(u'#'))
        return u"Provider=OraOLEDB.Oracle.1;Data Source="_s + gDBName + u";User Id="_s + gUsuario +
               u";Password="_s + gUserPassWord + u";"_s;
    return u"PROVIDER="_s + pSQLOLEDB() + u";"_s + u"Server="_s + gServidor + u";"_s + u"Database ="_s +
           gDBName + u";"_s + u"UId="_s + gUsuario + u";"_s + u"Pwd="_s + gUserPassWord + u";"_s + gExtended;
}

bool DB_Dll::runParameterDialog()
{
    ConnectionDialogRequest* dialog = DataGlobals::connectionDialog();
    ConnectionDialogRequest::Values values{gDBName, gServidor, gUsuario, gUserPassWord, 0};
    if (dialog && dialog->ask(values)) {
        gOpenFlag = true;
        gDBName = values.dbName;
        gServidor = values.servidor;
        gUsuario = values.usuario;
        gUserPassWord = values.password;
        if (values.plataforma > 0) {
            gProveedor = u"OraOLEDB.Oracle.1"_s;
            if (!gServidor.contains(u'#'))
                gServidor += u'#';
        } else {
            gProveedor = pSQLOLEDB();
        }
    } else {
        gOpenFlag = false;
    }
    if (dialog)
        dialog->hide();
    return gOpenFlag;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin,
                             bool MuestraError)
{
    bool retryMark = false;
    int step = 1;
    while (step <= 7) {
        try {
            switch (step) {
            case 1:
                gOpenFlag = true;
                if (gProveedor.isEmpty())
                    gProveedor = pSQLOLEDB();
                break;
            case 2:
                gConnString = ConnString.trimmed().isEmpty() ? ArmaCadenaConexion() : ConnString;
                break;
            case 3:
                if (PideParametrosSQL) {
                    if (!runParameterDialog())
                        return;
                    gConnString = ArmaCadenaConexion();
                }
                break;
            case 4:
                gCnn().setCursorLocation(lCursor);
                break;
            case 5:
                gCnn().open(gConnString, QString(), QString(), -1);
                break;
            case 6:
                if (!ValidaAdmin) {
                    gEsAdmin = true;
                    return;
                }
                break;
            case 7:
                if (!gDBName.trimmed().isEmpty()) {
                    gCnn().setDefaultDatabase(gDBName);
                    if (DataGlobals::gDB().ExisteTablaDB(u"TA_USUARIOS"_s)) {
                        if (!MuestraError) {
                            gEsAdmin = true;
                        } else {
                            const QString value =
                                DatosTabla(u"ta_usuarios"_s, gUsuario.trimmed(), u"Administrador"_s,
                                           u"nombre"_s, 8, QString(), true, false);
                            gEsAdmin = leadingNumber(value) == 1.0;
                        }
                    }
                }
                break;
            }
            ++step;
        } catch (const RuntimeError& failure) {
            const bool alreadyOpen = failure.number() == AdoErrorNumber::ObjectOpen;
            if (!MuestraError) {
                if (alreadyOpen && !retryMark) {
                    retryMark = true;
                    gCnn().close();
                    continue;
                }
                gOpenFlag = false;
                return;
            }
            QList<AdoError>& errors = gCnn().errors();
            if (!errors.isEmpty()) {
                const AdoError first = errors.front();
                const DB_Dll& main = DataGlobals::gDB();
                const QString text = u" Estado de Sql: "_s + first.sqlState + CR + u"Numero de Error: "_s +
                                     QString::number(first.number) + CR + u"Descripcion: "_s +
                                     ErrorLog::withoutPasswords(first.description) + CR +
                                     u"Codigo Nativo: "_s + QString::number(first.nativeError) + CR + CRLF +
                                     u"Nombre de Proceso: "_s + ProgramInfo::executableName() + CR + CRLF +
                                     CRLF + u"1. Verifique el Usuario, contraseña y base de datos"_s + CRLF +
                                     u"2. Verifique el nombre del servidor, quizas necesite agregarle el "
                                     u"nombre de la instancia, "
                                     u"por ejemplo : "_s +
                                     main.gServidor + u"\\ZIMBREL"_s + CRLF +
                                     u"3. Verifique si el inicio de sesion para el usuario "_s +
                                     main.gUsuario + u" existe"_s + CRLF + CRLF + CRLF +
                                     u" - Desea Intentarlo Nuevamente??? "_s;
                const int answer = operatorDialogs().messageBox(text, MsgStyle::YesNo + MsgStyle::Critical,
                                                                u" Error de Conexion a Base de Datos"_s);
                if (answer != MsgAnswer::Yes) {
                    gOpenFlag = false;
                    return;
                }
                errors.clear();
                if (!runParameterDialog())
                    return;
                gConnString = ArmaCadenaConexion();
                continue;
            }
            if (alreadyOpen && !retryMark) {
                retryMark = true;
                gCnn().close();
                continue;
            }
            operatorDialogs().messageBox(ErrorLog::withoutPasswords(failure.description()), MsgStyle::OkOnly,
                                         ProgramInfo::executableName());
            return;
        }
    }
}

void DB_Dll::ReintentaConectar()
{
    int step = 1;
    while (step <= 5) {
        try {
            switch (step) {
            case 1:
                gOpenFlag = false;
                break;
            case 2:
                gCnn().setCommandTimeout(5);
                break;
            case 3:
                try {
                    gCnn().close();
                } catch (const RuntimeError& failure) {
                    if (failure.number() != AdoErrorNumber::ObjectClosed)
                        throw;
                }
                break;
            case 4: {
                const DB_Dll& main = DataGlobals::gDB();
                gCnn().open(gCnn().connectionString(), main.gUsuario, main.gUserPassWord, -1);
                break;
            }
            case 5:
                gOpenFlag = true;
                break;
            }
            ++step;
        } catch (const RuntimeError& failure) {
            if (failure.number() == AdoErrorNumber::Unspecified)
                return;
            const int answer = TratamientoErrores(failure, std::nullopt, u"AbrirRecordset"_s);
            if (answer == MsgAnswer::Retry)
                continue;
            if (answer == MsgAnswer::Ignore) {
                ++step;
                continue;
            }
            return;
        }
    }
}

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD)
{
    QString passwordClause;
    // Each pass is one run of the routine from its first step; a missing file or a password asks
    // the operator and starts again.
    for (;;) {
        if (gDBName.trimmed().isEmpty()) {
            ClsDialogo& dialog = CmdDlg();
            dialog.setTitulo(u"Buscar Base de Datos"_s);
            dialog.setFiltro(u"Base de Datos de Microsoft Access |*.MDB"_s);
            dialog.MuestraAbrir();
            gDBName = dialog.NombreArchivo();
            if (dialog.Cancelado())
                return;
        }
        const QString text = !ConnString.isEmpty()
                                 ? ConnString
                                 : u"PROVIDER="_s + gProveedor + u";"_s + u"Data Source ="_s + gDBName +
                                       u";"_s + CadenaID + u"="_s + gUsuario + u";"_s + CadenaPWD + u"="_s +
                                       gUserPassWord + u";"_s + gExtended + passwordClause;
        try {
            gCnn().open(text, QString(), QString(), -1);
            gConnString = text;
            return;
        } catch (const RuntimeError& failure) {
            const QList<AdoError>& errors = gCnn().errors();
            const QString state = errors.isEmpty() ? QString() : errors.front().sqlState;
            if (state == u"3024" || state == u"3051" || state == u"3044") {
                gDBName.clear();
                continue;
            }
            if (state == u"3031") {
                if (gIgnoraPassWord.toBool()) {
                    passwordClause = u"Jet OLEDB:Database Password="_s + gUserPassWord + u";"_s;
                } else {
                    const std::optional<QString> answer = operatorDialogs().inputBox(
                        u"ingrese el password:"_s, u"Password Access"_s, QString());
                    // Leaving the prompt empty or cancelling ends the attempt instead of asking forever.
                    if (!answer || answer->isEmpty())
                        return;
                    passwordClause = u" Jet OLEDB:Database Password="_s + *answer + u";"_s;
                }
                continue;
            }
            const long number = errors.isEmpty() ? failure.number() : errors.front().number;
            const QString description = errors.isEmpty() ? failure.description() : errors.front().description;
            operatorDialogs().messageBox(
                QString::number(number) + u"  "_s + ErrorLog::withoutPasswords(description),
                MsgStyle::OkOnly + MsgStyle::Critical, ProgramInfo::executableName());
            return;
        }
    }
}

bool DB_Dll::isOracleConnection() const
{
    if (m_cnn && m_cnn->isOpen())
        return m_cnn->isOracle();
    return ConnectionString(gConnString).isOracle();
}
