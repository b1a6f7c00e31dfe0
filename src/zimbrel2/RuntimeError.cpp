#include "zimbrel2/RuntimeError.h"

using namespace Qt::StringLiterals;

RuntimeError::RuntimeError(long number, const QString& description, const QString& source)
    : m_number(number), m_description(description), m_source(source),
      m_what((u"("_s + QString::number(number) + u") "_s + description).toUtf8())
{
}

const char* RuntimeError::what() const noexcept
{
    return m_what.constData();
}
