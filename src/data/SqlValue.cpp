#include "data/SqlValue.h"

#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QMetaType>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

// A number held in a variant becomes a currency amount directly: its text would carry the C
// locale's point, which the regional conversion could take for a thousands separator.
Currency numericAmount(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::LongLong:
    case QMetaType::Long:
        return Currency::fromUnits(value.toLongLong() * Currency::Scale);
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return Currency::fromDouble(value.toDouble()).value_or(Currency());
    case QMetaType::Bool:
        return Currency::fromUnits(value.toBool() ? Currency::Scale : 0);
    default:
        break;
    }
    return ClsUtiles::TextoANumero(value.toString());
}

QString plainText(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? u"1"_s : u"0"_s;
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    return value.toString();
}

} // namespace

QString SQLValue(const QVariant& valor, QStringView tipo)
{
    if (tipo == u"@") {
        if (isNull(valor))
            return u"0"_s;
        // The amount in the regional format, its decimal comma (if any) made a point.
        return ClsUtiles::ReemplazaCaracter(numericAmount(valor).toRegionalText(), u","_s, u"."_s);
    }
    if (isNull(valor))
        return u"NULL"_s;
    if (tipo == u"'")
        return u'\'' + SqlTextBody(plainText(valor)) + u'\'';
    return plainText(valor);
}

QString SqlTextBody(QString text)
{
    text.replace(u'\'', u"''"_s);
    return text;
}

bool adodate(int qtype)
{
    switch (qtype) {
    case 7:
    case 64:
    case 133:
    case 134:
    case 135:
    case 137:
        return true;
    default:
        return false;
    }
}

bool ADOText(int qtype)
{
    switch (qtype) {
    case 8:
    case 129:
    case 130:
    case 200:
    case 201:
    case 202:
    case 203:
        return true;
    default:
        return false;
    }
}

bool ADONumeric(int qtype)
{
    switch (qtype) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 14:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
    case 131:
        return true;
    default:
        return false;
    }
}

bool ADOCurrency(int qtype)
{
    return qtype == 6;
}

bool ADOBoolean(int qtype)
{
    return qtype == 11;
}

QString ADOComilla(int qtype)
{
    return (adodate(qtype) || ADOText(qtype)) ? u"'"_s : QString();
}

QString AddBrackets(const QString& rObjName)
{
    if (rObjName.contains(u' ') && !rObjName.startsWith(u'['))
        return u'[' + rObjName + u']';
    return rObjName;
}

QString StripBrackets(const QString& rsObjName)
{
    if (rsObjName.startsWith(u'['))
        return rsObjName.mid(1, rsObjName.size() - 2);
    return rsObjName;
}

QString StripConnect(const QString& rsTblName)
{
    const qsizetype at = rsTblName.indexOf(u"->");
    if (at < 0)
        return rsTblName;
    // The character just before "->" (a blank in the suite's names) goes too.
    return rsTblName.left(at > 0 ? at - 1 : 0);
}

QString StripOwner(QString& rsTblName)
{
    const qsizetype at = rsTblName.indexOf(u'.');
    if (at >= 0)
        rsTblName = rsTblName.mid(at + 1);
    return rsTblName;
}

QString StripFileName(const QString& rsFileName)
{
    const qsizetype at = std::max(rsFileName.lastIndexOf(u'\\'), rsFileName.lastIndexOf(u'/'));
    return at < 0 ? QString() : rsFileName.left(at);
}

QString stSTF(QString& rsName, bool rnPart)
{
    if (rsName.count(u'.') >= 2)
        return StripOwner(rsName);
    const qsizetype at = rsName.indexOf(u'.');
    if (rnPart) {
        if (at >= 0)
            rsName = rsName.mid(at + 1);
    } else {
        // A name without an owner has no part before a point: nothing.
        rsName = at >= 0 ? rsName.left(at) : QString();
    }
    return rsName;
}
