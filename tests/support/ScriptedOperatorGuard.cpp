#include "support/ScriptedOperatorGuard.h"

#include <gtest/gtest.h>

ScriptedOperatorGuard::ScriptedOperatorGuard()
{
    auto scripted = std::make_unique<ScriptedOperator>();
    m_operator = scripted.get();
    m_previous = installOperatorDialogs(std::move(scripted));
}

ScriptedOperatorGuard::~ScriptedOperatorGuard()
{
    // Whoever replaced our operator during the test may have destroyed it: only read it while it is
    // still the one installed.
    const bool stillOurs = &operatorDialogs() == m_operator;
    EXPECT_TRUE(stillOurs) << "the scripted operator was replaced during the test";
    if (stillOurs)
        verify();
    installOperatorDialogs(std::move(m_previous));
}

void ScriptedOperatorGuard::verify()
{
    const QString problems = m_operator->problems();
    EXPECT_TRUE(problems.isEmpty()) << problems.toStdString();
    m_operator->clear();
}
