#pragma once

class QSqlDatabase;
struct sqlite3;

/// What SQL Server's statements expect of the server and SQLite lacks, registered on each SQLite
/// connection: the text collation, charindex(), getdate() and tsql_datetime().
class SqliteFunctions
{
public:
    /// The collation that compares texts as SQL Server does: without regard to case (also for
    /// letters beyond ASCII, such as "Ñ" and "ñ") and ignoring trailing blanks, so 'ABC' = 'abc  '.
    static constexpr const char* TextCollation = "NOCASE_RTRIM";

    /// Registers the collation and the functions on `db`; false when SQLite refused one of them.
    /// - charindex(needle, text[, start]): 1-based position of needle in text, without regard to
    ///   case as the server's collation compares; 0 when absent.
    /// - getdate(): the program clock's date and time, 'YYYY-MM-DD HH:MM:SS'.
    /// - tsql_datetime(text, style): a date text in a CONVERT style as ISO text; NULL when it is
    ///   not a date.
    static bool registerOn(sqlite3* db);
    /// The same on an open Qt SQLite connection: every connection to a database whose text columns
    /// are declared with the collation needs it, the generator's and a test's too.
    static bool registerOn(const QSqlDatabase& db);
};
