#pragma once

#include "report/ReportLayout.h"

#include <QString>

/// A formula assignment as the report object receives it: "name='text'" (or "name=\"text\"", the
/// quote doubled inside), which sets the report's formula of that name for one run.
class FormulaAssignment
{
public:
    /// Sets the formula in `layout`. Empty or blank text changes nothing; a text that is not an
    /// assignment, or names a formula the report does not have, raises ReportErrors::FormulaInvalida.
    static void apply(const QString& assignment, ReportLayout& layout);
};
