#include "data/ConnectionString.h"

using namespace Qt::StringLiterals;

namespace {

struct Item
{
    QString key;
    QString value;
    qsizetype valueBegin = -1; // where the value's text (quotes included) lies in the string
    qsizetype valueEnd = -1;
};

// Items are "key=value" separated by ";". A value may be quoted with " or ' (a doubled quote stands
// for itself) so that it can hold ";".
QList<Item> parse(const QString& text)
{
    QList<Item> items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype keyBegin = i;
        while (i < n && text[i] != u'=' && text[i] != u';')
            ++i;
        Item item;
        item.key = text.mid(keyBegin, i - keyBegin).trimmed();
        if (i < n && text[i] == u'=') {
            ++i;
            item.valueBegin = i;
            qsizetype j = i;
            while (j < n && text[j] == u' ')
                ++j;
            if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
                const QChar quote = text[j];
                qsizetype k = j + 1;
                while (k < n) {
                    if (text[k] == quote) {
                        if (k + 1 < n && text[k + 1] == quote) {
                            item.value += quote;
                            k += 2;
                            continue;
                        }
                        break;
                    }
                    item.value += text[k++];
                }
                i = std::min(k + 1, n);
                item.valueEnd = i;
                while (i < n && text[i] != u';')
                    ++i;
            } else {
                while (i < n && text[i] != u';')
                    ++i;
                item.value = text.mid(j, i - j).trimmed();
                item.valueEnd = i;
            }
        }
        if (!item.key.isEmpty())
            items.append(item);
        ++i; // the ";"
    }
    return items;
}

bool isPasswordKey(QStringView key)
{
    return key.compare(u"pwd", Qt::CaseInsensitive) == 0 || key.endsWith(u"password", Qt::CaseInsensitive);
}

} // namespace

ConnectionString::ConnectionString(const QString& text) : m_text(text)
{
    for (const Item& item : parse(text))
        m_items.append({item.key, item.value});
}

QString ConnectionString::value(std::initializer_list<QStringView> keys) const
{
    for (const auto& [key, value] : m_items) {
        for (QStringView wanted : keys) {
            if (key.compare(wanted.trimmed(), Qt::CaseInsensitive) == 0)
                return value.trimmed();
        }
    }
    return {};
}

bool ConnectionString::has(QStringView key) const
{
    const QStringView wanted = key.trimmed();
    for (const auto& item : m_items) {
        if (item.first.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ConnectionString::provider() const
{
    return value({u"Provider"});
}

bool ConnectionString::isOracle() const
{
    const QString name = provider();
    return name.startsWith(u"OraOLEDB", Qt::CaseInsensitive) ||
           name.compare(u"MSDAORA", Qt::CaseInsensitive) == 0;
}

QString ConnectionString::server() const
{
    return value({u"Server", u"Data Source", u"Host"});
}

QString ConnectionString::database() const
{
    return value({u"Database", u"Initial Catalog"});
}

QString ConnectionString::dataSource() const
{
    return value({u"Data Source"});
}

QString ConnectionString::user() const
{
    return value({u"UId", u"User Id", u"User"});
}

QString ConnectionString::password() const
{
    return value({u"Pwd", u"Password"});
}

QString ConnectionString::masked() const
{
    QString out = m_text;
    const QList<Item> items = parse(m_text);
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        if (it->valueBegin >= 0 && isPasswordKey(it->key))
            out.replace(it->valueBegin, it->valueEnd - it->valueBegin, u"****"_s);
    }
    return out;
}
