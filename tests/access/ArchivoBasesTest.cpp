// The registered connections file and the desktop launcher, on files in a folder of the test's own.
#include "access/ArchivoBases.h"
#include "access/AccesoDirecto.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class BasesFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(u"programa"_s);
        ProgramInfo::setProgramFolder(program());
        m_savedData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", (m_dir.path() + u"/datos"_s).toUtf8());
    }
    void TearDown() override
    {
        ProgramInfo::reset();
        if (m_savedData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_savedData);
    }
    QString program() const { return m_dir.path() + u"/programa/"_s; }

    QTemporaryDir m_dir;
    QByteArray m_savedData;
};

TEST(BasesLine, TheRegisteredLineIsWrittenAsTheSuiteWritesItAndReadsBack)
{
    const ConexionRegistrada conexion{ArchivoBases::NombreConexion(u"srv01:1433"_s, u"Empresa1"_s),
                                      u"Empresa1"_s, u"Empresa1"_s, u"Empresa1"_s, u"srv01:1433"_s};
    EXPECT_EQ(conexion.nombre, u"SRV01 / EMPRESA1"_s);
    const QByteArray expected = "SRV01 / EMPRESA1,Empresa1,Empresa1," +
                                ClsUtiles::Codifica(u"Empresa1"_s).toLatin1() + ",srv01:1433\r\n";
    EXPECT_EQ(ArchivoBases::Linea(conexion), expected);

    const std::optional<ConexionRegistrada> back = ArchivoBases::LeeLinea(expected.chopped(2));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->nombre, u"SRV01 / EMPRESA1"_s);
    EXPECT_EQ(back->dbName, u"Empresa1"_s);
    EXPECT_EQ(back->usuario, u"Empresa1"_s);
    EXPECT_EQ(back->password, u"Empresa1"_s);
    EXPECT_EQ(back->servidor, u"srv01:1433"_s);

    // Names in the workstation's code page, byte for byte; a field with a comma reads back whole.
    const ConexionRegistrada folder{u"/SRV/BASES, AÑO 2026 / CAÑADA"_s, u"Cañada"_s, u"Cañada"_s, u"Cañada"_s,
                                    u"/srv/bases, año 2026"_s};
    const QByteArray line = ArchivoBases::Linea(folder);
    EXPECT_TRUE(line.startsWith("\"/SRV/BASES, A\xD1O 2026 / CA\xD1"
                                "ADA\",Ca\xF1"
                                "ada,"));
    const std::optional<ConexionRegistrada> folderBack = ArchivoBases::LeeLinea(line.chopped(2));
    ASSERT_TRUE(folderBack);
    EXPECT_EQ(folderBack->nombre, folder.nombre);
    EXPECT_EQ(folderBack->servidor, folder.servidor);
    EXPECT_EQ(folderBack->password, u"Cañada"_s);
}

TEST(BasesLine, LinesThatAreNoConnectionAreSkipped)
{
    struct Case
    {
        QByteArray line;
        std::optional<QString> name;
        QString server;
    };
    const Case cases[] = {
        {"A / B,B,B,X,a", u"A / B"_s, u"a"_s},
        {"  A / B , B , B , X , a  ", u"A / B"_s, u"a"_s},
        {"\"A / B\",\"B\",B,X,\"srv:1433\"", u"A / B"_s, u"srv:1433"_s},
        {"\"A, B\" ,B,B,X,a", u"A, B"_s, u"a"_s},
        {"A / B,B,B,X,a,extra", u"A / B"_s, u"a"_s},
        {"A / B,B,B,X", std::nullopt, {}},
        {"A / B", std::nullopt, {}},
        {"", std::nullopt, {}},
        {" ,B,B,X,a", std::nullopt, {}},
        {"\"\",B,B,X,a", std::nullopt, {}},
        {"\"A / B,B,B,X,a", std::nullopt, {}},
        {"\"A\" / B,B,B,X,a", std::nullopt, {}},
        {"A / B,B,B,X,\"a", std::nullopt, {}},
        {",,,,", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const std::optional<ConexionRegistrada> read = ArchivoBases::LeeLinea(c.line);
        ASSERT_EQ(read.has_value(), c.name.has_value()) << c.line.constData();
        if (read) {
            EXPECT_EQ(read->nombre, *c.name) << c.line.constData();
            EXPECT_EQ(read->servidor, c.server) << c.line.constData();
        }
    }
}

TEST(BasesLine, TheConnectionNameDropsThePortAndIgnoresLetterCase)
{
    const std::pair<std::pair<QString, QString>, QString> cases[] = {
        {{u"srv01:1433"_s, u"Empresa1"_s}, u"SRV01 / EMPRESA1"_s},
        {{u" SRV01\\SQL2008 "_s, u" empresa1 "_s}, u"SRV01\\SQL2008 / EMPRESA1"_s},
        {{u"Srv01:1433:x"_s, u"EMPRESA1"_s}, u"SRV01 / EMPRESA1"_s},
        {{u"/var/lib/talonex"_s, u"TALONEX_DEMO"_s}, u"/VAR/LIB/TALONEX / TALONEX_DEMO"_s},
    };
    for (const auto& [given, name] : cases)
        EXPECT_EQ(ArchivoBases::NombreConexion(given.first, given.second), name) << name.toStdString();
}

TEST_F(BasesFile, AppendingOnlyGrowsTheFileAndCompletesAHandWrittenLastLine)
{
    const QString path = program() + u"BASES.TXT"_s;
    EXPECT_EQ(ArchivoBases::RutaLectura(), path);
    EXPECT_TRUE(ArchivoBases::Lineas(path).isEmpty());

    const ConexionRegistrada a{u"A / X"_s, u"x"_s, u"x"_s, u"x"_s, u"a"_s};
    ArchivoBases::Agrega(a);
    EXPECT_EQ(ReadAll(path), ArchivoBases::Linea(a));

    Write(path, ReadAll(path) + "B / Y,y,y,y,b"); // a line typed by hand, without its line end
    const ConexionRegistrada c{u"C / Z"_s, u"z"_s, u"z"_s, u"z"_s, u"c"_s};
    ArchivoBases::Agrega(c);
    EXPECT_EQ(ReadAll(path), ArchivoBases::Linea(a) + "B / Y,y,y,y,b\r\n" + ArchivoBases::Linea(c));

    const QList<QByteArray> lines = ArchivoBases::Lineas(path);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "B / Y,y,y,y,b");
}

TEST_F(BasesFile, AProgramFolderThatCannotBeWrittenKeepsAPerUserCopy)
{
    // A program folder that is not there stands for one without write access.
    ProgramInfo::setProgramFolder(m_dir.path() + u"/instalado/"_s);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/BASES.TXT"_s;
    ASSERT_TRUE(user.startsWith(m_dir.path())) << user.toStdString();
    // Nothing registered yet: the file is looked for where it will be written.
    EXPECT_EQ(ArchivoBases::RutaLectura(), user);
    EXPECT_TRUE(ArchivoBases::Lineas(ArchivoBases::RutaLectura()).isEmpty());

    const ConexionRegistrada a{u"A / X"_s, u"x"_s, u"x"_s, u"x"_s, u"a"_s};
    ArchivoBases::Agrega(a);
    EXPECT_EQ(ArchivoBases::RutaLectura(), user);
    EXPECT_EQ(ReadAll(user), ArchivoBases::Linea(a));
}

TEST_F(BasesFile, AFileThatCannotBeReadIsAFailure)
{
    const QString path = program() + u"BASES.TXT"_s;
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    try {
        ArchivoBases::Lineas(path);
        ADD_FAILURE() << "read a folder as the file";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 75);
    }
    try {
        ArchivoBases::Agrega(ConexionRegistrada{u"A / X"_s, u"x"_s, u"x"_s, u"x"_s, u"a"_s});
        ADD_FAILURE() << "appended to a folder";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 75);
    }
}

TEST(Launcher, TheEntryPassesTheFormatCheckForAnyProgramPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case
    {
        QString program;
        QString exec;
    };
    const Case cases[] = {
        {u"/usr/bin/talonex"_s, u"/usr/bin/talonex"_s},
        {u"/opt/mis programas/talonex"_s, u"\"/opt/mis programas/talonex\""_s},
        {u"/opt/$HOME/100%/talonex"_s, u"\"/opt/\\\\$HOME/100%%/talonex\""_s},
        {u"/opt/a\\b/talonex"_s, u"\"/opt/a\\\\\\\\b/talonex\""_s},
        {u"/opt/\"cheques\"/talonex"_s, u"\"/opt/\\\\\"cheques\\\\\"/talonex\""_s},
    };
    int n = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(AccesoDirecto::ArgumentoExec(c.program), c.exec) << c.program.toStdString();
        const QString text = AccesoDirecto::Contenido(c.program, u"/opt/mis iconos/talonex.png"_s);
        EXPECT_TRUE(text.contains(u"\nName=Zidur Iduvid\n"_s));
        EXPECT_TRUE(text.contains(u"\nExec="_s + c.exec + u'\n')) << text.toStdString();
        EXPECT_TRUE(text.contains(u"\nIcon=/opt/mis iconos/talonex.png\n"_s));
        const QString path = dir.filePath(QString::number(++n) + u".desktop"_s);
        Write(path, text.toUtf8());
        QProcess validate;
        validate.start(u"desktop-file-validate"_s, {path});
        ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate (desktop-file-utils) missing";
        EXPECT_EQ(validate.exitCode(), 0)
            << c.program.toStdString() << ": " << validate.readAllStandardOutput().toStdString();
        EXPECT_TRUE(validate.readAllStandardOutput().trimmed().isEmpty()) << c.program.toStdString();
    }
}

} // namespace
