#pragma once

#include <QString>

#include <functional>

/// Starts another program of the suite as a separate process, handing it the current connection and
/// user in the start-up parameter string. `programa` is "shell:" (any six characters) + a program
/// name in the program folder, or + a full path; `parametroAdicional` loses everything up to its
/// first blank (the caller's variable changes); `idProceso` receives the process identifier, 0 when
/// nothing started (the operator is told so).
void MenuExes(const QString& programa, QString& parametroAdicional, qint32& idProceso);

/// The launch parameter string of the current state, with `parametroAdicional` as the additional
/// parameter; it starts with a blank and every item ends with ";".
QString ParametrosLanzamiento(const QString& parametroAdicional);

/// Starts `programa` with `parametros` as its one argument and returns the process identifier, 0
/// when it could not start. The program uses QProcess::startDetached; tests put their own here.
using ArrancaProceso = std::function<qint64(const QString& programa, const QString& parametros)>;
/// Installs `arranca` (empty: the real process start) and returns the previous one.
ArrancaProceso setArrancaProceso(ArrancaProceso arranca);
