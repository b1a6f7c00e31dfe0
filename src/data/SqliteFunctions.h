#pragma once

class QSqlDatabase;
class QString;
struct sqlite3;

/// What SQL Server's statements expect of the server and SQLite lacks, registered on each SQLite
/// connection: the text collation, like(), charindex(), getdate() and tsql_datetime().
class SqliteFunctions
{
public:
    /// The collation that compares texts as the suite's server does: without regard to case (also
    /// for letters beyond ASCII, such as "Ñ" and "ñ") and ignoring trailing blanks, so 'ABC' =
    /// 'abc  ', in Spanish order ("Álamo" beside "Alamo", "Ñandú" after "Nutria", accents counted).
    static constexpr const char* TextCollation = "NOCASE_RTRIM";
    /// The order of TextCollation a file's indexes were built in, kept in its PRAGMA user_version:
    /// 0 for files from before the Spanish order, whose indexes must be rebuilt.
    static constexpr int TextOrderVersion = 1;

    /// Registers the collation and the functions on `db`; false when SQLite refused one of them.
    /// - like(pattern, text[, escape]): LIKE without regard to case for every letter.
    /// - charindex(needle, text[, start]): 1-based position of needle in text, without regard to
    ///   case as the server's collation compares; 0 when absent.
    /// - getdate(): the program clock's date and time, 'YYYY-MM-DD HH:MM:SS'.
    /// - tsql_datetime(text, style): a date text in a CONVERT style as ISO text; NULL when it is
    ///   not a date.
    static bool registerOn(sqlite3* db);
    /// The same on an open Qt SQLite connection: every connection to a database whose text columns
    /// are declared with the collation needs it, the generator's and a test's too.
    static bool registerOn(const QSqlDatabase& db);
    /// Rebuilds, once, the indexes of a file built in an older text order and marks the file with
    /// TextOrderVersion; nothing for a file already marked. False (with `error`) when it failed.
    static bool reindexForTextOrder(const QSqlDatabase& db, QString* error);
};
