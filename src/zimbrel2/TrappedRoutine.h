#pragma once

#include "zimbrel2/RuntimeError.h"

#include <functional>
#include <optional>

/// A reporter shows a failure to the operator and returns the answer code (4 retry, 5 ignore, other:
/// leave). A caller that treats some error specially wraps the reporter: returning 5 for that number
/// without showing anything goes on with the next step.
using ErrorReporter = std::function<int(const RuntimeError&)>;

/// Runs the steps of a routine under the failure protocol. On a failure the reporter decides: 4 runs
/// the step again, 5 goes on with the next step, any other answer leaves the routine. Without a
/// reporter (the silent style) a failing step is skipped. Once the routine has left, further steps do
/// not run, so a routine can chain them and then do its clean-up:
///
///     TrappedRoutine routine(ClsUtiles::reporterFor(u"Inicializa"_s));
///     routine.step([&] { ... }) && routine.step([&] { ... });
class TrappedRoutine
{
public:
    enum class Outcome
    {
        Done,
        Skipped,
        Leave
    };

    explicit TrappedRoutine(ErrorReporter reporter = {});

    /// Runs one step; false when the routine must leave (now or earlier).
    bool step(const std::function<void()>& body);

    /// True once an answer other than retry or ignore ended the routine.
    bool left() const { return m_left; }
    /// The answer that ended the routine; 0 while it has not left.
    int leaveAnswer() const { return m_leaveAnswer; }
    /// The last failure met by any step, retried or not.
    const std::optional<RuntimeError>& lastError() const { return m_lastError; }

    /// One step on its own: Done when it ran to the end (possibly after retries), Skipped when it
    /// failed and the routine goes on, Leave otherwise. `answer` receives the last answer given.
    static Outcome run(const std::function<void()>& body, const ErrorReporter& reporter,
                       std::optional<RuntimeError>* failure = nullptr, int* answer = nullptr);

private:
    ErrorReporter m_reporter;
    bool m_left = false;
    int m_leaveAnswer = 0;
    std::optional<RuntimeError> m_lastError;
};
