#include "data/SqliteEngine.h"

#include "data/SqlValue.h"
#include "data/SqliteFunctions.h"
#include "data/TsqlDates.h"
#include "data/TsqlToSqlite.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlResult>
#include <QUrl>
#include <QtDebug>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString Source = u"Microsoft OLE DB Provider for SQL Server"_s;

AdoError adoError(long number, const QString& state, long native, const QString& description)
{
    return AdoError{number, state, description, native, Source};
}

AdoError cannotOpen(const QString& database)
{
    return adoError(AdoErrorNumber::LoginFailed, u"42000"_s, NativeError::CannotOpenDatabase,
                    u"Cannot open database \"%1\" requested by the login. The login failed."_s.arg(database));
}

// The text after "prefix" in an SQLite message ("no such table: X" gives "X").
QString after(const QString& message, QStringView prefix)
{
    const qsizetype at = message.indexOf(prefix, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : message.mid(at + prefix.size()).trimmed();
}

// "T.col, T.col2" of a constraint message: the table and the first column.
QPair<QString, QString> tableAndColumn(const QString& message)
{
    const QString target = after(message, u"constraint failed:").section(u',', 0, 0).trimmed();
    const qsizetype dot = target.indexOf(u'.');
    if (dot < 0)
        return {target, QString()};
    return {target.left(dot), target.mid(dot + 1)};
}

bool speaksOfLength(const QString& text)
{
    static const QRegularExpression length(u"length|\\blen\\b|_len\\b|len\\s*\\("_s,
                                           QRegularExpression::CaseInsensitiveOption);
    return length.match(text).hasMatch();
}

AdoError constraintError(int code, const QString& message)
{
    const auto [table, column] = tableAndColumn(message);
    switch (code) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::DuplicateKey,
                        u"Violation of PRIMARY KEY constraint 'PK_%1'. Cannot insert duplicate key in object "
                        u"'dbo.%1'."_s.arg(table));
    case SQLITE_CONSTRAINT_UNIQUE:
        return adoError(
            AdoErrorNumber::Integrity, u"23000"_s, NativeError::DuplicateKey,
            u"Violation of UNIQUE KEY constraint 'UQ_%1_%2'. Cannot insert duplicate key in object "
            u"'dbo.%1'."_s.arg(table, column));
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::ReferenceViolation,
                        u"The statement conflicted with a FOREIGN KEY constraint."_s);
    case SQLITE_CONSTRAINT_NOTNULL:
        return adoError(
            AdoErrorNumber::Integrity, u"23000"_s, NativeError::NullNotAllowed,
            u"Cannot insert the value NULL into column '%1', table 'dbo.%2'; column does not allow "
            u"nulls."_s.arg(column, table));
    case SQLITE_CONSTRAINT_CHECK: {
        // Text columns keep their declared size only through CHECK (length(...) <= n) constraints.
        const QString name = after(message, u"constraint failed:");
        if (speaksOfLength(name))
            return adoError(AdoErrorNumber::DataOverflow, u"22001"_s, NativeError::Truncation,
                            u"String or binary data would be truncated."_s);
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::ReferenceViolation,
                        u"The statement conflicted with the CHECK constraint \"%1\"."_s.arg(name));
    }
    case SQLITE_CONSTRAINT_TRIGGER:
        // RAISE() in a trigger: what RAISERROR gives on the server.
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, 50000, message);
    default:
        return adoError(AdoErrorNumber::Integrity, u"23000"_s, NativeError::ReferenceViolation,
                        u"[SQLite] "_s + message);
    }
}

// SQLITE_ERROR covers what the server tells apart by number: read the message.
AdoError generalError(const QString& message)
{
    QString name;
    if (!(name = after(message, u"no such table:")).isEmpty())
        return adoError(AdoErrorNumber::NoSuchTable, u"42S02"_s, NativeError::InvalidObjectName,
                        u"Invalid object name '%1'."_s.arg(name.section(u'.', -1)));
    if (!(name = after(message, u"no such column:")).isEmpty() ||
        !(name = after(message, u"has no column named")).isEmpty())
        return adoError(AdoErrorNumber::CommandText, u"42S22"_s, NativeError::InvalidColumnName,
                        u"Invalid column name '%1'."_s.arg(name.section(u'.', -1)));
    if (message.contains(u"syntax error") || message.contains(u"incomplete input") ||
        message.contains(u"unrecognized token")) {
        static const QRegularExpression near(u"near \"(.*)\": syntax error"_s);
        const QRegularExpressionMatch m = near.match(message);
        const QString where = m.hasMatch() ? m.captured(1) : after(message, u"unrecognized token:");
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, NativeError::SyntaxError,
                        where.isEmpty() ? u"Incorrect syntax near the end of the statement."_s
                                        : u"Incorrect syntax near '%1'."_s.arg(where));
    }
    if (!(name = after(message, u"no such function:")).isEmpty())
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, 195,
                        u"'%1' is not a recognized built-in function name."_s.arg(name));
    if (!(name = after(message, u"ambiguous column name:")).isEmpty())
        return adoError(AdoErrorNumber::CommandText, u"42000"_s, 209,
                        u"Ambiguous column name '%1'."_s.arg(name));
    if (message.startsWith(u"cannot commit - no transaction"))
        return adoError(AdoErrorNumber::CommandText, u"25000"_s, 3902,
                        u"The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."_s);
    if (message.startsWith(u"cannot rollback - no transaction"))
        return adoError(AdoErrorNumber::CommandText, u"25000"_s, 3903,
                        u"The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION."_s);
    if (!(name = after(message, u"duplicate column name:")).isEmpty())
        return adoError(AdoErrorNumber::CommandText, u"42S21"_s, 2705,
                        u"Column names in each table must be unique. Column name '%1' is specified more than "
                        u"once."_s.arg(name));
    static const QRegularExpression exists(u"^(?:table|view|index|trigger) (.*) already exists"_s);
    if (const QRegularExpressionMatch m = exists.match(message); m.hasMatch())
        return adoError(AdoErrorNumber::CommandText, u"42S01"_s, 2714,
                        u"There is already an object named '%1' in the database."_s.arg(m.captured(1)));
    return adoError(AdoErrorNumber::Unspecified, u"HY000"_s, SQLITE_ERROR, u"[SQLite] "_s + message);
}

sqlite3* connectionHandle(const QSqlDatabase& db)
{
    if (!db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

sqlite3_stmt* statementHandle(const QSqlQuery& query)
{
    if (!query.isActive() || !query.result())
        return nullptr;
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

// An SQLite URI opened with mode=rw never creates the file, so a database that vanished while the
// program ran does not come back empty when the connection is opened again.
QString fileUri(const QString& path)
{
    QString escaped = path;
    escaped.replace(u'%', u"%25"_s).replace(u'?', u"%3f"_s).replace(u'#', u"%23"_s);
    return u"file:"_s + escaped + u"?mode=rw"_s;
}

QString unquotedName(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 &&
        ((name.startsWith(u'[') && name.endsWith(u']')) || (name.startsWith(u'"') && name.endsWith(u'"'))))
        name = name.mid(1, name.size() - 2);
    return name;
}

} // namespace

QString SqliteEngine::name() const
{
    return u"SQLite"_s;
}

QString SqliteEngine::driverName() const
{
    return u"QSQLITE"_s;
}

QString SqliteEngine::databaseFile(const ConnectionString& cs)
{
    // A local Access file, and an Oracle data source that names a file (the Oracle road tried on an
    // embedded database), name the file itself.
    if (cs.provider().startsWith(u"Microsoft.Jet.OLEDB", Qt::CaseInsensitive) || cs.isOracle())
        return cs.dataSource();
    const QString folder = cs.server();
    const QString database = cs.database();
    if (!folder.startsWith(u'/') || database.isEmpty())
        return {};
    return QDir::cleanPath(folder + u'/' + database + u".db"_s);
}

QString SqliteEngine::databaseFile(const QSqlDatabase& db)
{
    QString name = db.databaseName();
    if (!name.startsWith(u"file:"))
        return name;
    name = name.mid(5);
    const qsizetype query = name.indexOf(u'?');
    if (query >= 0)
        name.truncate(query);
    return QUrl::fromPercentEncoding(name.toUtf8());
}

bool SqliteEngine::configure(QSqlDatabase& db, const ConnectionString& cs, AdoError* error) const
{
    const QString file = databaseFile(cs);
    const bool localFile = cs.provider().contains(u"Jet"_s, Qt::CaseInsensitive);
    const bool folderExists = !file.isEmpty() && QFileInfo(QFileInfo(file).absolutePath()).isDir();
    if (localFile && (file.isEmpty() || !QFileInfo(file).isFile())) {
        // A local database file the operator can look for again: not found, or a path that leads
        // nowhere, as the file providers report them.
        if (error)
            *error = adoError(AdoErrorNumber::Unspecified, folderExists ? u"3024"_s : u"3044"_s, 0,
                              folderExists ? u"Could not find file '%1'."_s.arg(file)
                                           : u"'%1' is not a valid path."_s.arg(file));
        return false;
    }
    if (!file.isEmpty() && !folderExists) {
        // The folder of the databases is the server: when it is out of reach, the server is.
        if (error)
            *error = adoError(AdoErrorNumber::Unspecified, u"08001"_s, 17,
                              u"[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or access "
                              u"denied."_s);
        return false;
    }
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        if (error) {
            const QString database =
                cs.database().isEmpty() ? QFileInfo(file).completeBaseName() : cs.database();
            *error = cannotOpen(database.isEmpty() ? cs.dataSource() : database);
        }
        return false;
    }
    db.setDatabaseName(fileUri(file));
    // Two workstations on one file wait for each other's writes instead of failing at once.
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_URI"_s);
    return true;
}

void SqliteEngine::prepareOpened(QSqlDatabase& db) const
{
    if (!SqliteFunctions::registerOn(connectionHandle(db)))
        qWarning("SQLite: the text collation and functions could not be registered");
    QString reindexError;
    if (!SqliteFunctions::reindexForTextOrder(db, &reindexError))
        qWarning("SQLite: the indexes could not be rebuilt for the text order: %s",
                 qUtf8Printable(reindexError));
    QSqlQuery pragma(db);
    if (!pragma.exec(u"PRAGMA foreign_keys=ON"_s))
        qWarning("SQLite: foreign keys stay off: %s", qUtf8Printable(pragma.lastError().text()));
    // The program commits once per cheque. With the write-ahead log a commit is one append and needs
    // no sync of its own: each transaction still stands or falls whole, after a crash of the program
    // too; only an operating-system crash can lose the last ones, and then whole. Readers and the
    // one writer of the other workstations on this machine no longer block each other.
    if (!pragma.exec(u"PRAGMA journal_mode=WAL"_s) || !pragma.exec(u"PRAGMA synchronous=NORMAL"_s))
        qWarning("SQLite: write-ahead log not used: %s", qUtf8Printable(pragma.lastError().text()));
}

bool SqliteEngine::transaction(QSqlDatabase& db, TransactionStep step, AdoError* error) const
{
    QSqlQuery query(db);
    const QString statement = step == TransactionStep::Begin    ? u"BEGIN"_s
                              : step == TransactionStep::Commit ? u"COMMIT"_s
                                                                : u"ROLLBACK"_s;
    if (query.exec(statement))
        return true;
    if (error)
        *error = mapError(query.lastError());
    return false;
}

bool SqliteEngine::mayCommit(const QSqlDatabase& db, AdoError* error) const
{
    sqlite3* handle = connectionHandle(db);
    int moved = 0;
    if (!handle || sqlite3_file_control(handle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
        !moved)
        return true;
    if (error)
        *error = adoError(AdoErrorNumber::Unspecified, u"HY000"_s, SQLITE_IOERR,
                          u"[SQLite] The database file "_s + databaseFile(db) +
                              u" was deleted or replaced while it was open; the transaction was rolled back "
                              u"and nothing more is written."_s);
    return false;
}

std::optional<bool> SqliteEngine::inTransaction(const QSqlDatabase& db) const
{
    sqlite3* handle = connectionHandle(db);
    if (!handle)
        return std::nullopt;
    return sqlite3_get_autocommit(handle) == 0;
}

QStringList SqliteEngine::translate(const QString& tsql) const
{
    return TsqlToSqlite::translate(tsql);
}

AdoError SqliteEngine::mapError(const QSqlError& error) const
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    const QString message = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    if (!known) {
        // A failure of Qt's own (no statement reached SQLite).
        return adoError(AdoErrorNumber::Unspecified, u"HY000"_s, 0, u"[SQLite] "_s + error.text());
    }
    switch (code & 0xff) {
    case SQLITE_CONSTRAINT:
        if (code == SQLITE_CONSTRAINT && message.startsWith(u"UNIQUE constraint failed"))
            return constraintError(SQLITE_CONSTRAINT_UNIQUE, message);
        return constraintError(code, message);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return adoError(AdoErrorNumber::Unspecified, u"HYT00"_s, 1222,
                        u"Lock request time out period exceeded."_s);
    case SQLITE_CANTOPEN:
        return cannotOpen(QString());
    case SQLITE_TOOBIG:
        return adoError(AdoErrorNumber::DataOverflow, u"22001"_s, NativeError::Truncation,
                        u"String or binary data would be truncated."_s);
    case SQLITE_ERROR:
        return generalError(message);
    default:
        return adoError(AdoErrorNumber::Unspecified, u"HY000"_s, code, u"[SQLite] "_s + message);
    }
}

int SqliteEngine::adoTypeOfDeclaration(QStringView declaredType)
{
    QString type = declaredType.toString().toUpper();
    const qsizetype paren = type.indexOf(u'(');
    if (paren >= 0)
        type.truncate(paren);
    type = type.simplified();
    if (type.isEmpty())
        return 0;
    if (type.startsWith(u"BIGINT"))
        return 20;
    if (type.startsWith(u"SMALLINT"))
        return 2;
    if (type.startsWith(u"TINYINT"))
        return 17;
    if (type.contains(u"INT"))
        return 3;
    if (type.contains(u"MONEY") || type == u"CURRENCY")
        return 6;
    if (type.startsWith(u"NUMERIC") || type.startsWith(u"DECIMAL"))
        return 131;
    if (type.startsWith(u"REAL") || type.startsWith(u"FLOAT") || type.startsWith(u"DOUBLE"))
        return 5;
    if (type == u"BIT" || type.startsWith(u"BOOL"))
        return 11;
    if (type.startsWith(u"DATE") || type.startsWith(u"SMALLDATETIME") || type.startsWith(u"TIMESTAMP"))
        return 135;
    if (type == u"TIME")
        return 134;
    if (type.startsWith(u'N') || type.contains(u"TEXT") || type.contains(u"CLOB"))
        return 202;
    if (type.startsWith(u"VARCHAR") || type.startsWith(u"VARYING"))
        return 200;
    if (type.startsWith(u"CHAR"))
        return 129;
    if (type.contains(u"BLOB") || type.contains(u"BINARY") || type == u"IMAGE")
        return 205;
    return 0;
}

int SqliteEngine::adoType(const QSqlQuery& query, int column) const
{
    if (sqlite3_stmt* stmt = statementHandle(query);
        stmt && column >= 0 && column < sqlite3_column_count(stmt)) {
        if (const char* declared = sqlite3_column_decltype(stmt, column)) {
            if (const int type = adoTypeOfDeclaration(QString::fromUtf8(declared)))
                return type;
        }
    }
    return SqlEngine::adoType(query, column);
}

int SqliteEngine::textSizeOfDeclaration(QStringView declaredType)
{
    switch (adoTypeOfDeclaration(declaredType)) {
    case 129: // CHAR(n)
    case 200: // VARCHAR(n)
    case 202: // NVARCHAR(n), NCHAR(n)
        break;
    default:
        return 0;
    }
    static const QRegularExpression length(u"\\(\\s*(\\d+)\\s*\\)"_s);
    const QRegularExpressionMatch m = length.match(declaredType.toString());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

int SqliteEngine::definedSize(const QSqlQuery& query, int column, const QSqlField& field) const
{
    // SQLite keeps the declaration of every result column that is a table column, also one read
    // through a view, on the prepared statement: no per-row cost, no catalogue query.
    if (sqlite3_stmt* stmt = statementHandle(query);
        stmt && column >= 0 && column < sqlite3_column_count(stmt)) {
        if (const char* declared = sqlite3_column_decltype(stmt, column)) {
            if (const int size = textSizeOfDeclaration(QString::fromUtf8(declared)))
                return size;
        }
    }
    return SqlEngine::definedSize(query, column, field);
}

QVariant SqliteEngine::toEngineValue(const QVariant& value, int adoType) const
{
    if (!value.isValid() || value.isNull())
        return value;
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(u"yyyy-MM-dd"_s);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    case QMetaType::QTime:
        return value.toTime().toString(u"HH:mm:ss"_s);
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::QString:
        if (adodate(adoType)) {
            const QString iso = TsqlDates::isoDate(value.toString());
            if (!iso.isEmpty())
                return iso;
        }
        return value;
    default:
        return value;
    }
}

QStringList SqliteEngine::tables(const QSqlDatabase& db) const
{
    QStringList names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(u"SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                   u"AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"_s)) {
        while (query.next())
            names.append(query.value(0).toString());
    }
    return names;
}

QStringList SqliteEngine::columns(const QSqlDatabase& db, const QString& catalog, const QString& table) const
{
    const QString own = QFileInfo(databaseFile(db)).completeBaseName();
    const QString schema = catalog.isEmpty() || catalog.compare(own, Qt::CaseInsensitive) == 0
                               ? u"main"_s
                               : unquotedName(catalog);
    QString name = table.trimmed();
    // "dbo.T", "[dbo].[T]": the owner is no part of SQLite's names.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0 && !name.endsWith(u'"'))
        name = name.mid(dot + 1);
    QStringList names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT name FROM pragma_table_info(?, ?)"_s);
    query.addBindValue(unquotedName(name));
    query.addBindValue(schema);
    if (query.exec()) {
        while (query.next())
            names.append(query.value(0).toString());
    }
    return names;
}

bool SqliteEngine::useDatabase(QSqlDatabase& db, const QString& name, AdoError* error) const
{
    const QString wanted = unquotedName(name);
    if (wanted.isEmpty() ||
        wanted.compare(QFileInfo(databaseFile(db)).completeBaseName(), Qt::CaseInsensitive) == 0)
        return true;
    if (error)
        *error = adoError(
            AdoErrorNumber::CommandText, u"42000"_s, 911,
            u"Database '%1' does not exist. Make sure that the name is entered correctly."_s.arg(wanted));
    return false;
}
