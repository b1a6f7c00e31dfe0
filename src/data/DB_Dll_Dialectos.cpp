// The restricted-view and Oracle rewritings of statements, and the Oracle script runner.
#include "data/DB_Dll.h"

#include "data/DataGlobals.h"
#include "data/OracleDialect.h"
#include "data/Sinonimos.h"
#include "zimbrel2/ProgramInfo.h"

using namespace Qt::StringLiterals;

namespace {

// The provider's warning that a command returned no result (DB_S_NORESULT, 0x00040EC9), which a
// script run leaves behind.
constexpr long NoResultWarning = 265929;

} // namespace

QString DB_Dll::SS_TSinonimos(const QString& sql) const
{
    return Sinonimos::rewrite(sql, gEsAdmin, DataGlobals::gConfidencialidad(), ProgramInfo::executableName());
}

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const
{
    if (!isOracleConnection())
        return Valor;
    return OracleDialect::translate(Valor);
}

QString DB_Dll::FiltraSentenciaOracle(QString& Sentencia) const
{
    if (OracleDialect::isFilteredOut(Sentencia))
        Sentencia.clear();
    return Sentencia;
}

void DB_Dll::EjecutaScriptOracle(QString& Script, long& RecordsAffected)
{
    Script = OracleDialect::prepareScript(Script);
    // Each statement leaves the script only once it ran: after a failure the caller's text holds the
    // failed statement and the rest, and nothing is rolled back.
    while (const std::optional<OracleDialect::ScriptStatement> statement =
               OracleDialect::nextStatement(Script)) {
        switch (OracleDialect::scriptAction(statement->text)) {
        case OracleDialect::ScriptAction::BeginTransaction:
            gCnn().beginTrans();
            break;
        case OracleDialect::ScriptAction::Commit:
            gCnn().commitTrans();
            break;
        case OracleDialect::ScriptAction::Rollback:
            gCnn().rollbackTrans();
            break;
        case OracleDialect::ScriptAction::Execute: {
            QString sentencia = ORACLE_Dicc(statement->text);
            FiltraSentenciaOracle(sentencia);
            if (!sentencia.trimmed().isEmpty()) {
                long affected = 0;
                gCnn().execute(sentencia, &affected, -1);
                RecordsAffected += affected;
            }
            break;
        }
        }
        Script = statement->next < 0 ? QString() : Script.mid(statement->next);
    }
    QList<AdoError>& errors = gCnn().errors();
    if (errors.size() == 1 && errors.front().number == NoResultWarning)
        errors.clear();
}
