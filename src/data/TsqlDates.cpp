#include "data/TsqlDates.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QTime>

using namespace Qt::StringLiterals;

namespace {

// Day, month and year of a date part written with `separator` in the order `order` ("dmy", "mdy",
// "ymd").
QDate datePart(QStringView text, QChar separator, QStringView order)
{
    const QList<QStringView> parts = text.split(separator);
    if (parts.size() != 3)
        return {};
    int values[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty() || parts[k].size() > 4)
            return {};
    }
    int day = 0;
    int month = 0;
    int year = 0;
    for (int k = 0; k < 3; ++k) {
        const QChar c = order[k];
        (c == u'd' ? day : c == u'm' ? month : year) = values[k];
    }
    if (year < 100 && parts[order.indexOf(u'y')].size() <= 2)
        year += year < 50 ? 2000 : 1900; // SQL Server's two-digit year cutoff is 2049
    return QDate(year, month, day);
}

QTime timePart(QStringView text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0)
        text = text.left(dot);
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    int values[3] = {0, 0, 0};
    for (qsizetype k = 0; k < parts.size(); ++k) {
        bool ok = false;
        values[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty() || parts[k].size() > 2)
            return {};
    }
    return QTime(values[0], values[1], values[2]);
}

} // namespace

QString TsqlDates::strftimeFormat(int style)
{
    switch (style) {
    case 1:
        return u"%m/%d/%y"_s;
    case 3:
        return u"%d/%m/%y"_s;
    case 101:
        return u"%m/%d/%Y"_s;
    case 103:
        return u"%d/%m/%Y"_s;
    case 104:
        return u"%d.%m.%Y"_s;
    case 105:
        return u"%d-%m-%Y"_s;
    case 108:
        return u"%H:%M:%S"_s;
    case 112:
        return u"%Y%m%d"_s;
    case 20:
    case 120:
        return u"%Y-%m-%d %H:%M:%S"_s;
    case 21:
    case 121:
        return u"%Y-%m-%d %H:%M:%f"_s;
    case 23:
        return u"%Y-%m-%d"_s;
    case 126:
        return u"%Y-%m-%dT%H:%M:%f"_s;
    default:
        return {};
    }
}

QString TsqlDates::isoDate(QStringView text, int style)
{
    text = text.trimmed();
    QStringView datePiece = text;
    QStringView timePiece;
    const qsizetype gap = text.indexOf(u' ') >= 0 ? text.indexOf(u' ') : text.indexOf(u'T');
    if (gap > 0) {
        datePiece = text.left(gap);
        timePiece = text.mid(gap + 1).trimmed();
    }
    QDate date;
    switch (style) {
    case 1:
    case 101:
        date = datePart(datePiece, u'/', u"mdy");
        break;
    case 3:
    case 103:
        date = datePart(datePiece, u'/', u"dmy");
        break;
    case 104:
        date = datePart(datePiece, u'.', u"dmy");
        break;
    case 105:
        date = datePart(datePiece, u'-', u"dmy");
        break;
    default:
        if (datePiece.size() == 8 && !datePiece.contains(u'-') && !datePiece.contains(u'/'))
            date = QDate::fromString(datePiece.toString(), u"yyyyMMdd"_s);
        else if (datePiece.contains(u'-'))
            date = datePart(datePiece, u'-', u"ymd");
        else if (style < 0)
            date = datePart(datePiece, u'/', u"dmy"); // the suite's language reads day/month/year
        break;
    }
    if (!date.isValid() && style >= 0 && datePiece.contains(u'-'))
        date = datePart(datePiece, u'-', u"ymd");
    if (!date.isValid())
        return {};
    if (timePiece.isEmpty())
        return date.toString(u"yyyy-MM-dd"_s);
    const QTime time = timePart(timePiece);
    if (!time.isValid())
        return {};
    return QDateTime(date, time).toString(u"yyyy-MM-dd HH:mm:ss"_s);
}
