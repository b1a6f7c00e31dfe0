#pragma once

// Header only: the binaries that include it link the data layer.

#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "support/DemoDbFixture.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedOperatorGuard.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RegionalSettings.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

/// A test of the program on a fresh demo database: the program folder, the temporary folder and the
/// INI folder inside the test's folder, Argentine regional settings, a fixed clock, a scripted
/// operator that fails the test on an unexpected box, and fresh program-wide objects.
class ProgramFixture : public DemoDbFixture
{
protected:
    void SetUp() override
    {
        DemoDbFixture::SetUp();
        if (HasFatalFailure())
            return;
        DataGlobals::reset();
        for (const char* sub : {"programa", "temp", "ini"})
            QDir(folder()).mkpath(QString::fromLatin1(sub));
        ProgramInfo::setProgramFolder(programFolder());
        ProgramInfo::setUserFolder(userFolder());
        ProgramInfo::setExecutableName(QStringLiteral("talonex"));
        RegionalSettings::setCurrent(RegionalSettings::argentina());
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
        m_savedTemp = qgetenv("TEMP");
        m_savedTmp = qgetenv("TMP");
        m_savedIni = qgetenv("TALONEX_INI_DIR");
        qputenv("TEMP", tempFolder().toUtf8());
        qputenv("TMP", tempFolder().toUtf8());
        qputenv("TALONEX_INI_DIR", iniFolder().toUtf8());
        m_operator = std::make_unique<ScriptedOperatorGuard>();
    }

    void TearDown() override
    {
        m_operator.reset();
        m_direct = QSqlDatabase();
        DataGlobals::reset();
        ProgramInfo::reset();
        RegionalSettings::reset();
        Clock::reset();
        restore("TEMP", m_savedTemp);
        restore("TMP", m_savedTmp);
        restore("TALONEX_INI_DIR", m_savedIni);
        DemoDbFixture::TearDown();
    }

    ScriptedOperator& op() { return m_operator->op(); }
    /// Fails the test now for an unexpected box or an unused answer, then starts a fresh record.
    void verifyOperator() { m_operator->verify(); }

    QString programFolder() const { return folder() + QStringLiteral("/programa/"); }
    QString tempFolder() const { return folder() + QStringLiteral("/temp/"); }
    QString iniFolder() const { return folder() + QStringLiteral("/ini/"); }
    /// The operator's own folder, where an installed program writes its files.
    QString userFolder() const { return folder() + QStringLiteral("/usuario/"); }
    /// The server text of the start-up parameters that names the test's folder.
    QString serverParameter() const { return QStringLiteral("file://") + folder(); }
    /// The connection string of the test's main database.
    QString connectionString(const QString& database = QStringLiteral("TALONEX_DEMO")) const
    {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=/") + folder() + QStringLiteral(";Database =") +
               database + QStringLiteral(";UId=TESSARO;Pwd=secreto;");
    }

    /// Opens gDB on the test's main database as `user`, as start-up would, without the dialog.
    DB_Dll& openMain(const QString& user = QStringLiteral("TESSARO"))
    {
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = QStringLiteral("/") + folder();
        db.gDBName = QStringLiteral("TALONEX_DEMO");
        db.gUsuario = user;
        db.gUserPassWord = QStringLiteral("secreto");
        db.OpenServerADODB(false, 3, QString(), true, true);
        EXPECT_TRUE(db.gOpenFlag);
        return db;
    }

    /// One value of a query on the test's main database, read beside the program's connection.
    QVariant scalar(const QString& sql)
    {
        if (!m_direct.isValid())
            m_direct = openMainDatabase();
        QSqlQuery query(m_direct);
        if (!query.exec(sql) || !query.next())
            return QVariant();
        return query.value(0);
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    std::unique_ptr<ScriptedOperatorGuard> m_operator;
    QSqlDatabase m_direct;
    QByteArray m_savedTemp;
    QByteArray m_savedTmp;
    QByteArray m_savedIni;
};
