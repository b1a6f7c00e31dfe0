#include "data/OdbcEngine.h"

#include <QRegularExpression>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

const QString SqlServerSource = u"Microsoft OLE DB Provider for SQL Server"_s;
const QString OracleSource = u"OraOLEDB"_s;

// An ODBC connection-string value; braces when it holds what would end or split it.
QString odbcValue(const QString& value)
{
    static const QRegularExpression special(u"[;{}=]|^\\s|\\s$"_s);
    if (!special.match(value).hasMatch())
        return value;
    QString escaped = value;
    escaped.replace(u"}"_s, u"}}"_s);
    return u'{' + escaped + u'}';
}

struct ServerAddress
{
    QString host;
    QString port; // empty with a named instance: the server's browser service gives it
};

ServerAddress sqlServerAddress(QString server)
{
    server = server.trimmed();
    if (server.startsWith(u"tcp:", Qt::CaseInsensitive))
        server = server.mid(4);
    ServerAddress address{server, u"1433"_s};
    if (const qsizetype comma = server.indexOf(u','); comma >= 0) {
        address = {server.left(comma).trimmed(), server.mid(comma + 1).trimmed()};
    } else if (const qsizetype colon = server.lastIndexOf(u':'); colon > 0) {
        bool number = false;
        server.mid(colon + 1).toInt(&number);
        if (number)
            address = {server.left(colon).trimmed(), server.mid(colon + 1).trimmed()};
    }
    QString instance;
    if (const qsizetype slash = address.host.indexOf(u'\\'); slash >= 0) {
        instance = address.host.mid(slash);
        address.host.truncate(slash);
        if (address.port == u"1433")
            address.port.clear();
    }
    if (address.host.isEmpty() || address.host == u"." ||
        address.host.compare(u"(local)", Qt::CaseInsensitive) == 0)
        address.host = u"localhost"_s;
    address.host += instance;
    return address;
}

// The messages of the driver's diagnostic records: each starts with its "[vendor][component]" tags.
QStringList diagnosticMessages(const QString& text)
{
    static const QRegularExpression tags(u"(?:\\[[^\\]]*\\])+"_s);
    QStringList messages;
    for (const QString& piece : text.split(tags, Qt::SkipEmptyParts)) {
        const QString message = piece.trimmed();
        if (!message.isEmpty())
            messages.append(message);
    }
    return messages;
}

struct Pattern
{
    QStringView text;
    long native;
};

// The server's messages, by what they say, for drivers that report another record's code.
long nativeOfMessage(const QString& message)
{
    static constexpr Pattern patterns[] = {
        {u"Violation of PRIMARY KEY constraint", 2627},
        {u"Violation of UNIQUE KEY constraint", 2627},
        {u"Cannot insert duplicate key row", 2601},
        {u"conflicted with the FOREIGN KEY", 547},
        {u"conflicted with the REFERENCE", 547},
        {u"conflicted with the CHECK", 547},
        {u"Cannot insert the value NULL", 515},
        {u"would be truncated", 8152},
        {u"Invalid object name", 208},
        {u"Invalid column name", 207},
        {u"Incorrect syntax near the keyword", 156},
        {u"Incorrect syntax near", 102},
        {u"Login failed", 18456},
        {u"Cannot open database", 4060},
        {u"Lock request time out", 1222},
        {u"does not exist. Make sure that the name is entered correctly", 911},
    };
    for (const Pattern& p : patterns) {
        if (message.contains(p.text, Qt::CaseInsensitive))
            return p.native;
    }
    return 0;
}

// Oracle's "ORA-nnnnn" as SQL Server's number.
long nativeOfOracle(const QString& text)
{
    static const QRegularExpression ora(u"ORA-(\\d{5})"_s);
    const QRegularExpressionMatch m = ora.match(text);
    if (!m.hasMatch())
        return 0;
    switch (m.captured(1).toInt()) {
    case 1:
        return 2627;
    case 2291:
    case 2292:
    case 2290:
        return 547;
    case 1400:
    case 1407:
        return 515;
    case 12899:
    case 1401:
        return 8152;
    case 942:
        return 208;
    case 904:
        return 207;
    case 900:
    case 907:
    case 917:
    case 921:
    case 923:
    case 933:
    case 936:
        return 102;
    case 1017:
        return 18456;
    case 12154:
    case 12514:
    case 12541:
        return 4060;
    case 54:
    case 30006:
        return 1222;
    default:
        return 0;
    }
}

// The number and SQL state the SQL Server provider gives with a native code.
std::pair<long, QString> numberAndState(long native, bool serverMessage)
{
    switch (native) {
    case 2627:
    case 2601:
    case 547:
    case 515:
        return {AdoErrorNumber::Integrity, u"23000"_s};
    case 8152:
        return {AdoErrorNumber::DataOverflow, u"22001"_s};
    case 208:
        return {AdoErrorNumber::NoSuchTable, u"42S02"_s};
    case 207:
        return {AdoErrorNumber::CommandText, u"42S22"_s};
    case 18456:
        return {AdoErrorNumber::LoginFailed, u"28000"_s};
    case 4060:
        return {AdoErrorNumber::LoginFailed, u"42000"_s};
    case 1222:
        return {AdoErrorNumber::Unspecified, u"HYT00"_s};
    default:
        // Errors raised by a statement on the server are "errors in the command text"; anything
        // without a server code is the driver's or the network's.
        if (native > 0 && serverMessage)
            return {AdoErrorNumber::CommandText, u"42000"_s};
        return {AdoErrorNumber::Unspecified, u"HY000"_s};
    }
}

bool isSqlState(QStringView token)
{
    return token.size() == 5 && std::all_of(token.begin(), token.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
           });
}

} // namespace

OdbcEngine::OdbcEngine(Server server) : m_server(server) {}

QString OdbcEngine::name() const
{
    return m_server == Server::Oracle ? u"Oracle"_s : u"SQL Server"_s;
}

QString OdbcEngine::driverName() const
{
    return u"QODBC"_s;
}

bool OdbcEngine::configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const
{
    QStringList parts;
    if (m_server == Server::Oracle) {
        const QString dsn = cs.dataSource().isEmpty() ? cs.server() : cs.dataSource();
        if (dsn.isEmpty()) {
            if (error)
                *error = AdoError{AdoErrorNumber::LoginFailed, u"IM002"_s,
                                  u"Data source name not found and no default driver specified"_s, 0,
                                  OracleSource};
            return false;
        }
        parts << u"DSN="_s + odbcValue(dsn);
    } else {
        const QString driver = qEnvironmentVariable("TALONEX_ODBC_DRIVER", u"FreeTDS"_s);
        const ServerAddress address = sqlServerAddress(cs.server());
        parts << u"DRIVER={"_s + driver + u'}' << u"SERVER="_s + odbcValue(address.host);
        if (!address.port.isEmpty())
            parts << u"PORT="_s + address.port;
        if (!cs.database().isEmpty())
            parts << u"DATABASE="_s + odbcValue(cs.database());
    }
    // The login goes into the connection text, quoted: Qt would append user and password unquoted.
    parts << u"UID="_s + odbcValue(cs.user()) << u"PWD="_s + odbcValue(cs.password());
    if (m_server == Server::SqlServer)
        parts << u"TDS_Version=7.4"_s << u"ClientCharset=UTF-8"_s;
    db.setDatabaseName(parts.join(u';'));
    db.setUserName(QString());
    db.setPassword(QString());
    // ADO's default connection time-out.
    db.setConnectOptions(u"SQL_ATTR_LOGIN_TIMEOUT=15"_s);
    return true;
}

QStringList OdbcEngine::translate(const QString& tsql) const
{
    if (tsql.trimmed().isEmpty())
        return {};
    return {tsql};
}

AdoError OdbcEngine::mapError(const QSqlError& error) const
{
    // Qt gives the native code of the driver's last diagnostic record; some versions give the SQL
    // state instead, or both ("23000 2627").
    long native = 0;
    QString state;
    static const QRegularExpression separators(u"[^0-9A-Za-z]+"_s);
    const QStringList tokens = error.nativeErrorCode().split(separators, Qt::SkipEmptyParts);
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        bool number = false;
        const long value = tokens[k].toLong(&number);
        if (isSqlState(tokens[k]) && (!number || (k == 0 && tokens.size() > 1)))
            state = tokens[k];
        else if (number)
            native = value;
    }
    const QString text = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    const QStringList messages = diagnosticMessages(text);
    const QString first = messages.isEmpty() ? text.trimmed() : messages.first();
    const long said = m_server == Server::Oracle ? nativeOfOracle(text) : nativeOfMessage(first);
    // 3621 "The statement has been terminated." follows the record that tells why.
    if (said != 0 && (native == 0 || native == 3621 || m_server == Server::Oracle))
        native = said;
    const bool serverMessage = text.contains(u"[SQL Server]", Qt::CaseInsensitive) || said != 0;
    auto [number, defaultState] = numberAndState(native, serverMessage);
    if (error.type() == QSqlError::ConnectionError && native == 0) {
        number = AdoErrorNumber::Unspecified;
        defaultState = u"08001"_s;
    }
    return AdoError{number, state.isEmpty() ? defaultState : state, first, native,
                    m_server == Server::Oracle ? OracleSource : SqlServerSource};
}

bool OdbcEngine::useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const
{
    QString database = name.trimmed();
    if (database.startsWith(u'[') && database.endsWith(u']'))
        database = database.mid(1, database.size() - 2);
    if (m_server == Server::Oracle || database.isEmpty())
        return true;
    QSqlQuery use(db);
    if (use.exec(u"USE ["_s + database.replace(u"]"_s, u"]]"_s) + u']'))
        return true;
    if (error)
        *error = mapError(use.lastError());
    return false;
}
