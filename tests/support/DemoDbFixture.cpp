#include "support/DemoDbFixture.h"

#include "data/SqliteFunctions.h"
#include "demo/DemoDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlError>

using namespace Qt::StringLiterals;

namespace {

struct Template
{
    QTemporaryDir folder{QDir::tempPath() + u"/talonex-demo-template-XXXXXX"_s};
    QString error;
    bool ok = false;
};

/// The normal demo, built on first use and removed when the test binary ends.
const Template& demoTemplate()
{
    static Template built;
    static const bool done = [] {
        if (!built.folder.isValid())
            built.error = u"Cannot create a temporary folder: "_s + built.folder.errorString();
        else
            built.ok = createDemoDatabase(built.folder.path(), DemoScale(), &built.error);
        return true;
    }();
    Q_UNUSED(done);
    return built;
}

} // namespace

void DemoDbFixture::SetUp()
{
    const Template& source = demoTemplate();
    ASSERT_TRUE(source.ok) << "Demo database: " << source.error.toStdString();
    m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/talonex-test-XXXXXX"_s);
    ASSERT_TRUE(m_folder->isValid()) << m_folder->errorString().toStdString();
    for (const QString& name : {DemoDb::MainDatabaseName, DemoDb::StatisticsDatabaseName}) {
        const QString from = DemoDb::databaseFilePath(source.folder.path(), name);
        const QString to = DemoDb::databaseFilePath(m_folder->path(), name);
        ASSERT_TRUE(QFile::copy(from, to)) << "Cannot copy " << from.toStdString();
    }
}

void DemoDbFixture::TearDown()
{
    for (const QString& name : std::as_const(m_connections)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    m_connections.clear();
    m_folder.reset();
}

QString DemoDbFixture::folder() const
{
    return m_folder ? m_folder->path() : QString();
}

QString DemoDbFixture::mainDatabasePath() const
{
    return DemoDb::databaseFilePath(folder(), DemoDb::MainDatabaseName);
}

QString DemoDbFixture::statisticsDatabasePath() const
{
    return DemoDb::databaseFilePath(folder(), DemoDb::StatisticsDatabaseName);
}

QSqlDatabase DemoDbFixture::openMainDatabase()
{
    return openFile(mainDatabasePath());
}

QSqlDatabase DemoDbFixture::openStatisticsDatabase()
{
    return openFile(statisticsDatabasePath());
}

QSqlDatabase DemoDbFixture::openFile(const QString& file)
{
    static int counter = 0;
    const QString name = u"demo_fixture_"_s + QString::number(++counter);
    m_connections.append(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
    db.setDatabaseName(file);
    EXPECT_TRUE(db.open()) << "Cannot open " << file.toStdString() << ": "
                           << db.lastError().text().toStdString();
    // The text columns are declared with the engine's collation.
    EXPECT_TRUE(SqliteFunctions::registerOn(db));
    return db;
}
