#pragma once

#include <QString>

/// The error log "TSERR.LOG": one line per reported failure, appended in the ANSI code page with
/// CR LF, the file opened and closed for each line so the log survives a crash.
class ErrorLog
{
public:
    /// The word the log writes for an answer code ("Reintentar", "Ignorar", ...; "" for others).
    static QString answerWord(int answer);
    /// "mm-dd-yyyy hh:mm:ss Rutina: <routine> Mensaje <message> Respondió : <answer word>" at the
    /// clock's current moment.
    static QString line(const QString& routineText, const QString& message, int answer);
    /// Appends `line` + CR LF to `path`; false when the file cannot be written (the line is lost).
    static bool append(const QString& path, const QString& line);
    /// Opens `path` for appending and closes it again (creating it empty when missing).
    static bool touch(const QString& path);
    /// "Ha ocurrido el Siguiente Error (number) description".
    static QString message(long number, const QString& description);
    /// The text with the values of "Pwd=" and "Password=" items hidden, so that no password
    /// reaches a log, a table or a message through an error text.
    static QString withoutPasswords(const QString& text);
};
