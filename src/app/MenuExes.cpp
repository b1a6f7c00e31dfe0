#include "app/MenuExes.h"

#include "app/AppState.h"
#include "app/ErrorReporting.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/ProgramInfo.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

// "File not found": what the start of a program that is not there raises.
constexpr long ArchivoNoEncontrado = 53;

qint64 arranqueReal(const QString& programa, const QString& parametros)
{
    qint64 pid = 0;
    // One argument, no shell: the parameter string reaches the program exactly as built.
    if (!QProcess::startDetached(programa, {parametros}, QString(), &pid))
        return 0;
    return pid;
}

ArrancaProceso& arranque()
{
    static ArrancaProceso starter;
    return starter;
}

} // namespace

ArrancaProceso setArrancaProceso(ArrancaProceso arranca)
{
    ArrancaProceso previous = std::move(arranque());
    arranque() = std::move(arranca);
    return previous;
}

QString ParametrosLanzamiento(const QString& parametroAdicional)
{
    const DB_Dll& db = DataGlobals::gDB();
    const AppState& state = appState();
    return u" ; @server="_s + db.gServidor + u"; @dbname="_s + db.gDBName + u"; @usuario="_s + db.gUsuario +
           u"; @Password="_s + db.gUserPassWord + u"; @ParametroAdicional="_s + parametroAdicional +
           u"; zimb@ ; @UsuarioLogeado = "_s + state.gUsuarioLogeado + u"; @Caja="_s + state.gCaja + u";"_s;
}

void MenuExes(const QString& programa, QString& parametroAdicional, qint32& idProceso)
{
    TrappedRoutine routine(
        [](const RuntimeError& error) { return TrataError(error, std::nullopt, u"MenuExes"_s); });
    QString parametros;
    QString comando;
    routine.step([&] {
        const qsizetype blank = parametroAdicional.indexOf(u' ');
        if (blank >= 0)
            parametroAdicional = parametroAdicional.mid(blank + 1);
    }) &&
        routine.step([&] { parametros = ParametrosLanzamiento(parametroAdicional); }) && routine.step([&] {
            // A designation holding a path (the suite's "\" or this platform's "/") names the program
            // itself; any other is a program of the program folder.
            if (programa.contains(u'\\') || programa.contains(u'/'))
                comando = programa.mid(6);
            else if (programa.contains(u"SHELL"_s, Qt::CaseInsensitive))
                comando = ProgramInfo::programFolder() + programa.mid(6);
            else
                comando = ProgramInfo::programFolder() + programa;
        }) &&
        routine.step([&] {
            idProceso = 0;
            const ArrancaProceso& starter = arranque();
            const qint64 pid = starter ? starter(comando, parametros) : arranqueReal(comando, parametros);
            // The operator is told which program is missing, not only that a file is.
            if (pid == 0)
                throw RuntimeError(ArchivoNoEncontrado, u"No se pudo iniciar el programa "_s + comando);
            idProceso = static_cast<qint32>(pid);
        }) &&
        routine.step([&] {
            if (idProceso == 0)
                operatorDialogs().messageBox(u"Opcion no Implementada!"_s + u"\r"_s +
                                                 u"Comuniquese con su proveedor de sistemas"_s,
                                             MsgStyle::Critical, u"Atención"_s);
        });
}
