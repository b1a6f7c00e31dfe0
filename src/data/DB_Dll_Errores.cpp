// The data layer's reporter of unexpected failures.
#include "data/DB_Dll.h"

#include "data/ErrorLog.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"

using namespace Qt::StringLiterals;

int DB_Dll::TratamientoErrores(const RuntimeError& CodErr, std::optional<int> Botones, const QString& Rutina)
{
    const QString logPath = gLogErr.isEmpty() ? ProgramInfo::writablePath(u"TSERR.LOG"_s) : gLogErr;
    const QString message = ErrorLog::message(CodErr.number(), CodErr.description());
    const QString routineText = Rutina.isEmpty() ? QString() : u" - "_s + Rutina;
    const QString title = CodErr.source() + routineText + u" Aviso al operador!!! - 5 "_s;
    const int style = Botones.value_or(MsgStyle::AbortRetryIgnore + MsgStyle::Critical);
    if (CodErr.number() == 0)
        return 0;
    const int answer = operatorDialogs().messageBox(message, style, title);
    ErrorLog::append(logPath, ErrorLog::line(routineText, message, answer));
    return answer;
}
