#pragma once

#include "zimbrel2/ScriptedOperator.h"

#include <memory>

/// Installs a fresh scripted operator for the life of a test and, at its end, fails the test when a
/// box appeared that no answer fitted or an answer was left unused; then puts the previous operator
/// back.
class ScriptedOperatorGuard
{
public:
    ScriptedOperatorGuard();
    ~ScriptedOperatorGuard();
    ScriptedOperatorGuard(const ScriptedOperatorGuard&) = delete;
    ScriptedOperatorGuard& operator=(const ScriptedOperatorGuard&) = delete;

    ScriptedOperator& op() { return *m_operator; }
    ScriptedOperator* operator->() { return m_operator; }

    /// Checks now what the destructor checks, then forgets the record and the queue.
    void verify();

private:
    ScriptedOperator* m_operator = nullptr;
    std::unique_ptr<OperatorDialogs> m_previous;
};
