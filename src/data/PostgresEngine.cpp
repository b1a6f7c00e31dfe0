#include "data/PostgresEngine.h"

#include "data/AdoField.h"
#include "data/TsqlToPostgres.h"
#include "zimbrel2/Clock.h"

#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace {

const QString Source = u"Microsoft OLE DB Provider for SQL Server"_s;
constexpr int DefaultPort = 5432;

AdoError adoError(long number, const QString& state, long native, const QString& description)
{
    return AdoError{number, state, description, native, Source};
}

AdoError lostConnection()
{
    return adoError(AdoErrorNumber::Unspecified, u"08S01"_s, 11,
                    u"[DBNETLIB][ConnectionRead (recv()).]General network error. Check your network "
                    u"documentation."_s);
}

AdoError serverMissing()
{
    return adoError(AdoErrorNumber::Unspecified, u"08001"_s, 17,
                    u"[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or access denied."_s);
}

// The first "quoted" name of a server message ('relation "ma_cuentas" does not exist').
QString quoted(const QString& message)
{
    static const QRegularExpression name(u"\"([^\"]*)\""_s);
    const QRegularExpressionMatch m = name.match(message);
    return m.hasMatch() ? m.captured(1) : QString();
}

// PostgreSQL type identifiers of the columns the program reads.
namespace Oid {
constexpr int Bool = 16;
constexpr int Bytea = 17;
constexpr int Int8 = 20;
constexpr int Int2 = 21;
constexpr int Int4 = 23;
constexpr int Text = 25;
constexpr int Float4 = 700;
constexpr int Float8 = 701;
constexpr int Money = 790;
constexpr int Bpchar = 1042;
constexpr int Varchar = 1043;
constexpr int Date = 1082;
constexpr int Time = 1083;
constexpr int Timestamp = 1114;
constexpr int TimestampTz = 1184;
constexpr int Numeric = 1700;
} // namespace Oid

bool connectionLost(const QString& state, const QString& message)
{
    return state.startsWith(u"08") || state == u"57P01" || state == u"57P02" || state == u"57P03" ||
           message.contains(u"server closed the connection", Qt::CaseInsensitive) ||
           message.contains(u"no connection to the server", Qt::CaseInsensitive) ||
           message.contains(u"terminating connection", Qt::CaseInsensitive) ||
           message.contains(u"connection to server", Qt::CaseInsensitive);
}

} // namespace

bool PostgresEngine::isServerForm(const QString& server)
{
    return server.trimmed().startsWith(u"pg://", Qt::CaseInsensitive);
}

QString PostgresEngine::name() const
{
    return u"PostgreSQL"_s;
}

QString PostgresEngine::driverName() const
{
    return u"QPSQL"_s;
}

bool PostgresEngine::configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const
{
    const QUrl url(cs.server().trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || cs.database().isEmpty()) {
        if (error)
            *error = serverMissing();
        return false;
    }
    db.setHostName(url.host());
    db.setPort(url.port(DefaultPort));
    db.setDatabaseName(cs.database());
    db.setUserName(cs.user());
    db.setPassword(cs.password());
    db.setConnectOptions(u"connect_timeout=10;application_name=talonex"_s);
    return true;
}

QStringList PostgresEngine::supportScript()
{
    QStringList script = {
        // Case-insensitive ("ks-level2": letters and accents count, case does not) in Spanish order.
        u"DO $$BEGIN IF NOT EXISTS (SELECT 1 FROM pg_collation WHERE collname = 'tsql_ci') THEN "
        u"CREATE COLLATION tsql_ci (provider = icu, locale = 'es-AR-u-ks-level2', deterministic = false); "
        u"END IF; END$$"_s,
        // charindex(needle, text[, start]): 1-based, without regard to case; 0 when absent.
        u"CREATE OR REPLACE FUNCTION charindex(needle text, haystack text, start integer DEFAULT 1) "
        u"RETURNS integer LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN needle IS NULL OR haystack IS NULL "
        u"THEN NULL WHEN coalesce(start, 1) <= 1 THEN strpos(lower(haystack), lower(needle)) ELSE "
        u"CASE WHEN strpos(lower(substr(haystack, start)), lower(needle)) = 0 THEN 0 ELSE "
        u"strpos(lower(substr(haystack, start)), lower(needle)) + start - 1 END END $$"_s,
        // tsql_datetime(text, style): a date text in a CONVERT style; NULL when it is no date.
        u"CREATE OR REPLACE FUNCTION tsql_datetime(value text, style integer DEFAULT -1) "
        u"RETURNS timestamp LANGUAGE plpgsql IMMUTABLE AS $$ DECLARE s text := btrim(value); BEGIN "
        u"IF s IS NULL OR s = '' THEN RETURN NULL; END IF; "
        u"IF style IN (101, 1) THEN RETURN to_timestamp(s, 'MM/DD/YYYY HH24:MI:SS')::timestamp; END IF; "
        u"IF style IN (103, 104, 105, 3, 4, 5) OR (style = -1 AND s ~ '^\\d{1,2}[/.-]\\d{1,2}[/.-]\\d{2,4}') "
        u"THEN RETURN to_timestamp(s, 'DD/MM/YYYY HH24:MI:SS')::timestamp; END IF; "
        u"IF s ~ '^\\d{8}$' THEN RETURN to_timestamp(s, 'YYYYMMDD')::timestamp; END IF; "
        u"RETURN s::timestamp; EXCEPTION WHEN others THEN RETURN NULL; END $$"_s,
        // "+" between two texts concatenates, as on SQL Server.
        u"DO $$BEGIN IF NOT EXISTS (SELECT 1 FROM pg_operator WHERE oprname = '+' AND "
        u"oprleft = 'text'::regtype AND oprright = 'text'::regtype) THEN "
        u"CREATE OPERATOR + (LEFTARG = text, RIGHTARG = text, FUNCTION = textcat); END IF; END$$"_s,
    };
    // LTRIM and RTRIM of a number trim its text, as SQL Server converts it (one per type, so that
    // none of them is a nearer match than another).
    for (const char* type : {"smallint", "integer", "bigint", "numeric"}) {
        for (const char* function : {"ltrim", "rtrim"})
            script.append(u"CREATE OR REPLACE FUNCTION "_s + QLatin1StringView(function) + u"(value "_s +
                          QLatin1StringView(type) +
                          u") RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT value::text $$"_s);
    }
    return script;
}

void PostgresEngine::prepareOpened(QSqlDatabase& db) const
{
    QSqlQuery query(db);
    if (!query.exec(u"SET DateStyle = 'ISO, DMY'"_s) || !query.exec(u"SET client_min_messages = warning"_s))
        qWarning("PostgreSQL: session settings not applied: %s", qUtf8Printable(query.lastError().text()));
    if (query.exec(u"SELECT to_regproc('tsql_datetime') IS NOT NULL AND to_regproc('charindex') IS NOT NULL "
                   u"AND EXISTS (SELECT 1 FROM pg_collation WHERE collname = 'tsql_ci')"_s) &&
        query.next() && query.value(0).toBool())
        return;
    for (const QString& statement : supportScript()) {
        // Another workstation creating them at the same moment is no failure: they exist then.
        if (!query.exec(statement))
            qWarning("PostgreSQL: %s", qUtf8Printable(query.lastError().text()));
    }
}

QStringList PostgresEngine::translate(const QString& tsql) const
{
    return TsqlToPostgres::translate(tsql, Clock::now());
}

AdoError PostgresEngine::mapError(const QSqlError& error) const
{
    const QString state = error.nativeErrorCode();
    const QString message = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    const QString all = error.text();
    if (all.contains(u"Connection refused") || all.contains(u"could not connect") ||
        all.contains(u"could not translate host name") || all.contains(u"timeout expired") ||
        (all.contains(u"connection to server at") && all.contains(u"failed:") && !all.contains(u"FATAL")))
        return serverMissing();
    if (connectionLost(state, all) && !all.contains(u"does not exist") && !all.contains(u"authentication"))
        return lostConnection();
    if (state.isEmpty()) {
        // The connection was refused before any statement: which database, which login.
        if (all.contains(u"database \"") && all.contains(u"does not exist"))
            return adoError(AdoErrorNumber::LoginFailed, u"42000"_s, NativeError::CannotOpenDatabase,
                            u"Cannot open database \""_s + quoted(all) +
                                u"\" requested by the login. The login failed."_s);
        if (all.contains(u"authentication failed") || all.contains(u"role \""))
            return adoError(AdoErrorNumber::LoginFailed, u"28000"_s, NativeError::LoginFailed,
                            u"Login failed for user '"_s + quoted(all) + u"'."_s);
        if (error.type() == QSqlError::ConnectionError)
            return serverMissing();
        return adoError(AdoErrorNumber::Unspecified, u"HY000"_s, 0, u"[PostgreSQL] "_s + all);
    }
    const QString name = quoted(message);
    if (state == u"42P01")
        return adoError(AdoErrorNumber::NoSuchTable, u"42S02"_s, NativeError::InvalidObjectName,
                        u"Invalid object name '"_s + name + u"'."_s);
    if (state == u"42703") {
        static const QRegularExpression column(
            u"column (?:\"?[\\w ]+\"?\\.)?\"?([^\" ]+)\"? does not exist"_s);
        const QRegularExpressionMatch m = column.match(message);
        return adoError(AdoErrorNumber::CommandText, u"42S22"_s, NativeError::InvalidColumnName,
                        u"Invalid column name '"_s + (m.hasMatch() ? m.captured(1) : name) + u"'."_s);
    }
    if (state == u"23505") {
        if (name.endsWith(u"_pkey"))
            return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::DuplicateKey,
                            u"Violation of PRIMARY KEY constraint '"_s + name +
                                u"'. Cannot insert duplicate key in object 'dbo."_s +
                                name.left(name.size() - 5) + u"'."_s);
        if (name.endsWith(u"_key"))
            return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::DuplicateKey,
                            u"Violation of UNIQUE KEY constraint '"_s + name +
                                u"'. Cannot insert duplicate key in object '"_s + name + u"'."_s);
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::UniqueIndex,
                        u"Cannot insert duplicate key row in object with unique index '"_s + name + u"'."_s);
    }
    if (state == u"22001")
        return adoError(AdoErrorNumber::DataOverflow, u"22001"_s, NativeError::Truncation,
                        u"String or binary data would be truncated."_s);
    if (state == u"40P01" || state == u"40001")
        return adoError(AdoErrorNumber::Unspecified, u"40001"_s, 1205,
                        u"Transaction was deadlocked on lock resources with another process and has been "
                        u"chosen as the deadlock victim. Rerun the transaction."_s);
    if (state == u"55P03" || state == u"57014")
        return adoError(AdoErrorNumber::Unspecified, u"HYT00"_s, 1222,
                        u"Lock request time out period exceeded."_s);
    if (state == u"23503" || state == u"23514")
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::ReferenceViolation,
                        u"The statement conflicted with a "_s +
                            (state == u"23503" ? u"FOREIGN KEY"_s : u"CHECK"_s) + u" constraint \""_s + name +
                            u"\"."_s);
    if (state == u"23502")
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::NullNotAllowed,
                        u"Cannot insert the value NULL into column '"_s + name +
                            u"'; column does not allow nulls."_s);
    if (state == u"42601")
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, NativeError::SyntaxError,
                        name.isEmpty() ? u"Incorrect syntax near the end of the statement."_s
                                       : u"Incorrect syntax near '"_s + name + u"'."_s);
    if (state == u"42P07")
        return adoError(AdoErrorNumber::CommandText, u"42S01"_s, 2714,
                        u"There is already an object named '"_s + name + u"' in the database."_s);
    if (state == u"42701")
        return adoError(AdoErrorNumber::CommandText, u"42S21"_s, 2705,
                        u"Column names in each table must be unique. Column name '"_s + name +
                            u"' is specified more than once."_s);
    if (state == u"42883")
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, 195, u"[PostgreSQL] "_s + message);
    if (state == u"25P02")
        return adoError(
            AdoErrorNumber::Unspecified, u"25000"_s, 3930,
            u"The current transaction cannot be committed and cannot support operations that write "
            u"into the log file. Roll back the transaction."_s);
    if (state == u"22P02" || state == u"22007" || state == u"22008")
        return adoError(AdoErrorNumber::CommandText, u"22018"_s, 245, u"[PostgreSQL] "_s + message);
    return adoError(AdoErrorNumber::Unspecified, state, 0, u"[PostgreSQL] "_s + message);
}

int PostgresEngine::adoType(const QSqlQuery& query, int column) const
{
    switch (query.record().field(column).typeID()) {
    case Oid::Bool:
        return AdoType::Boolean;
    case Oid::Int2:
        return AdoType::SmallInt;
    case Oid::Int4:
        return AdoType::Integer;
    case Oid::Int8:
        return AdoType::BigInt;
    case Oid::Float4:
        return AdoType::Single;
    case Oid::Float8:
        return AdoType::Double;
    case Oid::Money:
        return AdoType::Currency;
    case Oid::Numeric:
        return AdoType::Numeric;
    case Oid::Bpchar:
        return AdoType::Char;
    case Oid::Varchar:
    case Oid::Text:
        return AdoType::VarChar;
    case Oid::Date:
    case Oid::Timestamp:
    case Oid::TimestampTz:
        return AdoType::DBTimeStamp;
    case Oid::Time:
        return 134; // adDBTime
    case Oid::Bytea:
        return AdoType::LongVarBinary;
    default:
        return SqlEngine::adoType(query, column);
    }
}

QVariant PostgresEngine::toEngineValue(const QVariant& value, int) const
{
    // The flags are whole numbers 0 and 1, as SQL Server's bit columns.
    if (value.metaType().id() == QMetaType::Bool && !value.isNull())
        return value.toBool() ? 1 : 0;
    return value;
}

QStringList PostgresEngine::tables(const QSqlDatabase& db) const
{
    QStringList names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(u"SELECT table_name FROM information_schema.tables WHERE table_schema = 'public' "
                   u"ORDER BY table_name"_s)) {
        while (query.next())
            names.append(query.value(0).toString());
    }
    return names;
}

QStringList PostgresEngine::columns(const QSqlDatabase& db, const QString&, const QString& table) const
{
    QString name = table.trimmed();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name = name.mid(dot + 1);
    if (name.size() >= 2 && (name.startsWith(u'[') || name.startsWith(u'"')))
        name = name.mid(1, name.size() - 2);
    QStringList names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT column_name FROM information_schema.columns WHERE table_schema = 'public' "
                  u"AND table_name = ? ORDER BY ordinal_position"_s);
    query.addBindValue(name.toLower());
    if (query.exec()) {
        while (query.next())
            names.append(query.value(0).toString());
    }
    return names;
}

bool PostgresEngine::useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const
{
    QString wanted = name.trimmed();
    if (wanted.size() >= 2 && (wanted.startsWith(u'[') || wanted.startsWith(u'"')))
        wanted = wanted.mid(1, wanted.size() - 2);
    if (wanted.isEmpty() || wanted.compare(db.databaseName(), Qt::CaseInsensitive) == 0)
        return true;
    if (error)
        *error = adoError(AdoErrorNumber::CommandText, u"42000"_s, 911,
                          u"Database '"_s + wanted +
                              u"' does not exist. Make sure that the name is entered correctly."_s);
    return false;
}
