#include "data/AdoRecordset.h"

#include "data/AdoConnection.h"
#include "data/SqlEngine.h"

#include <QSqlDatabase>
#include <QSqlIndex>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace {

const QString RecordsetSource = u"ADODB.Recordset"_s;

[[noreturn]] void raise(long number, const QString& description)
{
    throw RuntimeError(number, description, RecordsetSource);
}

// The table a single-table SELECT reads: the name after FROM, without owner, brackets or hint,
// when nothing joins a second table to it. Empty otherwise.
QString singleTable(const QString& source)
{
    QStringList tokens;
    QString current;
    bool quoted = false;
    for (QChar c : source) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c.isSpace() || c == u',' || c == u'(' || c == u')') {
            if (!current.isEmpty())
                tokens.append(current);
            current.clear();
            if (c == u',' || c == u'(')
                tokens.append(QString(c));
            continue;
        }
        current += c;
    }
    if (!current.isEmpty())
        tokens.append(current);
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].compare(u"from", Qt::CaseInsensitive) != 0)
            continue;
        QString table = tokens[i + 1];
        if (table.startsWith(u"dbo."_s, Qt::CaseInsensitive))
            table = table.mid(4);
        if (table.startsWith(u'[') && table.endsWith(u']'))
            table = table.mid(1, table.size() - 2);
        for (qsizetype j = i + 2; j < tokens.size(); ++j) {
            const QString& t = tokens[j];
            if (t == u"," || t.compare(u"join", Qt::CaseInsensitive) == 0)
                return QString();
            if (t.compare(u"where", Qt::CaseInsensitive) == 0 ||
                t.compare(u"order", Qt::CaseInsensitive) == 0)
                break;
        }
        return table;
    }
    return QString();
}

QString bracketed(const QString& name)
{
    return u'[' + name + u']';
}

} // namespace

void AdoRecordset::open(const QString& source, AdoConnection* connection, int cursorType, int lockType,
                        long /*options*/)
{
    if (m_open)
        raise(3705, u"Operation is not allowed when the object is open."_s);
    if (!connection || !connection->isOpen())
        raise(3709,
              u"The connection cannot be used to perform this operation. It is either closed or invalid "
              u"in this context."_s);
    AdoConnection::Result result;
    connection->run(source, &result, nullptr);
    m_connection = connection;
    m_source = source;
    m_cursorType = cursorType;
    m_lockType = lockType;
    m_editMode = EditNone;
    if (!result.hasRows) {
        // A statement that returns no rows leaves the recordset closed, as the providers do.
        m_open = false;
        return;
    }
    m_fields = std::move(result.fields);
    m_values = std::move(result.values);
    m_rows = result.rows;
    m_position = 0;
    m_open = true;
}

void AdoRecordset::close()
{
    if (!m_open)
        raise(3704, u"Operation is not allowed when the object is closed."_s);
    if (m_editMode != EditNone)
        raise(3219, u"Operation is not allowed in this context."_s);
    m_open = false;
    m_fields.clear();
    m_values.clear();
    m_values.shrink_to_fit();
    m_rows = 0;
    m_position = 0;
}

bool AdoRecordset::bof() const
{
    requireOpen();
    return m_rows == 0 || m_position < 0;
}

bool AdoRecordset::eof() const
{
    requireOpen();
    return m_rows == 0 || m_position >= m_rows;
}

long AdoRecordset::recordCount() const
{
    requireOpen();
    return m_rows;
}

void AdoRecordset::moveFirst()
{
    requireOpen();
    m_position = 0;
}

void AdoRecordset::moveNext()
{
    requireOpen();
    if (m_position >= m_rows)
        raise(3021, u"Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    u"requires a current record."_s);
    ++m_position;
}

void AdoRecordset::movePrevious()
{
    requireOpen();
    if (m_cursorType == 0)
        raise(-2147217884, u"Rowset does not support fetching backward."_s);
    if (m_position < 0)
        raise(3021, u"Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    u"requires a current record."_s);
    --m_position;
}

void AdoRecordset::moveLast()
{
    requireOpen();
    m_position = m_rows > 0 ? m_rows - 1 : 0;
}

const AdoField& AdoRecordset::field(int index) const
{
    requireOpen();
    if (index < 0 || index >= m_fields.size())
        raise(3265,
              u"Item cannot be found in the collection corresponding to the requested name or ordinal."_s);
    return m_fields[index];
}

int AdoRecordset::fieldIndex(QStringView name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant AdoRecordset::value(int index) const
{
    field(index);
    if (m_editMode != EditNone)
        return m_editValues[index];
    requireCurrent();
    return m_values[cell(index)];
}

QVariant AdoRecordset::value(QStringView name) const
{
    requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        raise(3265,
              u"Item cannot be found in the collection corresponding to the requested name or ordinal."_s);
    return value(index);
}

void AdoRecordset::setValue(QStringView name, const QVariant& value)
{
    requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        raise(3265,
              u"Item cannot be found in the collection corresponding to the requested name or ordinal."_s);
    if (m_lockType == 1)
        raise(3251, u"Current Recordset does not support updating. This may be a limitation of the provider, "
                    u"or of the selected locktype."_s);
    if (m_editMode == EditNone) {
        requireCurrent();
        m_editValues.assign(m_values.begin() + cell(0), m_values.begin() + cell(0) + m_fields.size());
        m_edited.assign(m_fields.size(), false);
        m_editMode = EditInProgress;
    }
    m_editValues[index] = value;
    m_edited[index] = true;
}

void AdoRecordset::addNew()
{
    requireOpen();
    if (m_lockType == 1)
        raise(3251, u"Current Recordset does not support updating. This may be a limitation of the provider, "
                    u"or of the selected locktype."_s);
    if (m_editMode != EditNone)
        update();
    m_editValues.assign(m_fields.size(), QVariant());
    m_edited.assign(m_fields.size(), false);
    m_editMode = EditAdd;
}

void AdoRecordset::update()
{
    requireOpen();
    if (m_editMode == EditNone)
        return;
    const QString table = updatableTable();
    const SqlEngine* engine = m_connection->engine();
    QStringList names;
    QList<QVariant> values;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (!m_edited[i])
            continue;
        names.append(bracketed(m_fields[i].name));
        values.append(engine->toEngineValue(m_editValues[i], m_fields[i].type));
    }

    if (m_editMode == EditAdd) {
        if (!names.isEmpty()) {
            QStringList marks;
            marks.fill(u"?"_s, names.size());
            const QString statement = u"INSERT INTO "_s + bracketed(table) + u" ("_s + names.join(u", "_s) +
                                      u") VALUES ("_s + marks.join(u", "_s) + u")"_s;
            m_connection->runPrepared(engine->translate(statement).value(0), values, nullptr);
        }
        m_values.insert(m_values.end(), m_editValues.begin(), m_editValues.end());
        ++m_rows;
        m_position = m_rows - 1;
        m_editMode = EditNone;
        return;
    }

    if (!names.isEmpty()) {
        // The row is found again by its primary key when the recordset holds it, otherwise by every
        // value it had when it was read.
        QStringList keyNames;
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection->m_connectionName, false);
            const QSqlIndex key = db.primaryIndex(table);
            for (int i = 0; i < key.count(); ++i) {
                if (fieldIndex(key.fieldName(i)) < 0) {
                    keyNames.clear();
                    break;
                }
                keyNames.append(key.fieldName(i));
            }
        }
        if (keyNames.isEmpty()) {
            for (const AdoField& f : m_fields)
                keyNames.append(f.name);
        }
        QStringList conditions;
        for (const QString& keyName : keyNames) {
            const int i = fieldIndex(keyName);
            const QVariant& original = m_values[cell(i)];
            if (!original.isValid() || original.isNull()) {
                conditions.append(bracketed(m_fields[i].name) + u" IS NULL"_s);
            } else {
                conditions.append(bracketed(m_fields[i].name) + u" = ?"_s);
                values.append(engine->toEngineValue(original, m_fields[i].type));
            }
        }
        QStringList assignments;
        for (const QString& name : names)
            assignments.append(name + u" = ?"_s);
        const QString statement = u"UPDATE "_s + bracketed(table) + u" SET "_s + assignments.join(u", "_s) +
                                  u" WHERE "_s + conditions.join(u" AND "_s);
        long changed = 0;
        m_connection->runPrepared(engine->translate(statement).value(0), values, &changed);
        if (changed == 0) {
            const AdoError error{
                -2147217864, u"HY000"_s,
                u"Row cannot be located for updating. Some values may have been changed since "
                u"it was last read."_s,
                0, RecordsetSource};
            m_connection->m_errors.append(error);
            throw error.toRuntimeError();
        }
    }
    std::copy(m_editValues.begin(), m_editValues.end(), m_values.begin() + cell(0));
    m_editMode = EditNone;
}

void AdoRecordset::cancelUpdate()
{
    m_editMode = EditNone;
    m_editValues.clear();
    m_edited.clear();
}

std::shared_ptr<AdoRecordset> AdoRecordset::fromRows(QList<AdoField> fields, std::vector<QVariant> rows)
{
    auto recordset = std::make_shared<AdoRecordset>();
    recordset->m_fields = std::move(fields);
    recordset->m_values = std::move(rows);
    recordset->m_rows = recordset->m_fields.isEmpty()
                            ? 0
                            : static_cast<long>(recordset->m_values.size() / recordset->m_fields.size());
    recordset->m_open = true;
    return recordset;
}

void AdoRecordset::requireOpen() const
{
    if (!m_open)
        raise(3704, u"Operation is not allowed when the object is closed."_s);
}

void AdoRecordset::requireCurrent() const
{
    if (m_rows == 0 || m_position < 0 || m_position >= m_rows)
        raise(3021, u"Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    u"requires a current record."_s);
}

QString AdoRecordset::updatableTable() const
{
    const QString table = singleTable(m_source);
    if (table.isEmpty() || !m_connection)
        raise(3251, u"Current Recordset does not support updating. This may be a limitation of the provider, "
                    u"or of the selected locktype."_s);
    return table;
}
