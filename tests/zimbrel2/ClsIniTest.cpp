#include "zimbrel2/ClsIni.h"
#include "support/QStringPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets or clears an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QString& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// Changes the current folder for one test.
class ScopedCurrentDir
{
public:
    explicit ScopedCurrentDir(const QString& path) : m_old(QDir::currentPath()) { QDir::setCurrent(path); }
    ~ScopedCurrentDir() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

const QByteArray SuiteIni = "; archivo de la estacion\r\n"
                            "huerfana=antes de toda seccion\r\n"
                            "[PC01|JUAN]\r\n"
                            "FlatToolbars=0\r\n"
                            "Linea rota sin igual\r\n"
                            "=sin clave\r\n"
                            "\r\n"
                            "[pc01|juanBaseDeDatos]\r\n"
                            "  Servidor = SRV01  \r\n"
                            "DbName=EMPRESA\r\n"
                            "Vacio=\r\n"
                            "Comillas=\"  con blancos  \"\r\n"
                            "Igualdad=a=b\r\n"
                            "Servidor=SEGUNDO\r\n"
                            "[Roto\r\n"
                            "[PC01|JUAN]\r\n"
                            "FlatToolbars=9\r\n"
                            "Otra=seccion repetida\r\n"
                            "[ UltimaSeccion ]\r\n"
                            "Clave=valor;no es comentario\r\n"
                            ";Clave=comentada\r\n";

class ClsIniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(u"suite.ini"_s);
        writeFile(m_file, SuiteIni);
    }

    QTemporaryDir m_dir;
    QString m_file;
};

} // namespace

TEST_F(ClsIniTest, ReadsTheSuiteRules)
{
    struct Case
    {
        const char16_t* section;
        const char16_t* key;
        const char16_t* expected; // with default "DEF"
    };
    const Case cases[] = {
        {u"PC01|JUAN", u"FlatToolbars", u"0"},
        {u"pc01|juan", u"FLATTOOLBARS", u"0"},
        {u"PC01|JUANBaseDeDatos", u"servidor", u"SRV01"}, // the first of two, trimmed
        {u"PC01|JUANBASEDEDATOS", u"DbName", u"EMPRESA"},
        {u"PC01|JUANBaseDeDatos", u"Vacio", u""}, // present and empty is not missing
        {u"PC01|JUANBaseDeDatos", u"Comillas", u"  con blancos  "},
        {u"PC01|JUANBaseDeDatos", u"Igualdad", u"a=b"},
        {u"PC01|JUANBaseDeDatos", u"Falta", u"DEF"},
        {u"PC01|JUAN", u"Linea rota sin igual", u"DEF"},
        {u"PC01|JUAN", u"", u"DEF"},
        {u"PC01|JUAN", u"Otra", u"DEF"}, // only the first section of a name counts
        {u"PC01", u"FlatToolbars", u"DEF"},
        {u"JUAN", u"FlatToolbars", u"DEF"},
        {u"UltimaSeccion", u"Clave", u"valor;no es comentario"},
        {u"", u"huerfana", u"DEF"},
        {u"Inexistente", u"Clave", u"DEF"},
    };
    for (const Case& c : cases) {
        const QString section = QString::fromUtf16(c.section);
        const QString key = QString::fromUtf16(c.key);
        EXPECT_EQ(ClsIni::LeeIni(m_file, section, key, u"DEF"_s), QString::fromUtf16(c.expected))
            << "[" << section.toStdString() << "] " << key.toStdString();
    }
}

TEST_F(ClsIniTest, UnreadableFilesGiveTheDefault)
{
    EXPECT_EQ(ClsIni::LeeIni(m_dir.filePath(u"falta.ini"_s), u"A"_s, u"B"_s, u"DEF"_s), u"DEF"_s);
    EXPECT_EQ(ClsIni::LeeIni(m_dir.path() + u"/"_s, u"A"_s, u"B"_s, u"DEF"_s), u"DEF"_s);
    EXPECT_EQ(ClsIni::LeeIni(u""_s, u"A"_s, u"B"_s, u"DEF"_s), u"DEF"_s);

    const QString empty = m_dir.filePath(u"vacio.ini"_s);
    writeFile(empty, QByteArray());
    EXPECT_EQ(ClsIni::LeeIni(empty, u"A"_s, u"B"_s, u"DEF"_s), u"DEF"_s);

    const QString garbage = m_dir.filePath(u"basura.ini"_s);
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 37) % 256));
    writeFile(garbage, bytes);
    EXPECT_EQ(ClsIni::LeeIni(garbage, u"A"_s, u"B"_s, u"DEF"_s), u"DEF"_s);
}

TEST_F(ClsIniTest, ReadsAnsiAndUtf8Files)
{
    const QString ansi = m_dir.filePath(u"ansi.ini"_s);
    writeFile(ansi, QByteArray("[Usuarios]\nNombre=Pe\xf1"
                               "a\n"));
    EXPECT_EQ(ClsIni::LeeIni(ansi, u"usuarios"_s, u"nombre"_s), u"Peña"_s);

    const QString utf8 = m_dir.filePath(u"utf8.ini"_s);
    writeFile(utf8, QByteArray("\xef\xbb\xbf[Usuarios]\nNombre=Peña\n"));
    EXPECT_EQ(ClsIni::LeeIni(utf8, u"Usuarios"_s, u"Nombre"_s), u"Peña"_s);
}

TEST_F(ClsIniTest, BareNameSearchOrder)
{
    // A name no other test or installation uses, so the program folder holds it only when we put it.
    const QString name = u"Talonex-Prueba-Orden.ini"_s;
    QTemporaryDir fromEnv;
    QTemporaryDir current;
    writeFile(QDir(fromEnv.path()).filePath(name), "[S]\nK=entorno\n");
    writeFile(QDir(current.path()).filePath(name), "[S]\nK=actual\n");
    ScopedCurrentDir inCurrent(current.path());

    {
        ScopedEnv env("TALONEX_INI_DIR", fromEnv.path());
        EXPECT_EQ(ClsIni::LeeIni(name, u"S"_s, u"K"_s), u"entorno"_s);
    }
    ScopedEnv noEnv("TALONEX_INI_DIR", QString());
    EXPECT_EQ(ClsIni::LeeIni(name, u"S"_s, u"K"_s), u"actual"_s);

    const QString inProgramFolder = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    writeFile(inProgramFolder, "[S]\nK=programa\n");
    EXPECT_EQ(ClsIni::LeeIni(name, u"S"_s, u"K"_s), u"programa"_s);
    QFile::remove(inProgramFolder);

    // Found in any letter case, as the suite spells one file two ways.
    EXPECT_EQ(ClsIni::LeeIni(name.toUpper(), u"S"_s, u"K"_s), u"actual"_s);
    EXPECT_EQ(ClsIni::UbicaArchivo(u"no-existe.ini"_s), QString());
}

TEST_F(ClsIniTest, EscribeIniKeepsEveryOtherLine)
{
    ASSERT_TRUE(ClsIni::EscribeIni(m_file, u"pc01|JUAN"_s, u"flattoolbars"_s, u"1"_s));
    ASSERT_TRUE(ClsIni::EscribeIni(m_file, u"PC01|JUAN"_s, u"Nueva"_s, u"clave\r\nnueva"_s));
    ASSERT_TRUE(ClsIni::EscribeIni(m_file, u"PC02|ANA"_s, u"FlatToolbars"_s, u"2"_s));

    EXPECT_EQ(ClsIni::LeeIni(m_file, u"PC01|JUAN"_s, u"FlatToolbars"_s), u"1"_s);
    EXPECT_EQ(ClsIni::LeeIni(m_file, u"PC01|JUAN"_s, u"Nueva"_s), u"clave  nueva"_s);
    EXPECT_EQ(ClsIni::LeeIni(m_file, u"PC02|ANA"_s, u"FlatToolbars"_s), u"2"_s);
    EXPECT_EQ(ClsIni::LeeIni(m_file, u"PC01|JUANBaseDeDatos"_s, u"Servidor"_s), u"SRV01"_s);

    QByteArray expected = SuiteIni;
    expected.replace("FlatToolbars=0\r\n", "flattoolbars=1\r\n");
    expected.replace("=sin clave\r\n", "=sin clave\r\nNueva=clave  nueva\r\n");
    expected.append("\r\n[PC02|ANA]\r\nFlatToolbars=2\r\n");
    EXPECT_EQ(readFile(m_file), expected);
}

TEST_F(ClsIniTest, EscribeIniCreatesAMissingFile)
{
    const QString name = u"nuevo.ini"_s;
    ScopedEnv env("TALONEX_INI_DIR", m_dir.path());
    ASSERT_TRUE(ClsIni::EscribeIni(name, u"A|B"_s, u"Clave"_s, u"Valor"_s));
    EXPECT_EQ(readFile(m_dir.filePath(name)), QByteArray("[A|B]\r\nClave=Valor\r\n"));
    EXPECT_EQ(ClsIni::LeeIni(name, u"a|b"_s, u"clave"_s), u"Valor"_s);
    EXPECT_FALSE(ClsIni::EscribeIni(m_dir.filePath(u"sin/carpeta.ini"_s), u"A"_s, u"B"_s, u"C"_s));
}
