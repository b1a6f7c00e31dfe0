#include "demo/DemoDatabase.h"

#include "data/SqliteFunctions.h"

#include "demo/DemoWriter.h"
#include "demo/SqlScript.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

/// A connection of its own for one build, removed again when the build ends.
class Connection
{
public:
    explicit Connection(const QString& file, bool readOnly = false)
    {
        static QAtomicInteger<quint32> counter;
        m_name = u"talonex_demo_"_s + QString::number(counter.fetchAndAddRelaxed(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(file);
        if (readOnly)
            db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool execAll(QSqlDatabase& db, const QStringList& statements, QString* error)
{
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            return fail(error, query.lastError().text() + u"\n"_s + statement);
    }
    return true;
}

/// Pragmas for a file that is written once, start to end, and thrown away if that fails: no
/// journal, no waiting for the disk, a large page cache for the index builds.
const QStringList BuildPragmas{u"PRAGMA journal_mode = OFF"_s, u"PRAGMA synchronous = OFF"_s,
                               u"PRAGMA cache_size = -262144"_s, u"PRAGMA temp_store = MEMORY"_s};

// Opens a demo file with the text collation its columns are declared with.
bool openDemoFile(QSqlDatabase& db, QString* error)
{
    if (!db.open())
        return fail(error, db.lastError().text());
    if (!SqliteFunctions::registerOn(db))
        return fail(error, u"Cannot register the text collation"_s);
    return true;
}

// A new file's indexes are built in the current text order, which its user_version says.
bool openForBuild(QSqlDatabase& db, QString* error)
{
    if (!openDemoFile(db, error))
        return false;
    return execAll(db, BuildPragmas, error) &&
           execAll(db, {u"PRAGMA user_version = "_s + QString::number(SqliteFunctions::TextOrderVersion)},
                   error);
}

bool buildMain(const QString& file, const DemoScale& scale, QString* error)
{
    const QString schema = SqlScript::resource(u"schema.sql"_s);
    const QString data = SqlScript::resource(u"data.sql"_s);
    const qsizetype cut = schema.indexOf(u"\n-- @indexes"_s);
    if (schema.isEmpty() || data.isEmpty() || cut < 0)
        return fail(error, u"The demo scripts are missing from the library's resources."_s);

    Connection connection(file);
    QSqlDatabase db = connection.database();
    if (!openForBuild(db, error))
        return false;
    if (!db.transaction())
        return fail(error, db.lastError().text());
    if (!SqlScript::run(db, schema.left(cut), error) || !SqlScript::run(db, data, error))
        return false;
    DemoWriter writer(db, scale);
    if (!writer.writeData(error))
        return false;
    // The indexes are built after the rows, sorted once, rather than kept up row by row.
    if (!SqlScript::run(db, schema.mid(cut), error))
        return false;
    if (!db.commit())
        return fail(error, db.lastError().text());
    return true;
}

bool buildStatistics(const QString& file, QString* error)
{
    const QString schema = SqlScript::resource(u"schema_estadisticas.sql"_s);
    if (schema.isEmpty())
        return fail(error, u"The statistics script is missing from the library's resources."_s);
    Connection connection(file);
    QSqlDatabase db = connection.database();
    if (!openForBuild(db, error))
        return false;
    return SqlScript::run(db, schema, error);
}

/// Puts a finished work file in place of the target.
bool replaceFile(const QString& work, const QString& target, QString* error)
{
    if (QFile::exists(target) && !QFile::remove(target))
        return fail(error, u"Cannot replace "_s + target);
    if (!QFile::rename(work, target))
        return fail(error, u"Cannot rename "_s + work + u" to "_s + target);
    return true;
}

} // namespace

QString DemoDb::databaseFilePath(const QString& folder, const QString& databaseName)
{
    return QDir(folder).filePath(databaseName + FileSuffix);
}

qint64 minimumAccountingLines(const DemoScale& scale)
{
    const qint64 cheques = qint64(DemoDb::NumberedCheques) + DemoDb::UnnumberedCheques +
                           std::max(scale.extraUnnumberedCheques, 0);
    return 2 * cheques;
}

QString checkDemoScale(const DemoScale& scale)
{
    if (scale.suppliers < DemoDb::FixedSupplierCount || scale.suppliers > 99999)
        return u"The number of suppliers must be from %1 to 99999."_s.arg(DemoDb::FixedSupplierCount);
    if (scale.extraUnnumberedCheques < 0)
        return u"The number of extra cheques cannot be negative."_s;
    const qint64 minimum = minimumAccountingLines(scale);
    if (scale.accountingLines < minimum || scale.accountingLines == minimum + 1)
        return u"The accounting lines must be %1, or more than %2: the payments alone take %1."_s.arg(
            QString::number(minimum), QString::number(minimum + 1));
    return {};
}

bool createDemoDatabase(const QString& folder, const DemoScale& scale, QString* error)
{
    const QString problem = checkDemoScale(scale);
    if (!problem.isEmpty())
        return fail(error, problem);
    if (!QDir().mkpath(folder))
        return fail(error, u"Cannot create the folder "_s + folder);

    const QString mainFile = DemoDb::databaseFilePath(folder, DemoDb::MainDatabaseName);
    const QString statisticsFile = DemoDb::databaseFilePath(folder, DemoDb::StatisticsDatabaseName);
    const QString mainWork = mainFile + u".part"_s;
    const QString statisticsWork = statisticsFile + u".part"_s;
    QFile::remove(mainWork);
    QFile::remove(statisticsWork);

    const bool ok = buildMain(mainWork, scale, error) && buildStatistics(statisticsWork, error) &&
                    replaceFile(mainWork, mainFile, error) &&
                    replaceFile(statisticsWork, statisticsFile, error);
    QFile::remove(mainWork);
    QFile::remove(statisticsWork);
    return ok;
}

bool readDemoContents(const QString& folder, DemoContents* contents, QString* error)
{
    const QString file = DemoDb::databaseFilePath(folder, DemoDb::MainDatabaseName);
    if (!QFileInfo::exists(file))
        return fail(error, u"No demo database at "_s + file);
    Connection connection(file, true);
    QSqlDatabase db = connection.database();
    if (!openDemoFile(db, error))
        return false;
    const QList<std::pair<qint64*, QString>> counts{
        {&contents->suppliers, u"SELECT COUNT(*) FROM VT_PROVEEDORES"_s},
        {&contents->bankAccounts, u"SELECT COUNT(*) FROM MA_CUENTAS WHERE TIPOVISTA = 'BC'"_s},
        {&contents->chequebooks, u"SELECT COUNT(*) FROM V_TA_CTRL_CHEQUERAS"_s},
        {&contents->numberedCheques,
         u"SELECT COUNT(*) FROM v_chequesentregados WHERE NROCOMPROBANTEBANCARIO <> '*-'"_s},
        {&contents->unnumberedCheques,
         u"SELECT COUNT(*) FROM v_chequesentregados WHERE NROCOMPROBANTEBANCARIO = '*-'"_s},
        {&contents->accountingLines, u"SELECT COUNT(*) FROM MV_ASIENTOS"_s},
    };
    for (const auto& [target, statement] : counts) {
        QSqlQuery query(db);
        if (!query.exec(statement) || !query.next())
            return fail(error, query.lastError().text() + u"\n"_s + statement);
        *target = query.value(0).toLongLong();
    }
    return true;
}
