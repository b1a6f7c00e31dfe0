#include "zimbrel2/TrappedRoutine.h"

#include "zimbrel2/MessageBoxStyle.h"

#include <QString>

#include <exception>

using namespace Qt::StringLiterals;

namespace {

// The runtime's "Internal error": what a failure that is not one of ours is reported as, so that no
// exception escapes a routine that traps its failures.
constexpr long InternalError = 51;

} // namespace

TrappedRoutine::TrappedRoutine(ErrorReporter reporter) : m_reporter(std::move(reporter)) {}

bool TrappedRoutine::step(const std::function<void()>& body)
{
    if (m_left)
        return false;
    int answer = 0;
    if (run(body, m_reporter, &m_lastError, &answer) == Outcome::Leave) {
        m_left = true;
        m_leaveAnswer = answer;
    }
    return !m_left;
}

TrappedRoutine::Outcome TrappedRoutine::run(const std::function<void()>& body, const ErrorReporter& reporter,
                                            std::optional<RuntimeError>* failure, int* answer)
{
    for (;;) {
        std::optional<RuntimeError> error;
        try {
            body();
            return Outcome::Done;
        } catch (const RuntimeError& e) {
            error = e;
        } catch (const std::exception& e) {
            error = RuntimeError(InternalError, QString::fromUtf8(e.what()), u"Talonex"_s);
        }
        if (failure)
            *failure = error;
        if (!reporter)
            return Outcome::Skipped;
        const int given = reporter(*error);
        if (answer)
            *answer = given;
        if (given == MsgAnswer::Retry)
            continue;
        return given == MsgAnswer::Ignore ? Outcome::Skipped : Outcome::Leave;
    }
}
