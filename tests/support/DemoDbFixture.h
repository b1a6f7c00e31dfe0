#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

/// Base of the tests that need a database: each test gets a fresh copy of the normal demo (main
/// and statistics files) in a temporary folder of its own. The demo is built once per test binary
/// into a template folder; each test copies the two files, which takes milliseconds.
/// A subclass that overrides SetUp or TearDown calls these first (SetUp) or last (TearDown).
class DemoDbFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// The test's folder, holding TALONEX_DEMO.db and TS_ESTADISTICAS.db.
    QString folder() const;
    QString mainDatabasePath() const;
    QString statisticsDatabasePath() const;

    /// A connection to the test's main (statistics) database under a name of its own; closed and
    /// removed in TearDown. A copy kept in a member of the subclass is reset before that.
    QSqlDatabase openMainDatabase();
    QSqlDatabase openStatisticsDatabase();

private:
    QSqlDatabase openFile(const QString& file);

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_connections;
};
