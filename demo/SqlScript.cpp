#include "demo/SqlScript.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

bool isTriggerWithoutEnd(const QString& statement)
{
    static const QRegularExpression trigger(u"^\\s*CREATE\\s+(TEMP\\s+|TEMPORARY\\s+)?TRIGGER\\b"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression endWord(u"\\bEND\\s*$"_s, QRegularExpression::CaseInsensitiveOption);
    return trigger.match(statement).hasMatch() && !endWord.match(statement).hasMatch();
}

} // namespace

QStringList SqlScript::split(const QString& script)
{
    QStringList statements;
    QString current;
    const qsizetype length = script.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = script[i];
        const QChar following = i + 1 < length ? script[i + 1] : QChar();
        if (c == u'-' && following == u'-') {
            while (i < length && script[i] != u'\n')
                ++i;
            current += u'\n';
            continue;
        }
        if (c == u'/' && following == u'*') {
            i += 2;
            while (i + 1 < length && !(script[i] == u'*' && script[i + 1] == u'/'))
                ++i;
            ++i;
            current += u' ';
            continue;
        }
        if (c == u'\'' || c == u'"' || c == u'[') {
            // Quoted text or name: copied as it is up to its closing mark; a doubled quote is
            // part of the text.
            const QChar close = c == u'[' ? QChar(u']') : c;
            current += c;
            ++i;
            while (i < length) {
                current += script[i];
                if (script[i] == close) {
                    if (close != u']' && i + 1 < length && script[i + 1] == close) {
                        current += script[++i];
                    } else {
                        break;
                    }
                }
                ++i;
            }
            continue;
        }
        if (c == u';') {
            const QString statement = current.trimmed();
            if (isTriggerWithoutEnd(statement)) {
                current += c;
                continue;
            }
            if (!statement.isEmpty())
                statements.append(statement);
            current.clear();
            continue;
        }
        current += c;
    }
    const QString last = current.trimmed();
    if (!last.isEmpty())
        statements.append(last);
    return statements;
}

bool SqlScript::run(QSqlDatabase& db, const QString& script, QString* error)
{
    const QStringList statements = split(script);
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text() + u"\n"_s + statement;
            return false;
        }
    }
    return true;
}

QString SqlScript::resource(const QString& name)
{
    QFile file(u":/demo/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
