#pragma once

#include "data/AdoField.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <memory>
#include <vector>

class AdoConnection;

/// A recordset in the manner of the suite's data library: opened on a connection with a statement,
/// walked with BOF/EOF and Move*, fields read by name or index, and — when opened with an
/// updatable lock on a single-table SELECT — rows added and changed with AddNew, field
/// assignments and Update. Rows are fetched whole when it opens (the client-side cursor the
/// program always asks for).
class AdoRecordset
{
public:
    enum State
    {
        Closed = 0,
        Open = 1
    };
    enum EditMode
    {
        EditNone = 0,
        EditInProgress = 1,
        EditAdd = 2
    };

    AdoRecordset() = default;

    /// Runs `source` on `connection` and fetches its rows; raises the connection's first error.
    /// Raises 3705 when already open and 3709 when the connection is closed.
    void open(const QString& source, AdoConnection* connection, int cursorType = 0, int lockType = 1,
              long options = -1);
    /// Raises 3704 when already closed.
    void close();
    int state() const { return m_open ? Open : Closed; }
    bool isOpen() const { return m_open; }

    int cursorType() const { return m_cursorType; }
    void setCursorType(int cursorType) { m_cursorType = cursorType; }
    int lockType() const { return m_lockType; }
    void setLockType(int lockType) { m_lockType = lockType; }
    const QString& source() const { return m_source; }

    bool bof() const;
    bool eof() const;
    long recordCount() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const AdoField& field(int index) const;
    /// The index of a field by name (case-insensitive); -1 when there is none.
    int fieldIndex(QStringView name) const;
    /// Value of the current row; raises 3021 at BOF/EOF and 3265 for an unknown field.
    QVariant value(int index) const;
    QVariant value(QStringView name) const;
    /// Changes a field of the current (or the new) row; saved by update().
    void setValue(QStringView name, const QVariant& value);

    void addNew();
    /// Saves the pending edit or new row to the table; raises the connection's error on failure.
    void update();
    void cancelUpdate();
    int editMode() const { return m_editMode; }

    /// A recordset over rows the layer made itself (schema rowsets).
    static std::shared_ptr<AdoRecordset> fromRows(QList<AdoField> fields, std::vector<QVariant> rows);

private:
    void requireOpen() const;
    void requireCurrent() const;
    qsizetype cell(int index) const { return static_cast<qsizetype>(m_position) * m_fields.size() + index; }
    QString updatableTable() const;

    AdoConnection* m_connection = nullptr;
    QString m_source;
    int m_cursorType = 0;
    int m_lockType = 1;
    bool m_open = false;
    QList<AdoField> m_fields;
    std::vector<QVariant> m_values; // row after row
    long m_rows = 0;
    long m_position = 0; // -1 BOF, m_rows EOF
    int m_editMode = EditNone;
    std::vector<QVariant> m_editValues;
    std::vector<bool> m_edited;

    friend class AdoConnection;
};

using AdoRecordsetPtr = std::shared_ptr<AdoRecordset>;
