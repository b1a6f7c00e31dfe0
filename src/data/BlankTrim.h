#pragma once

#include <QString>
#include <QStringView>

/// The text without the blanks (spaces only) at its ends, as the suite's statements and typed
/// values are trimmed: tabs and line breaks are kept.
inline QString trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start).toString();
}
