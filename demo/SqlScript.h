#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

/// Runs the demo's SQL script files through Qt SQL, which executes one statement at a time.
class SqlScript
{
public:
    /// Splits a script into its statements: at each ";" outside quotes and comments, except inside
    /// the BEGIN ... END body of a CREATE TRIGGER. Comments are dropped; so are empty statements.
    static QStringList split(const QString& script);
    /// Executes each statement of the script in order; stops at the first failure, describing it
    /// (with the statement) in `error` when given.
    static bool run(QSqlDatabase& db, const QString& script, QString* error);
    /// The text of a script embedded in the library (":/demo/<name>").
    static QString resource(const QString& name);
};
