#include "data/SqliteFunctions.h"

#include "data/TsqlDates.h"
#include "zimbrel2/Clock.h"

#include <QByteArray>
#include <QChar>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/utypes.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

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

// The texts as equal when they differ only in case: ASCII folded in place, anything else through
// Qt's case folding, which agrees with the ASCII folding, so the order is one total order.
int compareFolded(const unsigned char* a, int length1, const unsigned char* b, int length2)
{
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

// Spanish order without regard to case, with regard to accents, as the suite's server collation
// sorts: "Álamo" beside "Alamo", "Ñandú" after "Nutria". ICU collators are safe to share between
// threads for comparing. Null when ICU cannot give one: the order is then the folded one.
UCollator* spanishCollator()
{
    static UCollator* const collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("es", &status);
        if (U_FAILURE(status)) {
            qWarning("SQLite: no Spanish collation from ICU (%s); texts sort by their case-folded code",
                     u_errorName(status));
            return static_cast<UCollator*>(nullptr);
        }
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return collator;
}

// The rank of each printable ASCII character in the Spanish order (letters of both cases share
// one), taken from the collator itself; 0 for other bytes. At this strength every printable ASCII
// character is one collation element and none of them form contractions, so two printable ASCII
// texts compare as their rank sequences do: the common case (codes, numbers, plain names) needs no
// call into ICU.
const std::array<unsigned char, 128>& asciiRanks()
{
    static const std::array<unsigned char, 128> ranks = [] {
        std::array<unsigned char, 128> r{};
        UCollator* collator = spanishCollator();
        if (!collator)
            return r;
        std::vector<char> chars;
        for (char c = ' '; c <= '~'; ++c)
            chars.push_back(c);
        UErrorCode status = U_ZERO_ERROR;
        const auto order = [&](char a, char b) { return ucol_strcollUTF8(collator, &a, 1, &b, 1, &status); };
        std::stable_sort(chars.begin(), chars.end(),
                         [&](char a, char b) { return order(a, b) == UCOL_LESS; });
        unsigned char rank = 0;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            if (i == 0 || order(chars[i - 1], chars[i]) != UCOL_EQUAL)
                ++rank;
            r[static_cast<unsigned char>(chars[i])] = rank;
        }
        if (U_FAILURE(status))
            r.fill(0);
        return r;
    }();
    return ranks;
}

// Trailing blanks do not count. Texts the Spanish order holds equal are told apart by the folded
// comparison, so that equality stays what it was (case and trailing blanks ignored, nothing else)
// and the order stays total.
int compareText(void*, int length1, const void* data1, int length2, const void* data2)
{
    const auto* a = static_cast<const unsigned char*>(data1);
    const auto* b = static_cast<const unsigned char*>(data2);
    while (length1 > 0 && a[length1 - 1] == ' ')
        --length1;
    while (length2 > 0 && b[length2 - 1] == ' ')
        --length2;
    const std::array<unsigned char, 128>& ranks = asciiRanks();
    const int common = std::min(length1, length2);
    int i = 0;
    for (; i < common; ++i) {
        if ((a[i] | b[i]) & 0x80 || ranks[a[i]] == 0 || ranks[b[i]] == 0)
            break;
        if (ranks[a[i]] != ranks[b[i]])
            return ranks[a[i]] < ranks[b[i]] ? -1 : 1;
    }
    if (i == common) {
        const bool restPrintable = [&] {
            const unsigned char* rest = length1 > length2 ? a : b;
            for (int k = common; k < std::max(length1, length2); ++k) {
                if (rest[k] & 0x80 || ranks[rest[k]] == 0)
                    return false;
            }
            return true;
        }();
        if (restPrintable)
            return length1 < length2 ? -1 : (length1 > length2 ? 1 : 0);
    }
    if (UCollator* collator = spanishCollator()) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult order = ucol_strcollUTF8(collator, reinterpret_cast<const char*>(a), length1,
                                                        reinterpret_cast<const char*>(b), length2, &status);
        if (U_SUCCESS(status) && order != UCOL_EQUAL)
            return order == UCOL_LESS ? -1 : 1;
    }
    return compareFolded(a, length1, b, length2);
}

// The case-folded code points of a UTF-8 text.
std::u32string foldedCodePoints(sqlite3_value* value)
{
    const auto* data = reinterpret_cast<const unsigned char*>(sqlite3_value_text(value));
    const int length = sqlite3_value_bytes(value);
    std::u32string out;
    out.reserve(std::size_t(length));
    bool ascii = true;
    for (int i = 0; i < length && ascii; ++i)
        ascii = data[i] < 0x80;
    if (ascii) {
        for (int i = 0; i < length; ++i)
            out.push_back(char32_t(static_cast<unsigned char>(foldAscii(data[i]))));
        return out;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), length);
    for (char32_t c : text.toUcs4())
        out.push_back(QChar::toCaseFolded(c));
    return out;
}

// SQL's LIKE on folded code points: "%" any run, "_" one character, `escape` takes the next one as
// it stands. Linear in practice: only the last "%" is ever gone back to.
bool likeMatch(const std::u32string& pattern, const std::u32string& text, char32_t escape)
{
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starPattern = std::u32string::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == U'%' && pattern[p] != escape) {
            starPattern = ++p;
            starText = t;
            continue;
        }
        if (p < pattern.size()) {
            const bool escaped = pattern[p] == escape && p + 1 < pattern.size();
            const char32_t want = escaped ? pattern[p + 1] : pattern[p];
            if ((!escaped && want == U'_') || want == text[t]) {
                p += escaped ? 2 : 1;
                ++t;
                continue;
            }
        }
        if (starPattern == std::u32string::npos)
            return false;
        p = starPattern;
        t = ++starText;
    }
    while (p < pattern.size() && pattern[p] == U'%' && pattern[p] != escape)
        ++p;
    return p == pattern.size();
}

// like(pattern, text[, escape]): "text LIKE pattern" without regard to case for every letter, as
// the server compares ("QUÍMICA" finds "Química Industrial"); accents still count.
void like(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    char32_t escape = 0xFFFFFFFF;
    if (argc == 3) {
        const std::u32string e = foldedCodePoints(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.front();
    }
    sqlite3_result_int(context, likeMatch(foldedCodePoints(argv[0]), foldedCodePoints(argv[1]), escape));
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
               SQLITE_OK &&
           sqlite3_create_function(db, "like", 2, pure, nullptr, like, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 3, pure, nullptr, like, nullptr, nullptr) == SQLITE_OK;
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

bool SqliteFunctions::reindexForTextOrder(const QSqlDatabase& db, QString* error)
{
    QSqlQuery query(db);
    const auto version = [&] {
        return query.exec(u"PRAGMA user_version"_s) && query.next() ? query.value(0).toInt() : -1;
    };
    const auto failed = [&] {
        if (error)
            *error = query.lastError().text();
        return false;
    };
    const int found = version();
    if (found < 0)
        return failed();
    if (found >= TextOrderVersion)
        return true;
    // Another workstation may be doing the same: the write lock first, then look again.
    if (!query.exec(u"BEGIN IMMEDIATE"_s))
        return failed();
    const int locked = version();
    if (locked >= 0 && locked < TextOrderVersion &&
        (!query.exec(u"REINDEX "_s + QString::fromLatin1(TextCollation)) ||
         !query.exec(u"PRAGMA user_version = "_s + QString::number(TextOrderVersion)))) {
        const bool ok = failed();
        query.exec(u"ROLLBACK"_s);
        return ok;
    }
    if (!query.exec(u"COMMIT"_s)) {
        const bool ok = failed();
        query.exec(u"ROLLBACK"_s);
        return ok;
    }
    return true;
}
