#pragma once

#include "demo/DemoDatabase.h"

#include <QString>

/// Where a demo on a PostgreSQL server goes: the server "pg://host[:port]" and the superuser that
/// creates its databases and logins (no password over a trusted local connection).
struct PostgresTarget
{
    QString server;
    QString user = QStringLiteral("postgres");
    QString password;
};

/// The demo schema script in PostgreSQL's terms: text columns in the case-insensitive collation,
/// flags as whole numbers 0/1 (as SQL Server's bit), DATETIME as timestamp, numbered keys as
/// identity columns, quoted names in lower case, the view's INSTEAD OF trigger as a rule.
QString postgresDemoSchema(const QString& sqliteSchema);

/// Creates the databases TALONEX_DEMO and TS_ESTADISTICAS on the server with the same schema and
/// data as the SQLite demo of `scale` (built in a temporary folder and copied), replacing databases
/// of those names, and the logins of the demo users (password DemoDb::DefaultPassword) with every
/// right on them. False with the reason in `error`.
bool createPostgresDemo(const PostgresTarget& target, const DemoScale& scale, QString* error);
