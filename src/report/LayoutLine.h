#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

/// One line of a report or calibration file split into its words: a keyword, positional values and
/// "key=value" options. Values may be quoted with '"' (a doubled '"' inside stands for one); '#'
/// outside quotes starts a comment. Keys are kept lower-cased.
class LayoutLine
{
public:
    /// Splits `text`; nullopt with `error` set when a quote is not closed or an option has no key.
    static std::optional<LayoutLine> split(const QString& text, QString* error);

    bool isEmpty() const { return m_keyword.isEmpty(); }
    const QString& keyword() const { return m_keyword; }
    const QStringList& positional() const { return m_positional; }
    const QList<QPair<QString, QString>>& options() const { return m_options; }

private:
    QString m_keyword;
    QStringList m_positional;
    QList<QPair<QString, QString>> m_options;
};
