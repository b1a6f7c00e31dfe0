#include "zimbrel2/ClsIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringList>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// An INI file as lines, with the rules of the platform's profile functions.
class IniText
{
public:
    static std::optional<IniText> load(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray bytes = file.readAll();
        IniText ini;
        ini.m_crlf = bytes.contains("\r\n") || !bytes.contains('\n');
        // Files written by the suite are in the ANSI code page; ours are UTF-8. Take UTF-8 when the
        // bytes are valid UTF-8, else read them as Latin-1, which keeps every byte.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (utf8.hasError()) {
            text = QString::fromLatin1(bytes);
            ini.m_latin1 = true;
        }
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        text.remove(u'\r');
        ini.m_lines = text.split(u'\n');
        if (!ini.m_lines.isEmpty() && ini.m_lines.back().isEmpty())
            ini.m_lines.removeLast();
        return ini;
    }

    static IniText empty()
    {
        IniText ini;
        ini.m_crlf = true;
        return ini;
    }

    // The section a line opens, or nullopt when it opens none.
    static std::optional<QString> sectionOf(const QString& line)
    {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(u'['))
            return std::nullopt;
        const qsizetype close = trimmed.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        return trimmed.mid(1, close - 1).trimmed();
    }

    // Key and value of a "key=value" line; nullopt for comments, blank and broken lines.
    static std::optional<std::pair<QString, QString>> entryOf(const QString& line)
    {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'['))
            return std::nullopt;
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals <= 0)
            return std::nullopt;
        const QString key = trimmed.left(equals).trimmed();
        if (key.isEmpty())
            return std::nullopt;
        QString value = trimmed.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return std::pair{key, value};
    }

    // Line range [first, end) of the first section named `section`; first is the header line.
    std::optional<std::pair<qsizetype, qsizetype>> findSection(const QString& section) const
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const std::optional<QString> name = sectionOf(m_lines[i]);
            if (!name || name->compare(section, Qt::CaseInsensitive) != 0)
                continue;
            qsizetype end = i + 1;
            while (end < m_lines.size() && !sectionOf(m_lines[end]))
                ++end;
            return std::pair{i, end};
        }
        return std::nullopt;
    }

    std::optional<QString> value(const QString& section, const QString& key,
                                 qsizetype* lineIndex = nullptr) const
    {
        const auto range = findSection(section);
        if (!range)
            return std::nullopt;
        for (qsizetype i = range->first + 1; i < range->second; ++i) {
            const auto entry = entryOf(m_lines[i]);
            if (entry && entry->first.compare(key, Qt::CaseInsensitive) == 0) {
                if (lineIndex)
                    *lineIndex = i;
                return entry->second;
            }
        }
        return std::nullopt;
    }

    void set(const QString& section, const QString& key, const QString& value)
    {
        const QString line = key + u'=' + value;
        qsizetype index = -1;
        if (this->value(section, key, &index)) {
            m_lines[index] = line;
            return;
        }
        if (const auto range = findSection(section)) {
            // After the section's last non-blank line, so the blank line before the next section stays.
            qsizetype at = range->second;
            while (at > range->first + 1 && m_lines[at - 1].trimmed().isEmpty())
                --at;
            m_lines.insert(at, line);
            return;
        }
        if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    }

    QByteArray bytes() const
    {
        const QString newline = m_crlf ? u"\r\n"_s : u"\n"_s;
        QString text;
        for (const QString& line : m_lines)
            text += line + newline;
        return m_latin1 ? text.toLatin1() : text.toUtf8();
    }

private:
    QStringList m_lines;
    bool m_crlf = true;
    bool m_latin1 = false;
};

// The search order for a bare file name.
QStringList searchFolders()
{
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("TALONEX_INI_DIR").trimmed();
    if (!fromEnvironment.isEmpty())
        folders << fromEnvironment;
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    folders << QDir::currentPath();
    return folders;
}

bool isBareName(const QString& fileName)
{
    return !QDir::fromNativeSeparators(fileName).contains(u'/');
}

QString findInFolder(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    const QStringList matches = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : matches) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

} // namespace

QString ClsIni::UbicaArchivo(const QString& fileName)
{
    if (fileName.trimmed().isEmpty())
        return QString();
    if (!isBareName(fileName))
        return QFileInfo(fileName).isFile() ? fileName : QString();
    for (const QString& folder : searchFolders()) {
        const QString found = findInFolder(folder, fileName);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString ClsIni::LeeIni(const QString& fileName, const QString& section, const QString& key,
                       const QString& defaultValue)
{
    const QString path = UbicaArchivo(fileName);
    if (path.isEmpty())
        return defaultValue;
    const std::optional<IniText> ini = IniText::load(path);
    if (!ini)
        return defaultValue;
    return ini->value(section.trimmed(), key.trimmed()).value_or(defaultValue);
}

bool ClsIni::EscribeIni(const QString& fileName, const QString& section, const QString& key,
                        const QString& value)
{
    if (fileName.trimmed().isEmpty() || section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    QString path = UbicaArchivo(fileName);
    if (path.isEmpty())
        path = isBareName(fileName) ? QDir(searchFolders().front()).filePath(fileName) : fileName;
    IniText ini = IniText::empty();
    if (QFileInfo::exists(path)) {
        // A file that exists but cannot be read is left alone rather than replaced by one line.
        std::optional<IniText> existing = IniText::load(path);
        if (!existing)
            return false;
        ini = std::move(*existing);
    }
    // A line break in the value would end the line early and leave the rest as a broken line.
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    ini.set(section.trimmed(), key.trimmed(), oneLine);
    // Replace the file only once the new text is wholly written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ini.bytes());
    return file.commit();
}
