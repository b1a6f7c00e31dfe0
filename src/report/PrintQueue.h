#pragma once

#include <QString>

/// A printer queue as the print server sees it, asked through libcups. Qt's print support hands a
/// finished job to the server and keeps no answer of it, so the printer destination asks here
/// beforehand whether the server will take a job and afterwards whether it did.
namespace PrintQueue {

/// True when the print server answers.
bool serverAnswers();

/// "" when the server answers and `printer` exists and accepts jobs; otherwise why not, in a
/// sentence that names the printer.
QString problem(const QString& printer);

/// Why the server refused the job last handed to it from this thread; "" when it took it. libcups
/// keeps the outcome of its last request per thread: read it right after the painter that printed has
/// ended, with `problem` asked just before painting, so that the only request between the two is the
/// job's own.
QString refusal(const QString& printer);

} // namespace PrintQueue
