#pragma once

#include <QList>
#include <QPair>
#include <QString>

/// A provider connection string ("PROVIDER=SQLOLEDB;Server=SRV;Database =DB;UId=U;Pwd=P;") read
/// into its items. Keys are compared without regard to case or surrounding blanks; the first
/// occurrence of a key wins; items without "=" are kept as keys with an empty value.
class ConnectionString
{
public:
    ConnectionString() = default;
    explicit ConnectionString(const QString& text);

    const QString& text() const { return m_text; }
    /// The value of the first item whose key is one of `keys`, trimmed; "" when none.
    QString value(std::initializer_list<QStringView> keys) const;
    bool has(QStringView key) const;

    QString provider() const;   // Provider
    QString server() const;     // Server, Data Source (SQL Server), Host
    QString database() const;   // Database, Initial Catalog
    QString dataSource() const; // Data Source
    QString user() const;       // UId, User Id, User
    QString password() const;   // Pwd, Password
    /// True when the provider is an Oracle one: "OraOLEDB.Oracle.1", as the connection string is
    /// built for a server marked with "#" or for the Oracle platform of the connection dialog, or
    /// Microsoft's "MSDAORA". The platform is told by the provider alone, never by "ORACLE" in a
    /// server, user or password.
    bool isOracle() const;

    /// The text with the password's value replaced by "****", for logs and messages.
    QString masked() const;

private:
    QString m_text;
    QList<QPair<QString, QString>> m_items;
};
