#include "report/LayoutLine.h"

using namespace Qt::StringLiterals;

namespace {

// Reads one word from `at`: plain characters up to a blank, or a quoted text. `quoted` tells which.
bool readWord(const QString& text, qsizetype& at, QString& word, bool& quoted, QString* error)
{
    word.clear();
    quoted = false;
    if (text.at(at) == u'"') {
        quoted = true;
        ++at;
        while (true) {
            if (at >= text.size()) {
                *error = u"comillas sin cerrar"_s;
                return false;
            }
            if (text.at(at) == u'"') {
                if (at + 1 < text.size() && text.at(at + 1) == u'"') {
                    word += u'"';
                    at += 2;
                    continue;
                }
                ++at;
                return true;
            }
            word += text.at(at++);
        }
    }
    while (at < text.size() && !text.at(at).isSpace() && text.at(at) != u'=' && text.at(at) != u'"')
        word += text.at(at++);
    return true;
}

} // namespace

std::optional<LayoutLine> LayoutLine::split(const QString& text, QString* error)
{
    LayoutLine line;
    qsizetype at = 0;
    while (true) {
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        if (at >= text.size() || text.at(at) == u'#')
            break;
        if (text.at(at) == u'=') {
            *error = u"falta el nombre antes de \"=\""_s;
            return std::nullopt;
        }
        QString word;
        bool quoted = false;
        if (!readWord(text, at, word, quoted, error))
            return std::nullopt;
        if (!quoted && at < text.size() && text.at(at) == u'=') {
            ++at;
            QString value;
            bool valueQuoted = false;
            if (at < text.size() && !text.at(at).isSpace() && !readWord(text, at, value, valueQuoted, error))
                return std::nullopt;
            line.m_options.append({word.toLower(), value});
            continue;
        }
        if (line.m_keyword.isEmpty() && !quoted)
            line.m_keyword = word.toLower();
        else if (line.m_keyword.isEmpty()) {
            *error = u"la línea empieza con un texto entre comillas"_s;
            return std::nullopt;
        } else
            line.m_positional.append(word);
    }
    if (line.m_keyword.isEmpty() && (!line.m_positional.isEmpty() || !line.m_options.isEmpty())) {
        *error = u"falta la palabra clave al principio de la línea"_s;
        return std::nullopt;
    }
    return line;
}
