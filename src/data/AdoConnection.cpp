#include "data/AdoConnection.h"

#include "data/ConnectionString.h"
#include "data/SqlEngine.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

const QString AdoSource = u"ADODB.Connection"_s;
const QString ProviderSource = u"Microsoft OLE DB Provider for SQL Server"_s;
constexpr long NestedTooDeeply = 191;

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return u"talonex-ado-"_s + QString::number(++counter);
}

// Digits of a date text at [from, from + count); -1 when one is not a digit.
int digits(const QString& text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// Dates held as text by an engine become date values, as the suite's providers give them: a date
// alone ("2024-11-04") as a date, with a time ("2024-11-04 10:22:05") as a moment. Read by hand:
// this runs for every date of every row fetched.
QVariant dateValue(const QVariant& value)
{
    if (value.metaType().id() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-')
        return value;
    const QDate date(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    if (!date.isValid())
        return value;
    if (text.size() == 10)
        return date;
    if (text.size() >= 19 && (text[10] == u' ' || text[10] == u'T') && text[13] == u':' && text[16] == u':') {
        const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
        // Database moments carry no time zone; UTC here means "as stored", and spares the time-zone
        // look-up a local moment costs on every value.
        if (time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    return value;
}

AdoError lostLinkError()
{
    return AdoError{AdoErrorNumber::Unspecified, u"08S01"_s,
                    u"[DBNETLIB][ConnectionWrite (send()).]General network error. Check your network "
                    u"documentation."_s,
                    11, ProviderSource};
}

} // namespace

AdoConnection::AdoConnection() : m_connectionName(nextConnectionName()) {}

AdoConnection::~AdoConnection()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

void AdoConnection::setConnectionString(const QString& text)
{
    if (m_open)
        raise(AdoError{AdoErrorNumber::ObjectOpen, QString(),
                       u"Operation is not allowed when the object is open."_s, 0, AdoSource});
    m_connectionString = text;
}

QSqlDatabase AdoConnection::database() const
{
    return m_open ? QSqlDatabase::database(m_connectionName, false) : QSqlDatabase();
}

void AdoConnection::setDefaultDatabase(const QString& name)
{
    QSqlDatabase db = usableDatabase(nullptr);
    AdoError error;
    if (!m_engine->useDatabase(db, name, &error))
        fail(error);
    m_defaultDatabase = name;
}

void AdoConnection::open(const QString& connectionString, const QString& user, const QString& password,
                         long /*options*/)
{
    if (m_open)
        raise(AdoError{AdoErrorNumber::ObjectOpen, QString(),
                       u"Operation is not allowed when the object is open."_s, 0, AdoSource});
    if (!connectionString.isEmpty())
        m_connectionString = connectionString;
    m_errors.clear();

    ConnectionString parsed(m_connectionString);
    // User and password given apart take the place of those in the string.
    if (!user.isEmpty() || !password.isEmpty()) {
        QString rebuilt;
        for (const QString& item : m_connectionString.split(u';', Qt::SkipEmptyParts)) {
            const QString key = item.section(u'=', 0, 0).trimmed().toLower();
            const bool isUser = key == u"uid" || key == u"user id" || key == u"user";
            const bool isPassword = key == u"pwd" || key == u"password";
            if ((isUser && !user.isEmpty()) || (isPassword && !password.isEmpty()))
                continue;
            rebuilt += item + u';';
        }
        if (!user.isEmpty())
            rebuilt += u"UId="_s + user + u';';
        if (!password.isEmpty())
            rebuilt += u"Pwd="_s + password + u';';
        parsed = ConnectionString(rebuilt);
    }

    AdoError error;
    std::unique_ptr<SqlEngine> engine = SqlEngine::forConnectionString(parsed, &error);
    if (!engine)
        fail(error);

    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(engine->driverName(), m_connectionName);
        if (!db.isValid()) {
            error = AdoError{AdoErrorNumber::Unspecified, u"IM002"_s,
                             u"Provider cannot be found. It may not be properly installed ("_s +
                                 engine->driverName() + u")."_s,
                             0, AdoSource};
        } else if (!engine->configure(db, parsed, &error)) {
            // error filled by the engine
        } else if (!db.open()) {
            error = engine->mapError(db.lastError());
        } else {
            engine->prepareOpened(db);
            error = AdoError{};
        }
    }
    if (error.number != 0) {
        QSqlDatabase::removeDatabase(m_connectionName);
        fail(error);
    }
    m_engine = std::move(engine);
    m_open = true;
    m_linkDropped = false;
    m_oracle = parsed.isOracle();
    m_defaultDatabase = parsed.database();
}

void AdoConnection::close()
{
    if (!m_open)
        raise(AdoError{AdoErrorNumber::ObjectClosed, QString(),
                       u"Operation is not allowed when the object is closed."_s, 0, AdoSource});
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
    m_linkDropped = false;
}

AdoRecordsetPtr AdoConnection::execute(const QString& statement, long* recordsAffected, long /*options*/)
{
    Result result;
    run(statement, &result, recordsAffected);
    if (!result.hasRows)
        return std::make_shared<AdoRecordset>();
    auto recordset = AdoRecordset::fromRows(std::move(result.fields), std::move(result.values));
    recordset->m_connection = this;
    recordset->m_source = statement;
    return recordset;
}

void AdoConnection::beginTrans()
{
    transaction(SqlEngine::TransactionStep::Begin);
}

void AdoConnection::commitTrans()
{
    transaction(SqlEngine::TransactionStep::Commit);
}

void AdoConnection::rollbackTrans()
{
    transaction(SqlEngine::TransactionStep::Rollback);
}

void AdoConnection::transaction(SqlEngine::TransactionStep step)
{
    // A write the engine failed with a transaction it rolled back itself (disk full, for one) left
    // no transaction: rolling back is then done already, and that write's error, which the
    // operator must read, stays in the collection.
    using TransactionStep = SqlEngine::TransactionStep;
    if (step == TransactionStep::Rollback && m_open && !m_linkDropped &&
        m_engine->inTransaction(QSqlDatabase::database(m_connectionName, false)) == false)
        return;
    // The tracer sees the step under its T-SQL name, so a trace still shows where each
    // transaction begins and ends.
    static const QString traced[] = {u"BEGIN TRANSACTION"_s, u"COMMIT TRANSACTION"_s,
                                     u"ROLLBACK TRANSACTION"_s};
    QSqlDatabase db = usableDatabase(&traced[static_cast<int>(step)]);
    AdoError refusal;
    if (step == TransactionStep::Commit && !m_engine->mayCommit(db, &refusal)) {
        db.rollback();
        fail(refusal);
    }
    AdoError error;
    if (!m_engine->transaction(db, step, &error))
        fail(error);
}

bool AdoConnection::databaseMoved() const
{
    if (!m_open || m_linkDropped)
        return false;
    return !m_engine->mayCommit(QSqlDatabase::database(m_connectionName, false), nullptr);
}

bool AdoConnection::isOracle() const
{
    return m_open ? m_oracle : ConnectionString(m_connectionString).isOracle();
}

AdoRecordsetPtr AdoConnection::openSchema(int schema, const QStringList& restrictions)
{
    QSqlDatabase db = usableDatabase(nullptr);
    const auto restriction = [&](int i) { return i < restrictions.size() ? restrictions[i] : QString(); };
    const auto text = [](const QString& name) { return AdoField{name, AdoType::VarWChar, 128}; };
    std::vector<QVariant> rows;
    if (schema == SchemaTables) {
        for (const QString& table : m_engine->tables(db)) {
            if (!restriction(2).isEmpty() && table.compare(restriction(2), Qt::CaseInsensitive) != 0)
                continue;
            rows.insert(rows.end(), {m_defaultDatabase, u"dbo"_s, table, u"TABLE"_s});
        }
        return AdoRecordset::fromRows(
            {text(u"TABLE_CATALOG"_s), text(u"TABLE_SCHEMA"_s), text(u"TABLE_NAME"_s), text(u"TABLE_TYPE"_s)},
            std::move(rows));
    }
    if (schema == SchemaColumns) {
        const QString table = restriction(2);
        const QStringList tables = table.isEmpty() ? m_engine->tables(db) : QStringList{table};
        for (const QString& name : tables) {
            for (const QString& column : m_engine->columns(db, restriction(0), name)) {
                if (!restriction(3).isEmpty() && column.compare(restriction(3), Qt::CaseInsensitive) != 0)
                    continue;
                rows.insert(rows.end(), {restriction(0).isEmpty() ? m_defaultDatabase : restriction(0),
                                         u"dbo"_s, name, column});
            }
        }
        return AdoRecordset::fromRows({text(u"TABLE_CATALOG"_s), text(u"TABLE_SCHEMA"_s),
                                       text(u"TABLE_NAME"_s), text(u"COLUMN_NAME"_s)},
                                      std::move(rows));
    }
    raise(AdoError{AdoErrorNumber::Unspecified, u"HYC00"_s,
                   u"Object or provider is not capable of performing "
                   u"requested operation."_s,
                   0, ProviderSource});
}

void AdoConnection::dropLink()
{
    if (!m_open)
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    db.close();
    m_linkDropped = true;
}

void AdoConnection::run(const QString& statement, Result* result, long* recordsAffected)
{
    QSqlDatabase db = usableDatabase(&statement);
    long affected = 0;
    bool failed = false;
    // Like a server batch, a statement that fails does not stop the ones after it; the operation
    // then raises the first failure.
    QStringList engineStatements;
    try {
        engineStatements = m_engine->translate(statement);
    } catch (const RuntimeError& refused) {
        // The server's own refusal of a statement nested past its limits.
        fail(AdoError{refused.number(), u"42000"_s, refused.description(), NestedTooDeeply, ProviderSource});
    }
    for (const QString& engineStatement : std::as_const(engineStatements)) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(engineStatement)) {
            m_errors.append(m_engine->mapError(query.lastError()));
            failed = true;
            continue;
        }
        if (query.isSelect()) {
            if (result && !result->hasRows)
                fetch(query, *result);
        } else if (query.numRowsAffected() > 0) {
            affected += query.numRowsAffected();
        }
    }
    if (failed)
        raise(m_errors.front());
    if (recordsAffected)
        *recordsAffected = affected;
}

void AdoConnection::runPrepared(const QString& engineStatement, const QList<QVariant>& values,
                                long* recordsAffected)
{
    QSqlDatabase db = usableDatabase(&engineStatement);
    QSqlQuery query(db);
    if (!query.prepare(engineStatement))
        fail(m_engine->mapError(query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(m_engine->mapError(query.lastError()));
    if (recordsAffected)
        *recordsAffected = query.numRowsAffected();
}

void AdoConnection::fetch(QSqlQuery& query, Result& result) const
{
    const QSqlRecord record = query.record();
    const int columns = record.count();
    result.hasRows = true;
    result.fields.reserve(columns);
    std::vector<int> dateColumns;
    for (int i = 0; i < columns; ++i) {
        const int type = m_engine->adoType(query, i);
        const QSqlField field = record.field(i);
        result.fields.append(AdoField{field.name(), type, m_engine->definedSize(query, i, field)});
        if (type == AdoType::DBTimeStamp || type == AdoType::Date)
            dateColumns.push_back(i);
    }
    while (query.next()) {
        const std::size_t start = result.values.size();
        for (int i = 0; i < columns; ++i)
            result.values.push_back(query.value(i));
        for (int i : dateColumns)
            result.values[start + i] = dateValue(result.values[start + i]);
        ++result.rows;
    }
}

QSqlDatabase AdoConnection::usableDatabase(const QString* traced)
{
    requireOpen();
    m_errors.clear();
    if (m_tracer && traced)
        m_tracer(*traced);
    if (m_linkDropped)
        fail(lostLinkError());
    return QSqlDatabase::database(m_connectionName, false);
}

void AdoConnection::requireOpen() const
{
    if (!m_open)
        throw RuntimeError(AdoErrorNumber::ConnectionClosed,
                           u"The connection cannot be used to perform this operation. It is either closed or "
                           u"invalid in this context."_s,
                           AdoSource);
}

void AdoConnection::fail(const AdoError& error)
{
    m_errors.append(error);
    raise(error);
}

void AdoConnection::raise(const AdoError& error)
{
    throw error.toRuntimeError();
}
