// Where the program reads and writes the files of its folder: a portable copy keeps them beside the
// program; an installed program, whose folder it cannot write, keeps them in the operator's folder
// and reads them there first.
#include "zimbrel2/ProgramInfo.h"

#include "support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void write(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class ProgramFolderFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramInfo::setUserFolder(userFolder());
    }
    void TearDown() override { ProgramInfo::reset(); }

    QString programFolder() const { return m_dir.path() + u"/programa/"_s; }
    QString userFolder() const { return m_dir.path() + u"/usuario/talonex/"_s; }

    QTemporaryDir m_dir;
};

TEST_F(ProgramFolderFiles, APortableCopyReadsAndWritesBesideTheProgramOnly)
{
    ASSERT_TRUE(QDir().mkpath(programFolder()));
    ProgramInfo::setProgramFolder(programFolder());
    EXPECT_TRUE(ProgramInfo::programFolderWritable());
    // An operator's copy left by an installed program changes nothing here.
    write(userFolder() + u"CONSULTASLEN.TSO"_s, "ajeno");
    for (const QString& name :
         {u"consultas.tso"_s, u"CONSULTASLEN.TSO"_s, u"TSERR.LOG"_s, u"Styles/Vista.qss"_s}) {
        EXPECT_EQ(ProgramInfo::writablePath(name), programFolder() + name);
        EXPECT_EQ(ProgramInfo::readablePath(name), programFolder() + name);
    }
}

TEST_F(ProgramFolderFiles, AFolderTheProgramCannotWriteSendsTheWrittenFilesToTheOperatorsFolder)
{
    struct Case
    {
        const char* what;
        QString folder;
        QString shipped; // a file the folder holds
    };
    // Root may write anywhere; the system's tree is still left alone, and a folder that is not
    // there takes nothing.
    const std::vector<Case> cases{
        {"a folder that is not there", m_dir.path() + u"/no-existe/"_s, QString()},
        {"the system's tree", u"/usr/share/common-licenses/"_s, u"GPL-3"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(userFolder()).removeRecursively();
        ProgramInfo::setProgramFolder(c.folder);
        EXPECT_FALSE(ProgramInfo::programFolderWritable());

        // Nothing yet: the operator's folder is where the file is read, and written once created.
        EXPECT_EQ(ProgramInfo::readablePath(u"consultas.tso"_s), userFolder() + u"consultas.tso"_s);
        EXPECT_FALSE(QFileInfo::exists(userFolder()));
        EXPECT_EQ(ProgramInfo::writablePath(u"consultas.tso"_s), userFolder() + u"consultas.tso"_s);
        EXPECT_TRUE(QFileInfo(userFolder()).isDir());
        EXPECT_EQ(ProgramInfo::writablePath(u"sub/anchos.tso"_s), userFolder() + u"sub/anchos.tso"_s);
        EXPECT_TRUE(QFileInfo(userFolder() + u"sub"_s).isDir());

        if (c.shipped.isEmpty())
            continue;
        // A file shipped in the program folder is read there until the operator has a copy.
        EXPECT_EQ(ProgramInfo::readablePath(c.shipped), c.folder + c.shipped);
        write(userFolder() + c.shipped, "propio");
        EXPECT_EQ(ProgramInfo::readablePath(c.shipped), userFolder() + c.shipped);
        EXPECT_EQ(ProgramInfo::writablePath(c.shipped), userFolder() + c.shipped);
    }
}

} // namespace
