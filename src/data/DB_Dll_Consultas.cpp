// Statements and recordsets on the open connection.
#include "data/DB_Dll.h"

#include "data/DataGlobals.h"
#include "data/ErrorLog.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"

using namespace Qt::StringLiterals;

namespace {

QString withoutAdminMarks(QString text)
{
    text.remove(u"@Admin_"_s, Qt::CaseInsensitive);
    return text;
}

// A truncation warning left by a statement that is no transaction script is not kept.
void clearTruncationWarning(const QString& statement)
{
    QList<AdoError>& errors = DataGlobals::gDB().gCnn().errors();
    if ((errors.size() == 1 || errors.size() == 2) && !statement.contains(u"TRANS"_s, Qt::CaseInsensitive) &&
        errors.front().nativeError == NativeError::Truncation)
        errors.clear();
}

} // namespace

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, AdoRecordset& Lrcs, AdoConnection* Conexionactiva,
                            int CursorType, int LockType, long Options, bool ConvOracle)
{
    QString source;
    int step = 1;
    while (step <= 4) {
        try {
            switch (step) {
            case 1:
                CierraRecordset(&Lrcs);
                break;
            case 2:
                SentenciaSQL = SS_TSinonimos(SentenciaSQL);
                break;
            case 3:
                source = isOracleConnection() && ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
                break;
            case 4:
                Lrcs.open(source, Conexionactiva ? Conexionactiva : &gCnn(), CursorType, LockType, Options);
                break;
            }
            ++step;
        } catch (const RuntimeError& failure) {
            const bool lost = (failure.number() == AdoErrorNumber::Unspecified ||
                               failure.number() == AdoErrorNumber::ConnectionClosed) &&
                              !gCnn().errors().isEmpty();
            if (lost) {
                ReintentaConectar();
                if (!gOpenFlag)
                    ReintentaConectar();
                while (!gOpenFlag) {
                    const DB_Dll& main = DataGlobals::gDB();
                    const QString CRLF = u"\r\n"_s;
                    const QString text = CRLF + CRLF + CRLF +
                                         u"Se perdio la conexion con la base de datos "_s + main.gDBName +
                                         CRLF + u" Servidor "_s + main.gServidor + CRLF + CRLF +
                                         u"Elija SI para reintentar conectarse"_s + CRLF +
                                         u"Elija NO para cerrar la aplicacion"_s + CRLF + CRLF + CRLF;
                    if (operatorDialogs().messageBox(text, MsgStyle::YesNo + MsgStyle::Critical,
                                                     u"AVISO AL OPERADOR"_s) != MsgAnswer::Yes) {
                        DataGlobals::terminateProcess();
                        return;
                    }
                    ReintentaConectar();
                }
            }
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

void DB_Dll::CierraRecordset(AdoRecordset* LrcsTemp)
{
    for (;;) {
        try {
            if (!LrcsTemp)
                throw RuntimeError(91, u"Object variable or With block variable not set"_s);
            if (LrcsTemp->state() != AdoRecordset::Closed)
                LrcsTemp->close();
            return;
        } catch (const RuntimeError& failure) {
            if (failure.number() == AdoErrorNumber::NotAllowedInContext) {
                try {
                    LrcsTemp->cancelUpdate();
                    if (LrcsTemp->isOpen())
                        LrcsTemp->close();
                } catch (const RuntimeError&) {
                }
                return;
            }
            const int answer = TratamientoErrores(failure, std::nullopt, u"CierraRecordset"_s);
            if (answer != MsgAnswer::Retry)
                return;
        }
    }
}

namespace {

// Ordinary statements only lose their "@Admin_" marks; scripts that drop and create objects get the
// restricted-view rewriting unless they mark their tables or delete rows.
void prepareStatement(DB_Dll& db, QString& statement)
{
    const bool script = statement.contains(u"DROP"_s, Qt::CaseInsensitive) &&
                        statement.contains(u"CREATE"_s, Qt::CaseInsensitive);
    const bool marked = statement.contains(u"@ADMIN_"_s, Qt::CaseInsensitive);
    if (!script) {
        statement = withoutAdminMarks(statement);
    } else if (marked) {
        statement = withoutAdminMarks(statement);
    } else if (!statement.contains(u"DELETE"_s, Qt::CaseInsensitive)) {
        statement = db.SS_TSinonimos(statement);
    }
}

} // namespace

void DB_Dll::ejecutaSentencia(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs)
{
    prepareStatement(*this, SentenciaSQL);
    if (isOracleConnection()) {
        EjecutaScriptOracle(SentenciaSQL, RecordsAffected);
        return;
    }
    long affected = 0;
    AdoRecordsetPtr result = gCnn().execute(SentenciaSQL, &affected, -1);
    RecordsAffected = affected;
    if (Lrcs && *Lrcs)
        *Lrcs = result;
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs)
{
    try {
        ejecutaSentencia(SentenciaSQL, RecordsAffected, Lrcs);
        clearTruncationWarning(SentenciaSQL);
    } catch (const RuntimeError&) {
        // Failures are not reported: the caller judges the outcome by the connection's errors.
        clearTruncationWarning(SentenciaSQL);
    }
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, AdoRecordsetPtr* Lrcs)
{
    try {
        ejecutaSentencia(SentenciaSQL, RecordsAffected, Lrcs);
    } catch (const RuntimeError& failure) {
        const long n = failure.number();
        if (SentenciaSQL.contains(u"TRANS"_s, Qt::CaseInsensitive) || n == AdoErrorNumber::Unspecified ||
            n == AdoErrorNumber::Integrity || n == AdoErrorNumber::NoSuchTable ||
            n == AdoErrorNumber::CommandText)
            return;
        operatorDialogs().messageBox(ErrorLog::withoutPasswords(failure.description()), MsgStyle::Critical,
                                     u"Aviso al operador!!!"_s);
    }
}
