#include "data/SqliteEngine.h"

#include "support/DemoDbFixture.h"
#include "support/DemoStatementCorpus.h"

#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Statements of the program's own forms, run on the demo database through the engine exactly as the
// data layer runs them: chosen and configured from the connection string, translated, executed.
class SqliteDemoCorpusTest : public DemoDbFixture
{
};

TEST_F(SqliteDemoCorpusTest, ProgramStatementsRunOnTheDemoDatabase)
{
    const ConnectionString cs(u"PROVIDER=SQLOLEDB;Server=/"_s + folder() +
                              u";Database =TALONEX_DEMO;UId=U;Pwd=P;"_s);
    AdoError error;
    const std::unique_ptr<SqlEngine> engine = SqlEngine::forConnectionString(cs, &error);
    ASSERT_TRUE(engine);
    ASSERT_EQ(engine->name(), u"SQLite"_s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(engine->driverName(), u"demo_corpus"_s);
        ASSERT_TRUE(engine->configure(db, cs, &error)) << error.description.toStdString();
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        engine->prepareOpened(db);
        ASSERT_TRUE(engine->useDatabase(db, u"TALONEX_DEMO"_s, &error));
        EXPECT_TRUE(engine->tables(db).contains(u"v_chequesentregados"_s));

        const QStringList corpus = demoStatementCorpus();
        QSqlQuery query(db);
        for (const QString& tsql : corpus) {
            const QStringList statements = engine->translate(tsql);
            EXPECT_FALSE(statements.isEmpty()) << tsql.toStdString();
            for (const QString& statement : statements) {
                EXPECT_TRUE(query.exec(statement))
                    << tsql.toStdString() << "\n as " << statement.toStdString()
                    << "\n: " << engine->mapError(query.lastError()).description.toStdString();
                while (query.next()) {
                }
            }
        }
        EXPECT_TRUE(engine->columns(db, QString(), u"MV_ASIENTOS"_s).contains(u"Serie"_s));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"demo_corpus"_s);
}

} // namespace
