#include "report/ReportDatabase.h"

#include "data/ConnectionString.h"
#include "data/DB_Dll.h"
#include "data/SqlEngine.h"
#include "report/ReportErrors.h"
#include "report/ReportLayout.h"
#include "report/SelectionFormula.h"
#include "zimbrel2/RuntimeError.h"

#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

// The value of `key` in "DSN=db; UID=user; PWD=password" (keys ignore case, values are trimmed).
QString item(const QString& text, QStringView key)
{
    for (const QString& part : text.split(u';')) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals > 0 && QStringView(part).left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1).trimmed();
    }
    return {};
}

} // namespace

ReportDatabase::ReportDatabase(const QString& connectionText, const DB_Dll& main)
{
    static std::atomic<int> counter{0};
    m_database = item(connectionText, u"DSN");
    if (m_database.isEmpty())
        fail(u"La cadena de conexión del reporte no indica la base de datos (DSN=...)."_s);
    if (!main.gOpenFlag || main.gConnString.isEmpty())
        fail(u"No hay una conexión abierta con la base de datos \"%1\" para el reporte."_s.arg(m_database));

    // The main connection's server and engine, with the database the report names (an item put
    // first wins over the connection string's own). The main database itself keeps the program's
    // spelling of its name, which is how its file or catalogue is found.
    const bool mainDatabase = m_database.compare(main.gDBName, Qt::CaseInsensitive) == 0;
    const ConnectionString cs(mainDatabase ? main.gConnString
                                           : QString(u"Database="_s + m_database + u';' + main.gConnString));
    AdoError error;
    const std::unique_ptr<SqlEngine> engine = SqlEngine::forConnectionString(cs, &error);
    if (!engine)
        fail(u"No se puede abrir la base de datos \"%1\" del reporte: %2"_s.arg(m_database,
                                                                                error.description));
    m_connectionName = u"talonex_report_"_s + QString::number(++counter);
    m_db = QSqlDatabase::addDatabase(engine->driverName(), m_connectionName);
    if (!engine->configure(m_db, cs, &error))
        fail(u"No se puede abrir la base de datos \"%1\" del reporte: %2"_s.arg(m_database,
                                                                                error.description));
    const QString user = item(connectionText, u"UID");
    if (!user.isEmpty() && engine->driverName() != u"QSQLITE"_s) {
        m_db.setUserName(user);
        m_db.setPassword(item(connectionText, u"PWD"));
    }
    if (!m_db.open())
        fail(u"No se puede abrir la base de datos \"%1\" del reporte: %2"_s.arg(m_database,
                                                                                m_db.lastError().text()));
    engine->prepareOpened(m_db);
    if (!engine->useDatabase(m_db, m_database, &error))
        fail(u"No se puede abrir la base de datos \"%1\" del reporte: %2"_s.arg(m_database,
                                                                                error.description));
}

ReportDatabase::~ReportDatabase()
{
    if (m_connectionName.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

std::vector<ReportRow> ReportDatabase::select(const SelectionFormula& formula)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(formula.selectStatement()))
        fail(u"No se pueden leer los datos del reporte de %1: %2"_s.arg(ReportColumns::Table,
                                                                        query.lastError().text()));
    for (const QVariant& value : formula.values())
        query.addBindValue(value);
    if (!query.exec())
        fail(u"No se pueden leer los datos del reporte de %1: %2"_s.arg(ReportColumns::Table,
                                                                        query.lastError().text()));
    std::vector<ReportRow> rows;
    const int columns = static_cast<int>(ReportColumns::names().size());
    while (query.next()) {
        ReportRow row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.append(query.value(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

void ReportDatabase::fail(const QString& message) const
{
    throw RuntimeError(ReportErrors::BaseDeDatos, message, u"ClsReporte"_s);
}
