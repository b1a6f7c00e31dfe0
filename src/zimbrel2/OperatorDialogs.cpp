#include "zimbrel2/OperatorDialogs.h"

#include "zimbrel2/ScriptedOperator.h"

#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace {

// The stand-in is a scripted operator that says so in the log: a box shown before the program
// installed its real dialogs is a wiring fault, not something to answer silently.
class UnwiredOperator : public ScriptedOperator
{
protected:
    void noteUnexpected(const Shown& box) override
    {
        qWarning("No operator dialogs installed; box answered cancel: %s", qUtf8Printable(box.text));
    }
};

std::unique_ptr<OperatorDialogs>& slot()
{
    static std::unique_ptr<OperatorDialogs> current = std::make_unique<UnwiredOperator>();
    return current;
}

} // namespace

OperatorDialogs& operatorDialogs()
{
    return *slot();
}

std::unique_ptr<OperatorDialogs> installOperatorDialogs(std::unique_ptr<OperatorDialogs> dialogs)
{
    std::unique_ptr<OperatorDialogs> previous = std::move(slot());
    slot() = dialogs ? std::move(dialogs) : std::make_unique<UnwiredOperator>();
    return previous;
}

QStringList OperatorDialogs::nameFilters(const QString& suiteFilter)
{
    const QStringList parts = suiteFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from the last parentheses; a description that already shows them
        // ("Crystal Report (*.rpt)") must not get them twice.
        if (!description.endsWith(u'(' + patterns + u')', Qt::CaseInsensitive))
            description = (description.isEmpty() ? patterns : description) + u" ("_s + patterns + u')';
        filters << description;
    }
    // A filter without a pattern part ("*.rpt" alone) is a pattern by itself.
    if (filters.isEmpty() && !suiteFilter.trimmed().isEmpty() && !suiteFilter.contains(u'|'))
        filters << suiteFilter.trimmed();
    return filters;
}
