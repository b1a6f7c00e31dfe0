#include "data/SqlEngine.h"

#include "data/OdbcEngine.h"
#include "data/PostgresEngine.h"
#include "data/SqliteEngine.h"

#include <QMetaType>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

void SqlEngine::prepareOpened(QSqlDatabase&) const {}

int SqlEngine::definedSize(const QSqlQuery&, int, const QSqlField& field) const
{
    return field.length();
}

int SqlEngine::adoType(const QSqlQuery& query, int column) const
{
    switch (query.record().field(column).metaType().id()) {
    case QMetaType::QString:
    case QMetaType::QChar:
        return 202; // adVarWChar
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        return 3; // adInteger
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return 20; // adBigInt
    case QMetaType::Double:
    case QMetaType::Float:
        return 5; // adDouble
    case QMetaType::Bool:
        return 11; // adBoolean
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return 135; // adDBTimeStamp
    case QMetaType::QTime:
        return 134; // adDBTime
    case QMetaType::QByteArray:
        return 205; // adLongVarBinary
    default:
        return 12; // adVariant: a value of no known type (NULL of an expression)
    }
}

QVariant SqlEngine::toEngineValue(const QVariant& value, int) const
{
    return value;
}

QStringList SqlEngine::tables(const QSqlDatabase& db) const
{
    return db.tables(QSql::Tables) + db.tables(QSql::Views);
}

QStringList SqlEngine::columns(const QSqlDatabase& db, const QString&, const QString& table) const
{
    QStringList names;
    const QSqlRecord record = db.record(table);
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

bool SqlEngine::transaction(QSqlDatabase& db, TransactionStep step, AdoError* error) const
{
    bool done = false;
    switch (step) {
    case TransactionStep::Begin:
        done = db.transaction();
        break;
    case TransactionStep::Commit:
        done = db.commit();
        break;
    case TransactionStep::Rollback:
        done = db.rollback();
        break;
    }
    if (!done && error)
        *error = mapError(db.lastError());
    return done;
}

bool SqlEngine::mayCommit(const QSqlDatabase&, AdoError*) const
{
    return true;
}

std::optional<bool> SqlEngine::inTransaction(const QSqlDatabase&) const
{
    return std::nullopt;
}

std::unique_ptr<SqlEngine> SqlEngine::forConnectionString(const ConnectionString& cs, AdoError* error)
{
    if (cs.text().trimmed().isEmpty()) {
        if (error)
            *error =
                AdoError{3706, QString(), u"Provider cannot be found. It may not be properly installed."_s, 0,
                         u"ADODB.Connection"_s};
        return nullptr;
    }
    if (cs.provider().startsWith(u"Microsoft.Jet.OLEDB", Qt::CaseInsensitive) || cs.server().startsWith(u'/'))
        return std::make_unique<SqliteEngine>();
    if (PostgresEngine::isServerForm(cs.server()))
        return std::make_unique<PostgresEngine>();
    if (cs.isOracle())
        return std::make_unique<OdbcEngine>(OdbcEngine::Server::Oracle);
    return std::make_unique<OdbcEngine>(OdbcEngine::Server::SqlServer);
}
