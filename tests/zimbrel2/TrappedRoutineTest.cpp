#include "zimbrel2/TrappedRoutine.h"
#include "support/QStringPrinter.h"

#include <QString>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A reporter that answers from a list and remembers the errors it saw.
struct ScriptedReporter
{
    std::vector<int> answers;
    std::vector<long> seen;

    ErrorReporter reporter()
    {
        return [this](const RuntimeError& error) {
            seen.push_back(error.number());
            if (answers.empty())
                return 3;
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        };
    }
};

// A step that fails its first `failures` runs.
struct FlakyStep
{
    int failures = 0;
    int runs = 0;

    std::function<void()> body()
    {
        return [this] {
            ++runs;
            if (runs <= failures)
                throw RuntimeError(3021, u"Either BOF or EOF is True."_s, u"ADODB.Recordset"_s);
        };
    }
};

} // namespace

TEST(TrappedRoutine, RetryRunsTheStepAgain)
{
    ScriptedReporter reporter{{4, 4}, {}};
    FlakyStep flaky{2};
    TrappedRoutine routine(reporter.reporter());
    EXPECT_TRUE(routine.step(flaky.body()));
    EXPECT_EQ(flaky.runs, 3);
    EXPECT_EQ(reporter.seen, (std::vector<long>{3021, 3021}));
    EXPECT_FALSE(routine.left());
    ASSERT_TRUE(routine.lastError().has_value());
    EXPECT_EQ(routine.lastError()->source(), u"ADODB.Recordset"_s);
}

TEST(TrappedRoutine, TheAnswerDecidesWhatFollows)
{
    struct Case
    {
        int answer;
        TrappedRoutine::Outcome outcome;
    };
    const Case cases[] = {
        {5, TrappedRoutine::Outcome::Skipped}, {3, TrappedRoutine::Outcome::Leave},
        {2, TrappedRoutine::Outcome::Leave},   {1, TrappedRoutine::Outcome::Leave},
        {6, TrappedRoutine::Outcome::Leave},   {7, TrappedRoutine::Outcome::Leave},
        {0, TrappedRoutine::Outcome::Leave},
    };
    for (const Case& c : cases) {
        ScriptedReporter reporter{{c.answer}, {}};
        std::vector<int> ran;
        TrappedRoutine routine(reporter.reporter());
        const bool goesOn = routine.step([&] {
            ran.push_back(1);
            throw RuntimeError(91, u"Object variable not set"_s);
        }) && routine.step([&] { ran.push_back(2); });
        // A routine that left runs no further step, not even when asked.
        routine.step([&] { ran.push_back(3); });

        const bool leaves = c.outcome == TrappedRoutine::Outcome::Leave;
        EXPECT_EQ(goesOn, !leaves) << c.answer;
        EXPECT_EQ(routine.left(), leaves) << c.answer;
        EXPECT_EQ(routine.leaveAnswer(), leaves ? c.answer : 0) << c.answer;
        EXPECT_EQ(ran, (leaves ? std::vector<int>{1} : std::vector<int>{1, 2, 3})) << c.answer;
    }
}

TEST(TrappedRoutine, WithoutReporterAFailingStepIsSkipped)
{
    std::vector<int> ran;
    TrappedRoutine routine;
    EXPECT_TRUE(routine.step([&] {
        ran.push_back(1);
        throw RuntimeError(5, u"Invalid procedure call or argument"_s);
    }));
    EXPECT_TRUE(routine.step([&] { ran.push_back(2); }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_FALSE(routine.left());
    EXPECT_EQ(routine.lastError()->number(), 5);
}

TEST(TrappedRoutine, OtherExceptionsAreReportedAsInternalErrors)
{
    ScriptedReporter reporter{{5}, {}};
    std::optional<RuntimeError> failure;
    int answer = 0;
    const TrappedRoutine::Outcome outcome = TrappedRoutine::run([] { throw std::runtime_error("disk full"); },
                                                                reporter.reporter(), &failure, &answer);
    EXPECT_EQ(outcome, TrappedRoutine::Outcome::Skipped);
    EXPECT_EQ(answer, 5);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number(), 51);
    EXPECT_EQ(failure->description(), u"disk full"_s);
}

TEST(TrappedRoutine, ACallerCanTreatOneErrorNumberApart)
{
    // Error 5 goes on at once without a box; any other error is shown.
    ScriptedReporter shown{{3}, {}};
    ErrorReporter inner = shown.reporter();
    TrappedRoutine routine([&](const RuntimeError& error) { return error.number() == 5 ? 5 : inner(error); });
    std::vector<int> ran;
    routine.step([&] { throw RuntimeError(5, u"Invalid procedure call or argument"_s); }) &&
        routine.step([&] {
            ran.push_back(2);
            throw RuntimeError(13, u"Type mismatch"_s);
        }) &&
        routine.step([&] { ran.push_back(3); });
    EXPECT_EQ(ran, std::vector<int>{2});
    EXPECT_EQ(shown.seen, std::vector<long>{13});
    EXPECT_TRUE(routine.left());
}

TEST(TrappedRoutine, RuntimeErrorCarriesNumberDescriptionAndSource)
{
    const RuntimeError error(-2147467259, u"Fallo de conexión"_s, u"Microsoft OLE DB Provider"_s);
    EXPECT_EQ(error.number(), -2147467259);
    EXPECT_STREQ(error.what(), "(-2147467259) Fallo de conexión");
}
