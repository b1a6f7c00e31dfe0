#include "data/ErrorLog.h"

#include "zimbrel2/Clock.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

QString ErrorLog::answerWord(int answer)
{
    switch (answer) {
    case MsgAnswer::Retry:
        return u"Reintentar"_s;
    case MsgAnswer::Ignore:
        return u"Ignorar"_s;
    case MsgAnswer::Abort:
        return u"Abortar"_s;
    case MsgAnswer::Cancel:
        return u"Cancelar"_s;
    case MsgAnswer::Yes:
        return u"Sí"_s;
    case MsgAnswer::No:
        return u"No"_s;
    default:
        return QString();
    }
}

QString ErrorLog::line(const QString& routineText, const QString& message, int answer)
{
    const QDateTime now = Clock::now();
    return now.toString(u"MM-dd-yyyy HH:mm:ss"_s) % u" Rutina: " % routineText.trimmed() % u" Mensaje " %
           withoutPasswords(message).trimmed() % u" Respondió : " % answerWord(answer);
}

bool ErrorLog::append(const QString& path, const QString& line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // The ANSI code page of the suite's workstations: Latin-1 covers every letter of its texts.
    QStringEncoder encoder(QStringEncoder::Latin1);
    const QByteArray bytes = encoder.encode(line + u"\r\n"_s);
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written;
}

bool ErrorLog::touch(const QString& path)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Append);
    file.close();
    return opened;
}

QString ErrorLog::message(long number, const QString& description)
{
    return u"Ha ocurrido el Siguiente Error ("_s + QString::number(number).trimmed() + u") "_s +
           withoutPasswords(description).trimmed();
}

QString ErrorLog::withoutPasswords(const QString& text)
{
    static const QRegularExpression secret(uR"(((?:pwd|password)\s*=)[^;]*)"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    if (!text.contains(u"pwd"_s, Qt::CaseInsensitive) && !text.contains(u"password"_s, Qt::CaseInsensitive))
        return text;
    QString result = text;
    result.replace(secret, u"\\1****"_s);
    return result;
}
