#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <vector>

/// Small query helpers for the demo tests: a failing statement fails the test with the database's
/// message.
namespace DemoQuery {

inline std::vector<std::vector<QVariant>> rows(const QSqlDatabase& db, const QString& statement)
{
    std::vector<std::vector<QVariant>> result;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        ADD_FAILURE() << statement.toStdString() << "\n -> " << query.lastError().text().toStdString();
        return result;
    }
    while (query.next()) {
        std::vector<QVariant> row;
        for (int i = 0; i < query.record().count(); ++i)
            row.push_back(query.value(i));
        result.push_back(std::move(row));
    }
    return result;
}

inline QVariant scalar(const QSqlDatabase& db, const QString& statement)
{
    const auto result = rows(db, statement);
    if (result.empty() || result.front().empty()) {
        ADD_FAILURE() << "no value from " << statement.toStdString();
        return {};
    }
    return result.front().front();
}

inline qint64 count(const QSqlDatabase& db, const QString& statement)
{
    return scalar(db, statement).toLongLong();
}

} // namespace DemoQuery
