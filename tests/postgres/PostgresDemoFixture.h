#pragma once

// The demo on a throwaway PostgreSQL server, shared by the tests of one program: the server starts
// on first use and the demo is written onto it by the talonex-demo tool itself.
#include "data/AdoConnection.h"
#include "data/AdoRecordset.h"
#include "demo/DemoDatabase.h"
#include "support/PostgresServer.h"
#include "zimbrel2/RuntimeError.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class PostgresDemoTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = sharedPostgresServer(&s_why);
        if (!s_server || s_demoReady)
            return;
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral(TALONEX_DEMO_TOOL), {u"--postgres"_s, s_server->serverUrl()});
        if (!tool.waitForFinished(120000) || tool.exitCode() != 0) {
            s_why = u"talonex-demo --postgres failed: "_s + QString::fromLocal8Bit(tool.readAll());
            s_server = nullptr;
            return;
        }
        s_demoReady = true;
    }

    void SetUp() override
    {
        if (!s_server) {
            if (PostgresServer::binaryFolder().isEmpty())
                GTEST_SKIP() << qPrintable(s_why);
            FAIL() << qPrintable(s_why);
        }
    }

    /// The start-up parameter string of `user` on the server's demo.
    static QString parameters(const QString& user = DemoDb::AdminUser)
    {
        return u"@Server="_s + s_server->serverUrl() + u"; @DbName="_s + DemoDb::MainDatabaseName +
               u"; @Usuario="_s + user + u"; @Password="_s + DemoDb::DefaultPassword +
               u"; @UsuarioLogeado="_s + user + u"; @Caja=1;"_s;
    }

    static QString connectionString(const QString& user = DemoDb::AdminUser)
    {
        return u"PROVIDER=SQLOLEDB;Server="_s + s_server->serverUrl() + u";Database ="_s +
               DemoDb::MainDatabaseName + u";UId="_s + user + u";Pwd="_s + DemoDb::DefaultPassword + u";"_s;
    }

    // The first column of the first row `statement` gives.
    static QVariant scalar(AdoConnection& connection, const QString& statement)
    {
        AdoRecordsetPtr rows = connection.execute(statement);
        if (!rows || rows->eof())
            return {};
        return rows->value(0);
    }

    // The native error number executing `statement` fails with; 0 when it does not fail.
    static long nativeErrorOf(AdoConnection& connection, const QString& statement)
    {
        try {
            connection.execute(statement);
        } catch (const RuntimeError&) {
            return connection.errors().isEmpty() ? -1 : connection.errors().front().nativeError;
        }
        return 0;
    }

    static inline PostgresServer* s_server = nullptr;
    static inline QString s_why;
    static inline bool s_demoReady = false;
};
