#pragma once

#include "data/TsqlPieces.h"

#include <QList>
#include <QString>

/// A batch in SQL Server's dialect as the statements it holds. Statements are told apart at ";",
/// at "GO" lines and where a statement keyword starts a line (not SET inside UPDATE, SELECT inside
/// INSERT, ON DELETE, UNION SELECT, ...), and around BEGIN/COMMIT/ROLLBACK TRANSACTION also within
/// a line; other statements on one line stay together. CREATE TRIGGER keeps its body whole.
class TsqlBatch : public TsqlPieces
{
public:
    explicit TsqlBatch(QStringView source);

    /// Where each statement of the batch lies, in order ("GO" lines and ";" belong to none).
    QList<TsqlRange> statements() const;
    /// "BEGIN", "COMMIT" or "ROLLBACK" when `r` is a transaction statement ("BEGIN TRANSACTION",
    /// "COMMIT TRANS", "ROLLBACK", ...); empty for any other statement.
    QString transactionStatement(TsqlRange r) const;
    /// True when `r` sets a session option (SET NOCOUNT ON, SET TRANSACTION ISOLATION LEVEL ...).
    bool isSessionSet(TsqlRange r) const;

private:
    struct StatementState
    {
        qsizetype first = -1;
        bool sawSource = false; // INSERT: VALUES or SELECT seen
        bool sawSet = false;    // UPDATE: SET seen
        bool trigger = false;   // CREATE TRIGGER: its body holds statements of its own
        int bodyDepth = 0;
        bool bodyOpen = false;
    };

    bool startsLine(qsizetype i) const;
    bool isGoLine(qsizetype i) const;
    bool isTransactionKeyword(qsizetype i) const;
    bool startsStatement(qsizetype i, const StatementState& s) const;
    void noteWord(qsizetype i, StatementState& s) const;
};
