// The launcher of the suite's other programs: the command and the parameter string it starts them
// with, and what the operator is told when nothing starts.
#include "app/MenuExes.h"
#include "app/AppState.h"
#include "support/ProgramFixture.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Launcher : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
        DB_Dll& db = DataGlobals::gDB();
        db.gServidor = u"ORCL"_s;
        db.gDBName = u"EMPRESA"_s;
        db.gUsuario = u"JUAN"_s;
        db.gUserPassWord = u"cl;ave"_s;
        appState().gUsuarioLogeado = u"JUAN"_s;
        appState().gCaja = u"2"_s;
        m_previous = setArrancaProceso([this](const QString& program, const QString& parameters) {
            m_program = program;
            m_parameters = parameters;
            ++m_starts;
            return m_pid;
        });
    }
    void TearDown() override
    {
        setArrancaProceso(m_previous);
        resetAppState();
        ProgramFixture::TearDown();
    }

    ArrancaProceso m_previous;
    QString m_program;
    QString m_parameters;
    int m_starts = 0;
    qint64 m_pid = 777;
};

TEST_F(Launcher, StartsTheProgramWithTheParameterStringAsOneArgument)
{
    struct Case
    {
        QString designation;
        QString program;
    };
    const Case cases[] = {
        {u"shell:Cons_MV_Asientos"_s, u"Cons_MV_Asientos"_s},
        {u"SHELL:V_TA_TABLAS"_s, u"V_TA_TABLAS"_s},
        {u"Otro"_s, u"Otro"_s},
    };
    for (const Case& c : cases) {
        QString parameter = u"ABC DEF"_s;
        qint32 pid = 0;
        MenuExes(c.designation, parameter, pid);
        EXPECT_EQ(m_program, programFolder() + c.program);
        EXPECT_EQ(parameter, u"DEF"_s);
        EXPECT_EQ(pid, 777);
    }
    EXPECT_EQ(m_parameters,
              u" ; @server=ORCL; @dbname=EMPRESA; @usuario=JUAN; @Password=cl;ave; @ParametroAdicional=DEF; "
              u"zimb@ ; @UsuarioLogeado = JUAN; @Caja=2;"_s);
    QString unchanged = u"ABC"_s;
    qint32 pid = 0;
    MenuExes(u"shell:/opt/suite/Otro"_s, unchanged, pid);
    EXPECT_EQ(m_program, u"/opt/suite/Otro"_s);
    EXPECT_EQ(unchanged, u"ABC"_s);
    MenuExes(u"shell:C:\\Sistema\\Otro.exe"_s, unchanged, pid);
    EXPECT_EQ(m_program, u"C:\\Sistema\\Otro.exe"_s);
    EXPECT_TRUE(op().shown().isEmpty());
}

TEST_F(Launcher, AProgramThatDoesNotStartIsReportedAndThenNotImplemented)
{
    m_pid = 0;
    QString parameter;
    qint32 pid = 5;
    // Retry starts again; ignore goes on to the message.
    const QString missing = u"No se pudo iniciar el programa "_s + programFolder() + u"NoExiste"_s;
    op().answerMessage(MsgAnswer::Retry, missing);
    op().answerMessage(MsgAnswer::Ignore, missing);
    op().answerMessage(MsgAnswer::Ok, u"Opcion no Implementada!\rComuniquese con su proveedor de sistemas"_s);
    MenuExes(u"shell:NoExiste"_s, parameter, pid);
    EXPECT_EQ(pid, 0);
    EXPECT_EQ(m_starts, 2);
    ASSERT_EQ(op().shown().size(), 3);
    EXPECT_TRUE(op().shown()[0].title.contains(u"MenuExes"_s));
    EXPECT_EQ(op().shown()[2].title, u"Atención"_s);
    EXPECT_EQ(op().shown()[2].icon, MessageBoxStyle::Icon::Critical);
    // Any other answer leaves without the message.
    op().answerMessage(MsgAnswer::Abort, missing);
    MenuExes(u"shell:NoExiste"_s, parameter, pid);
    EXPECT_EQ(op().shown().size(), 4);
}

TEST_F(Launcher, TheRealStartRunsTheProgramWithoutAShell)
{
    setArrancaProceso({});
    QString parameter = u"x"_s;
    qint32 pid = 0;
    // /bin/true exists on every Debian system; the parameter string (with its ";") is one argument.
    MenuExes(u"shell:/bin/true"_s, parameter, pid);
    EXPECT_NE(pid, 0);
    EXPECT_TRUE(op().shown().isEmpty());

    // A program that is not there: the box names it, with the runtime's number for a missing file.
    op().answerMessage(MsgAnswer::Abort,
                       u"No se pudo iniciar el programa "_s + programFolder() + u"Cons_MV_Asientos"_s);
    MenuExes(u"shell:Cons_MV_Asientos"_s, parameter, pid);
    EXPECT_EQ(pid, 0);
    ASSERT_EQ(op().shown().size(), 1);
    EXPECT_TRUE(op().shown()[0].text.contains(u"(53)"_s)) << op().shown()[0].text.toStdString();
}

} // namespace
