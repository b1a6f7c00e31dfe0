#pragma once

#include "zimbrel2/RuntimeError.h"

#include <QList>
#include <QString>

/// One entry of a connection's error collection, as the suite's database providers report it:
/// the runtime error number, the SQL state, the description and the server's native error code
/// (SQL Server's numbering on every engine: 2627 duplicate key, 547 reference violation, ...).
struct AdoError
{
    long number = 0;
    QString sqlState;
    QString description;
    long nativeError = 0;
    QString source;

    RuntimeError toRuntimeError() const { return RuntimeError(number, description, source); }
};

/// Runtime error numbers the data layer raises, with the meaning the callers rely on.
namespace AdoErrorNumber {
/// Either BOF or EOF is true, or the current record has been deleted.
constexpr long NoCurrentRecord = 3021;
/// Operation is not allowed in this context (a pending edit, for one).
constexpr long NotAllowedInContext = 3219;
/// Operation is not allowed when the object is closed.
constexpr long ObjectClosed = 3704;
/// Operation is not allowed when the object is open.
constexpr long ObjectOpen = 3705;
/// The connection cannot be used to perform this operation: it is closed or invalid.
constexpr long ConnectionClosed = 3709;
/// Item cannot be found in the collection (an unknown field name).
constexpr long ItemNotFound = 3265;
/// Unspecified provider error: also what a lost connection gives.
constexpr long Unspecified = -2147467259; // 0x80004005
/// Syntax error or access violation in the command text.
constexpr long CommandText = -2147217900; // 0x80040E14
/// The table or view does not exist.
constexpr long NoSuchTable = -2147217865; // 0x80040E37
/// Integrity violation (duplicate key, reference, not null).
constexpr long Integrity = -2147217873; // 0x80040E2F
/// Data value out of range / would be truncated.
constexpr long DataOverflow = -2147217833; // 0x80040E57
/// Login failed or the database cannot be opened.
constexpr long LoginFailed = -2147217843; // 0x80040E4D
} // namespace AdoErrorNumber

/// SQL Server native error codes the program tests for.
namespace NativeError {
constexpr long DuplicateKey = 2627;
constexpr long UniqueIndex = 2601;
constexpr long ReferenceViolation = 547;
constexpr long Truncation = 8152;
constexpr long NullNotAllowed = 515;
constexpr long InvalidObjectName = 208;
constexpr long InvalidColumnName = 207;
constexpr long SyntaxError = 102;
constexpr long LoginFailed = 18456;
constexpr long CannotOpenDatabase = 4060;
} // namespace NativeError
