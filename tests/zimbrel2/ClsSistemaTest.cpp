#include "zimbrel2/ClsSistema.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Sets the given environment variables (a null value unsets one) and restores them all afterwards.
class ScopedEnvironment
{
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char*, QString>> values)
    {
        for (const auto& [name, value] : values) {
            m_saved.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value.toUtf8());
        }
    }
    ~ScopedEnvironment()
    {
        for (const Saved& saved : m_saved) {
            if (saved.wasSet)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
    }

private:
    struct Saved
    {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Saved> m_saved;
};

} // namespace

TEST(ClsSistema, UsuarioWindowsTakesTheFirstVariableSet)
{
    const QString unset;
    struct Case
    {
        QString user, logname, username, expected;
    };
    const Case cases[] = {
        {u"juan"_s, u"ana"_s, u"pedro"_s, u"juan"_s},
        {unset, u"ana"_s, u"pedro"_s, u"ana"_s},
        {u"  "_s, unset, u"pedro"_s, u"pedro"_s},
        // None set: the account's own name.
        {unset, unset, unset, QString::fromLocal8Bit(getpwuid(getuid())->pw_name)},
    };
    for (const Case& c : cases) {
        ScopedEnvironment env({{"USER", c.user}, {"LOGNAME", c.logname}, {"USERNAME", c.username}});
        EXPECT_EQ(ClsSistema::UsuarioWindows(), c.expected) << c.expected.toStdString();
    }
}

TEST(ClsSistema, CarpetaAuxiliarIsAWritableFolder)
{
    QTemporaryDir temp;
    QTemporaryDir tmp;
    const QString missing = temp.filePath(u"no-existe"_s);
    const QString systemTemp = QDir::tempPath() + u'/';
    const QString unset;
    struct Case
    {
        QString temp, tmp, expected;
    };
    const Case cases[] = {
        {temp.path(), tmp.path(), temp.path() + u'/'},
        {unset, tmp.path(), tmp.path() + u'/'},
        {missing, tmp.path(), tmp.path() + u'/'},
        {missing, unset, systemTemp},
        {unset, unset, systemTemp},
    };
    for (const Case& c : cases) {
        ScopedEnvironment env({{"TEMP", c.temp}, {"TMP", c.tmp}});
        const QString folder = ClsSistema::CarpetaAuxiliar();
        EXPECT_EQ(folder, c.expected);
        EXPECT_TRUE(QFileInfo(folder).isWritable()) << folder.toStdString();
    }
}

TEST(ClsSistema, NombrePCIsTheHostWithoutDomain)
{
    const QString name = ClsSistema::NombrePC();
    EXPECT_FALSE(name.isEmpty());
    EXPECT_FALSE(name.contains(u'.'));
    EXPECT_TRUE(QSysInfo::machineHostName().startsWith(name));
}
