#include "data/SqliteFunctions.h"

#include "data/TsqlDates.h"
#include "zimbrel2/Clock.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString textArgument(sqlite3_value* value)
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(data, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value** argv)
{
    return std::any_of(argv, argv + argc,
                       [](sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; });
}

void charindex(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QString needle = textArgument(argv[0]);
    const QString text = textArgument(argv[1]);
    const sqlite3_int64 start = argc == 3 ? std::max<sqlite3_int64>(1, sqlite3_value_int64(argv[2])) : 1;
    if (needle.isEmpty() || start > text.size()) {
        sqlite3_result_int64(context, 0);
        return;
    }
    sqlite3_result_int64(context, text.indexOf(needle, qsizetype(start - 1), Qt::CaseInsensitive) + 1);
}

void getdate(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s));
}

void tsqlDatetime(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int style =
        argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL ? sqlite3_value_int(argv[1]) : -1;
    const QString iso = TsqlDates::isoDate(textArgument(argv[0]), style);
    if (iso.isEmpty())
        sqlite3_result_null(context);
    else
        resultText(context, iso);
}

char foldAscii(unsigned char c)
{
    return char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

// Trailing blanks do not count; ASCII is folded in place, anything else through Qt's case folding,
// which agrees with the ASCII folding, so the order stays one total order.
int compareText(void*, int length1, const void* data1, int length2, const void* data2)
{
    const auto* a = static_cast<const unsigned char*>(data1);
    const auto* b = static_cast<const unsigned char*>(data2);
    while (length1 > 0 && a[length1 - 1] == ' ')
        --length1;
    while (length2 > 0 && b[length2 - 1] == ' ')
        --length2;
    const int common = std::min(length1, length2);
    for (int i = 0; i < common; ++i) {
        if ((a[i] | b[i]) & 0x80) {
            const QString s1 = QString::fromUtf8(reinterpret_cast<const char*>(a + i), length1 - i);
            const QString s2 = QString::fromUtf8(reinterpret_cast<const char*>(b + i), length2 - i);
            return s1.compare(s2, Qt::CaseInsensitive);
        }
        const char c1 = foldAscii(a[i]);
        const char c2 = foldAscii(b[i]);
        if (c1 != c2)
            return (unsigned char)c1 < (unsigned char)c2 ? -1 : 1;
    }
    return length1 < length2 ? -1 : (length1 > length2 ? 1 : 0);
}

} // namespace

bool SqliteFunctions::registerOn(sqlite3* db)
{
    if (!db)
        return false;
    constexpr int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation(db, TextCollation, SQLITE_UTF8, nullptr, compareText) == SQLITE_OK &&
           sqlite3_create_function(db, "charindex", 2, pure, nullptr, charindex, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "charindex", 3, pure, nullptr, charindex, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr, getdate, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "tsql_datetime", 1, pure, nullptr, tsqlDatetime, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "tsql_datetime", 2, pure, nullptr, tsqlDatetime, nullptr, nullptr) ==
               SQLITE_OK;
}

bool SqliteFunctions::registerOn(const QSqlDatabase& db)
{
    if (!db.driver())
        return false;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    return registerOn(*static_cast<sqlite3* const*>(handle.constData()));
}
