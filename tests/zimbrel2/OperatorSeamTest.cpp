#include "support/QStringPrinter.h"
#include "support/ScriptedOperatorGuard.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ClsDialogo.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/ScriptedOperator.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Icon = MessageBoxStyle::Icon;
using Kind = ScriptedOperator::Kind;

TEST(MessageBoxStyle, DecodesTheStyleWord)
{
    using namespace MsgAnswer;
    struct Case
    {
        int style;
        QList<int> buttons;
        Icon icon;
        int defaultAnswer;
        int escapeAnswer;
    };
    const Case cases[] = {
        {0, {Ok}, Icon::None, Ok, Ok},
        {18, {Abort, Retry, Ignore}, Icon::Critical, Abort, Abort},
        {1 | 48, {Ok, Cancel}, Icon::Exclamation, Ok, Cancel},
        {3 | 32, {Yes, No, Cancel}, Icon::Question, Yes, Cancel},
        {4 | 32 | 256, {Yes, No}, Icon::Question, No, No},
        {5 | 64, {Retry, Cancel}, Icon::Information, Retry, Cancel},
        {2 | 512, {Abort, Retry, Ignore}, Icon::None, Ignore, Abort},
        {256, {Ok}, Icon::None, Ok, Ok},           // no second button: the first is the default
        {4 | 512, {Yes, No}, Icon::None, Yes, No}, // no third button either
        {7, {Ok}, Icon::None, Ok, Ok},             // unknown button sets read as OK
        {4096 | 16, {Ok}, Icon::Critical, Ok, Ok}, // the modality bit changes nothing here
    };
    for (const Case& c : cases) {
        const MessageBoxStyle decoded = MessageBoxStyle::decode(c.style);
        EXPECT_EQ(decoded.buttons, c.buttons) << c.style;
        EXPECT_EQ(decoded.icon, c.icon) << c.style;
        EXPECT_EQ(decoded.defaultAnswer(), c.defaultAnswer) << c.style;
        EXPECT_EQ(decoded.escapeAnswer(), c.escapeAnswer) << c.style;
    }
}

TEST(OperatorDialogs, SuiteFiltersBecomeQtNameFilters)
{
    const std::pair<QString, QStringList> cases[] = {
        {u"Crystal Report (*.rpt)|*.rpt"_s, {u"Crystal Report (*.rpt)"_s}},
        {u"Base de Datos de Microsoft Access |*.MDB"_s, {u"Base de Datos de Microsoft Access (*.MDB)"_s}},
        {u"Reportes|*.rpt;*.txt|Todos|*.*"_s, {u"Reportes (*.rpt *.txt)"_s, u"Todos (*.*)"_s}},
        {u"*.rpt"_s, {u"*.rpt"_s}},
        {u"Sin patron|"_s, {}},
        {u""_s, {}},
    };
    for (const auto& [suite, qt] : cases)
        EXPECT_EQ(OperatorDialogs::nameFilters(suite), qt) << suite.toStdString();
}

TEST(ScriptedOperator, AnswersInOrderAndRecordsEveryBox)
{
    ScriptedOperator op;
    op.answerMessage(MsgAnswer::Yes, u"Desea continuar"_s);
    op.answerInput(u"secreto"_s, u"password"_s);
    op.answerOpenFile(u"/rpt/cheques.rpt"_s);
    op.answerPrinter(u"HP LaserJet"_s, u"Epson"_s);
    op.answerDate(QDate(2024, 3, 15));
    op.answerFolder(u"/var/lib/bases"_s, u"Carpeta"_s);

    EXPECT_EQ(op.messageBox(u"Desea continuar de todas maneras?"_s, 4 | 32 | 256, u""_s), MsgAnswer::Yes);
    EXPECT_EQ(op.inputBox(u"ingrese el password:"_s, u"Password Access"_s, u""_s), u"secreto"_s);
    EXPECT_EQ(op.openFileName(u"Seleccionar el Reporte"_s, u"Crystal Report (*.rpt)|*.rpt"_s, u"/rpt"_s),
              u"/rpt/cheques.rpt"_s);
    EXPECT_EQ(op.choosePrinter(u"Epson"_s), u"HP LaserJet"_s);
    EXPECT_EQ(op.chooseDate(QDate(2024, 1, 1)), QDate(2024, 3, 15));
    EXPECT_EQ(op.chooseFolder(u"Carpeta de las bases"_s, u"/var/lib"_s), u"/var/lib/bases"_s);

    ASSERT_EQ(op.shown().size(), 6);
    const ScriptedOperator::Shown& box = op.shown()[0];
    EXPECT_EQ(box.kind, Kind::Message);
    EXPECT_EQ(box.style, 4 | 32 | 256);
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_EQ(box.buttons, (QList<int>{MsgAnswer::Yes, MsgAnswer::No}));
    EXPECT_EQ(op.shown()[2].detail, u"Crystal Report (*.rpt)|*.rpt|/rpt"_s);
    EXPECT_EQ(op.shown()[4].text, u"2024-01-01"_s);
    EXPECT_EQ(op.shown()[5].kind, Kind::Folder);
    EXPECT_EQ(op.shown()[5].detail, u"/var/lib"_s);
    EXPECT_TRUE(op.unexpected().isEmpty());
    EXPECT_TRUE(op.unusedAnswers().isEmpty());
    EXPECT_TRUE(op.problems().isEmpty());
}

TEST(ScriptedOperator, ABoxWithoutAFittingAnswerIsUnexpected)
{
    struct Case
    {
        const char* what;
        std::function<void(ScriptedOperator&)> script;
        const char16_t* problem;
    };
    const Case cases[] = {
        {"nothing scripted", [](ScriptedOperator&) {}, u"no answer scripted"},
        {"answer for another kind", [](ScriptedOperator& op) { op.answerInput(u"x"_s); },
         u"the next answer is for an input box"},
        {"other text expected",
         [](ScriptedOperator& op) { op.answerMessage(MsgAnswer::Ok, u"Datos guardados"_s); },
         u"expected a box showing \"Datos guardados\""},
        {"answer not a button", [](ScriptedOperator& op) { op.answerMessage(MsgAnswer::Retry); },
         u"answer 4 is not among the box's buttons"},
    };
    for (const Case& c : cases) {
        ScriptedOperator op;
        c.script(op);
        const qsizetype queued = op.unusedAnswers().size();
        EXPECT_EQ(op.messageBox(u"Fecha incorrecta..."_s, 16, u"Aviso al operador..."_s), MsgAnswer::Cancel)
            << c.what;
        ASSERT_EQ(op.unexpected().size(), 1) << c.what;
        EXPECT_EQ(op.unexpected()[0].problem, QString::fromUtf16(c.problem)) << c.what;
        EXPECT_EQ(op.unexpected()[0].title, u"Aviso al operador..."_s) << c.what;
        // The answer waits for the box it was meant for.
        EXPECT_EQ(op.unusedAnswers().size(), queued) << c.what;
        EXPECT_TRUE(op.problems().contains(u"Fecha incorrecta..."_s)) << c.what;
    }

    ScriptedOperator op;
    EXPECT_EQ(op.inputBox(u"p"_s, u"t"_s, u""_s), std::nullopt);
    EXPECT_EQ(op.openFileName(u"t"_s, u""_s, u""_s), std::nullopt);
    EXPECT_EQ(op.choosePrinter(u""_s), std::nullopt);
    EXPECT_EQ(op.chooseDate(QDate(2024, 1, 1)), std::nullopt);
    EXPECT_EQ(op.chooseFolder(u"t"_s, u""_s), std::nullopt);
    EXPECT_EQ(op.unexpected().size(), 5);

    op.clear();
    op.answerMessage(MsgAnswer::Ok, u"Atencion"_s);
    EXPECT_EQ(op.problems(), u"unused answer to a message box: 1 for \"Atencion\""_s);
}

TEST(MostrarError, ShowsTheErrorAndReturnsTheAnswer)
{
    ScriptedOperatorGuard guard;
    guard->answerMessage(MsgAnswer::Ignore, u"(3021)"_s);
    const RuntimeError error(3021, u" Either BOF or EOF is True. "_s, u"ADODB.Recordset"_s);
    EXPECT_EQ(ClsUtiles::MostrarError(error, 18, u"CAMPO_VALIDA"_s), MsgAnswer::Ignore);

    ASSERT_EQ(guard->shown().size(), 1);
    const ScriptedOperator::Shown& box = guard->shown()[0];
    EXPECT_EQ(box.text, u"Ha ocurrido el siguiente error (3021) Either BOF or EOF is True.\n"
                        u"Origen: ADODB.Recordset\nRutina: CAMPO_VALIDA"_s);
    EXPECT_EQ(box.title, u"Aviso al operador"_s);
    EXPECT_EQ(box.style, MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_EQ(box.buttons, (QList<int>{MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore}));
}

TEST(MostrarError, StyleRoutineAndErrorZero)
{
    ScriptedOperatorGuard guard;
    guard->answerMessage(MsgAnswer::No);
    EXPECT_EQ(ClsUtiles::MostrarError(RuntimeError(13, u"Type mismatch"_s), 4 | 48), MsgAnswer::No);
    EXPECT_EQ(guard->shown()[0].text, u"Ha ocurrido el siguiente error (13) Type mismatch"_s);
    EXPECT_EQ(guard->shown()[0].icon, Icon::Exclamation);

    // Error 0 is no error: no box.
    EXPECT_EQ(ClsUtiles::MostrarError(RuntimeError(0, u""_s), 18, u"Cfg"_s), 0);
    EXPECT_EQ(guard->shown().size(), 1);
}

TEST(MostrarError, DrivesATrappedRoutine)
{
    ScriptedOperatorGuard guard;
    guard->answerMessage(MsgAnswer::Retry, u"Rutina: Inicializa"_s);
    guard->answerMessage(MsgAnswer::Abort, u"(91)"_s);
    int runs = 0;
    bool cleanedUp = false;
    TrappedRoutine routine(ClsUtiles::reporterFor(u"Inicializa"_s));
    routine.step([&] {
        if (++runs == 1)
            throw RuntimeError(3704, u"Operation is not allowed when the object is closed."_s);
    }) &&
        routine.step([&] { throw RuntimeError(91, u"Object variable not set"_s); }) &&
        routine.step([&] { ADD_FAILURE() << "ran after abort"; });
    cleanedUp = true;
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(routine.left());
    EXPECT_EQ(routine.leaveAnswer(), MsgAnswer::Abort);
    EXPECT_TRUE(cleanedUp);
}

namespace {

class SeamWithSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegionalSettings::setCurrent(RegionalSettings::argentina());
        Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 22, 5)));
    }
    void TearDown() override
    {
        RegionalSettings::reset();
        Clock::reset();
    }

    ScriptedOperatorGuard m_guard;
};

} // namespace

TEST_F(SeamWithSettings, ElegirFechaGivesTheRegionalShortDate)
{
    m_guard->answerDate(QDate(2024, 12, 31));
    EXPECT_EQ(ClsUtiles::ElegirFecha(), u"31/12/2024"_s);
    EXPECT_EQ(m_guard->shown().back().text, u"2024-03-15"_s); // starts on today

    m_guard->answerDate(QDate(2024, 6, 7));
    EXPECT_EQ(ClsUtiles::ElegirFecha(u"5/6/2024"_s), u"07/06/2024"_s);
    EXPECT_EQ(m_guard->shown().back().text, u"2024-06-05"_s); // starts on the field's date

    m_guard->answerDate(std::nullopt);
    EXPECT_EQ(ClsUtiles::ElegirFecha(u"31/02/2024"_s), u""_s);
    EXPECT_EQ(m_guard->shown().back().text, u"2024-03-15"_s);

    // The chosen date goes into a field as dates are typed, whatever the workstation's order.
    RegionalSettings::setCurrent(RegionalSettings::unitedStates());
    m_guard->answerDate(QDate(2024, 12, 31));
    EXPECT_EQ(ClsUtiles::ElegirFecha(u"05/11/2024"_s), u"31/12/2024"_s);
    EXPECT_EQ(m_guard->shown().back().text, u"2024-11-05"_s);
}

TEST_F(SeamWithSettings, DialogoOpenFile)
{
    ClsDialogo dialogo;
    dialogo.setTitulo(u"Seleccionar el Reporte"_s);
    dialogo.setFiltro(u"Crystal Report (*.rpt)|*.rpt"_s);
    dialogo.setNombreArchivo(u"/srv/reportes/viejo.rpt"_s);
    m_guard->answerOpenFile(u"/srv/reportes/BANCO1.rpt"_s, u"Seleccionar el Reporte"_s);
    dialogo.MuestraAbrir();
    EXPECT_EQ(dialogo.NombreArchivo(), u"/srv/reportes/BANCO1.rpt"_s);
    EXPECT_FALSE(dialogo.Cancelado());
    EXPECT_EQ(m_guard->shown().back().detail, u"Crystal Report (*.rpt)|*.rpt|/srv/reportes"_s);

    // Cancelled without CancelaConError: no error, no stale name.
    m_guard->answerOpenFile(std::nullopt);
    dialogo.MuestraAbrir();
    EXPECT_TRUE(dialogo.Cancelado());
    EXPECT_EQ(dialogo.NombreArchivo(), u""_s);
}

TEST_F(SeamWithSettings, DialogoCancelWithErrorThrows32755)
{
    struct Case
    {
        const char* what;
        std::function<void(ScriptedOperator&)> script;
        std::function<void(ClsDialogo&)> show;
    };
    const Case cases[] = {
        {"open file", [](ScriptedOperator& op) { op.answerOpenFile(std::nullopt); },
         [](ClsDialogo& d) { d.MuestraAbrir(); }},
        {"printer", [](ScriptedOperator& op) { op.answerPrinter(std::nullopt); },
         [](ClsDialogo& d) { d.MuestraImpresora(); }},
    };
    for (const Case& c : cases) {
        ClsDialogo dialogo;
        dialogo.setCancelaConError(true);
        dialogo.setNombreArchivo(u"/srv/viejo.rpt"_s);
        c.script(m_guard.op());
        try {
            c.show(dialogo);
            ADD_FAILURE() << c.what << ": cancelling did not throw";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), RuntimeError::CancelSelected) << c.what;
            EXPECT_EQ(error.number(), 32755) << c.what;
        }
        EXPECT_TRUE(dialogo.Cancelado()) << c.what;
        EXPECT_EQ(dialogo.ImpresoraElegida(), 0) << c.what;
    }
}

TEST_F(SeamWithSettings, DialogoPrinterChoice)
{
    ClsDialogo dialogo;
    EXPECT_EQ(dialogo.ImpresoraElegida(), 0);
    dialogo.setNombreImpresora(u"Epson"_s);
    m_guard->answerPrinter(u"HP LaserJet"_s, u"Epson"_s);
    dialogo.MuestraImpresora();
    EXPECT_NE(dialogo.ImpresoraElegida(), 0);
    EXPECT_EQ(dialogo.NombreImpresora(), u"HP LaserJet"_s);
    EXPECT_FALSE(dialogo.Cancelado());

    m_guard->answerPrinter(std::nullopt, u"HP LaserJet"_s);
    dialogo.MuestraImpresora();
    EXPECT_EQ(dialogo.ImpresoraElegida(), 0);
    EXPECT_TRUE(dialogo.Cancelado());
    EXPECT_EQ(dialogo.NombreImpresora(), u"HP LaserJet"_s);
}

TEST(ScriptedOperatorGuard, RestoresThePreviousOperator)
{
    OperatorDialogs* before = &operatorDialogs();
    {
        ScriptedOperatorGuard guard;
        EXPECT_EQ(&operatorDialogs(), &guard.op());
        {
            ScriptedOperatorGuard nested;
            EXPECT_EQ(&operatorDialogs(), &nested.op());
        }
        EXPECT_EQ(&operatorDialogs(), &guard.op());
    }
    EXPECT_EQ(&operatorDialogs(), before);
}

TEST(ScriptedOperatorGuard, FailsTheTestOnUnexpectedBoxesAndUnusedAnswers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedOperatorGuard guard;
            operatorDialogs().messageBox(u"Datos guardados con exito"_s, 64, u"Atencion"_s);
        },
        "unexpected message box (no answer scripted): title \"Atencion\", text \"Datos guardados con "
        "exito\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedOperatorGuard guard;
            guard->answerOpenFile(u"/rpt/x.rpt"_s);
        },
        "unused answer to an open-file box: /rpt/x.rpt");
}
