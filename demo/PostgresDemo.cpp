#include "demo/PostgresDemo.h"

#include "data/PostgresEngine.h"
#include "demo/SqlScript.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUrl>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// A connection of its own, removed when it goes.
class Connection
{
public:
    Connection(const QString& driver, const QString& name) : m_name(name + QUuid::createUuid().toString())
    {
        QSqlDatabase::addDatabase(driver, m_name);
    }
    ~Connection() { QSqlDatabase::removeDatabase(m_name); }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

bool openServer(QSqlDatabase& db, const PostgresTarget& target, const QString& database, QString* error)
{
    const QUrl url(target.server);
    if (!PostgresEngine::isServerForm(target.server) || url.host().isEmpty())
        return fail(error, u"Not a server of the form pg://host[:port]: "_s + target.server);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setDatabaseName(database);
    db.setUserName(target.user);
    db.setPassword(target.password);
    if (!db.open())
        return fail(error, u"Cannot connect to "_s + target.server + u": "_s + db.lastError().text());
    return true;
}

bool exec(QSqlDatabase& db, const QString& statement, QString* error)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        return fail(error, query.lastError().text() + u"\n"_s + statement);
    return true;
}

QString quotedName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', u"\"\""_s) + u'"';
}

// The tables of an SQLite demo file, in the order they were created (referenced ones first).
QStringList sqliteTables(QSqlDatabase& db)
{
    QStringList names;
    QSqlQuery query(db);
    query.exec(
        u"SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY rowid"_s);
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

// Copies every row of `table`, many rows per statement.
bool copyTable(QSqlDatabase& from, QSqlDatabase& to, const QString& table, QString* error)
{
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(u"SELECT * FROM "_s + quotedName(table)))
        return fail(error, read.lastError().text());
    const QSqlRecord record = read.record();
    const int columns = record.count();
    if (columns == 0)
        return true;
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names.append(quotedName(record.fieldName(c).toLower()));
    const int rowsPerStatement = std::max(1, 8000 / columns);
    const QString head = u"INSERT INTO "_s + table.toLower() + u" ("_s + names.join(u", "_s) + u") VALUES "_s;
    QString row = u"("_s;
    for (int c = 0; c < columns; ++c)
        row += c == 0 ? u"?"_s : u", ?"_s;
    row += u')';

    QList<QVariant> values;
    int rows = 0;
    QSqlQuery full(to);
    bool fullPrepared = false;
    auto flush = [&] {
        if (rows == 0)
            return true;
        QSqlQuery partial(to);
        QSqlQuery* query = &full;
        if (rows == rowsPerStatement) {
            if (!fullPrepared && !full.prepare(head + QStringList(rows, row).join(u", "_s)))
                return fail(error, full.lastError().text());
            fullPrepared = true;
        } else {
            if (!partial.prepare(head + QStringList(rows, row).join(u", "_s)))
                return fail(error, partial.lastError().text());
            query = &partial;
        }
        for (const QVariant& value : values)
            query->addBindValue(value);
        if (!query->exec())
            return fail(error, u"Copying "_s + table + u": "_s + query->lastError().text());
        values.clear();
        rows = 0;
        return true;
    };
    while (read.next()) {
        for (int c = 0; c < columns; ++c)
            values.append(read.value(c));
        if (++rows == rowsPerStatement && !flush())
            return false;
    }
    return flush();
}

// The identity columns continue after the highest copied value.
bool advanceIdentities(QSqlDatabase& db, QString* error)
{
    QSqlQuery query(db);
    if (!query.exec(u"SELECT table_name, column_name FROM information_schema.columns "
                    u"WHERE table_schema = 'public' AND is_identity = 'YES'"_s))
        return fail(error, query.lastError().text());
    QList<QPair<QString, QString>> identities;
    while (query.next())
        identities.append({query.value(0).toString(), query.value(1).toString()});
    for (const auto& [table, column] : identities) {
        if (!exec(db,
                  u"SELECT setval(pg_get_serial_sequence('"_s + table + u"', '"_s + column + u"'), "_s +
                      u"coalesce((SELECT max("_s + quotedName(column) + u") FROM "_s + table +
                      u"), 0) + 1, false)"_s,
                  error))
            return false;
    }
    return true;
}

bool fillDatabase(const PostgresTarget& target, const QString& database, const QString& sqliteFile,
                  const QString& schema, QString* error)
{
    Connection server(u"QPSQL"_s, u"talonex-demo-pg"_s);
    QSqlDatabase pg = server.database();
    if (!openServer(pg, target, database, error))
        return false;
    // The objects belong to the administrator, who may then change them as the suite's schema
    // checks do (a column added, for one).
    if (!exec(pg, u"SET ROLE "_s + quotedName(DemoDb::AdminUser), error))
        return false;
    for (const QString& statement : PostgresEngine::supportScript()) {
        if (!exec(pg, statement, error))
            return false;
    }
    const QString converted = postgresDemoSchema(schema);
    const qsizetype cut = converted.indexOf(u"\n-- @indexes"_s);
    if (!exec(pg, u"BEGIN"_s, error))
        return false;
    for (const QString& statement : SqlScript::split(cut < 0 ? converted : converted.left(cut))) {
        if (!exec(pg, statement, error))
            return false;
    }

    Connection file(u"QSQLITE"_s, u"talonex-demo-copy"_s);
    QSqlDatabase lite = file.database();
    lite.setDatabaseName(sqliteFile);
    lite.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
    if (!lite.open())
        return fail(error, lite.lastError().text());
    for (const QString& table : sqliteTables(lite)) {
        // The rows the schema script itself writes are in the file too.
        if (!exec(pg, u"DELETE FROM "_s + table.toLower(), error) || !copyTable(lite, pg, table, error))
            return false;
    }
    lite.close();
    if (cut >= 0) {
        for (const QString& statement : SqlScript::split(converted.mid(cut))) {
            if (!exec(pg, statement, error))
                return false;
        }
    }
    if (!advanceIdentities(pg, error) || !exec(pg, u"COMMIT"_s, error))
        return false;
    for (const QString& user : {DemoDb::AdminUser, DemoDb::PlainUser}) {
        if (!exec(pg, u"GRANT ALL ON SCHEMA public TO "_s + quotedName(user), error) ||
            !exec(pg, u"GRANT ALL ON ALL TABLES IN SCHEMA public TO "_s + quotedName(user), error) ||
            !exec(pg, u"GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO "_s + quotedName(user), error))
            return false;
    }
    return exec(pg, u"ANALYZE"_s, error);
}

} // namespace

QString postgresDemoSchema(const QString& sqliteSchema)
{
    QString s = sqliteSchema;
    s.replace(u"COLLATE NOCASE_RTRIM"_s, u"COLLATE "_s + QLatin1StringView(PostgresEngine::TextCollation));
    s.replace(QRegularExpression(u"\\bINTEGER PRIMARY KEY\\b"_s),
              u"INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"_s);
    s.replace(QRegularExpression(u"\\bBOOLEAN\\b"_s), u"SMALLINT"_s);
    s.replace(QRegularExpression(u"\\bDATETIME\\b"_s), u"TIMESTAMP(0)"_s);
    s.replace(QRegularExpression(u"\\bIFNULL\\("_s, QRegularExpression::CaseInsensitiveOption),
              u"COALESCE("_s);
    // Quoted names as the statements' translation folds them.
    static const QRegularExpression quotedName(u"\"([^\"]+)\""_s);
    QString folded;
    qsizetype last = 0;
    for (auto it = quotedName.globalMatch(s); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        folded += QStringView(s).mid(last, m.capturedStart() - last);
        folded += u'"' + m.captured(1).toLower() + u'"';
        last = m.capturedEnd();
    }
    folded += QStringView(s).mid(last);
    s = folded;
    // SQLite's INSTEAD OF trigger of the view becomes a rule.
    static const QRegularExpression trigger(
        u"CREATE TRIGGER (\\w+) INSTEAD OF INSERT ON (\\w+)\\s+BEGIN\\s+(INSERT INTO [^;]+);\\s*END;"_s);
    s.replace(trigger, u"CREATE RULE \\1 AS ON INSERT TO \\2 DO INSTEAD \\3;"_s);
    return s;
}

bool createPostgresDemo(const PostgresTarget& target, const DemoScale& scale, QString* error)
{
    QTemporaryDir work;
    if (!work.isValid())
        return fail(error, u"No temporary folder for the demo files."_s);
    if (!createDemoDatabase(work.path(), scale, error))
        return false;
    {
        Connection server(u"QPSQL"_s, u"talonex-demo-admin"_s);
        QSqlDatabase admin = server.database();
        if (!openServer(admin, target, u"postgres"_s, error))
            return false;
        for (const QString& user : {DemoDb::AdminUser, DemoDb::PlainUser}) {
            if (!exec(admin,
                      u"DO $$BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '"_s + user +
                          u"') THEN CREATE ROLE "_s + quotedName(user) + u" LOGIN PASSWORD '"_s +
                          DemoDb::DefaultPassword + u"'; END IF; END$$"_s,
                      error))
                return false;
        }
        for (const QString& database : {DemoDb::MainDatabaseName, DemoDb::StatisticsDatabaseName}) {
            if (!exec(admin, u"DROP DATABASE IF EXISTS "_s + quotedName(database) + u" WITH (FORCE)"_s,
                      error) ||
                !exec(admin,
                      u"CREATE DATABASE "_s + quotedName(database) + u" OWNER "_s +
                          quotedName(DemoDb::AdminUser) +
                          u" TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C.UTF-8'"_s,
                      error))
                return false;
        }
        admin.close();
    }
    return fillDatabase(target, DemoDb::MainDatabaseName,
                        DemoDb::databaseFilePath(work.path(), DemoDb::MainDatabaseName),
                        SqlScript::resource(u"schema.sql"_s), error) &&
           fillDatabase(target, DemoDb::StatisticsDatabaseName,
                        DemoDb::databaseFilePath(work.path(), DemoDb::StatisticsDatabaseName),
                        SqlScript::resource(u"schema_estadisticas.sql"_s), error);
}
