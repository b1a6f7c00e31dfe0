#include "zimbrel2/ScriptedOperator.h"

using namespace Qt::StringLiterals;

namespace {

// "a message box", "an input box".
QString withArticle(const QString& kind)
{
    return (u"aeiou"_s.contains(kind.front()) ? u"an "_s : u"a "_s) + kind;
}

} // namespace

void ScriptedOperator::answerMessage(int code, const QString& expectedText)
{
    m_queue.push_back({Kind::Message, code, std::nullopt, std::nullopt, expectedText});
}

void ScriptedOperator::answerInput(const std::optional<QString>& text, const QString& expectedPrompt)
{
    m_queue.push_back({Kind::Input, 0, text, std::nullopt, expectedPrompt});
}

void ScriptedOperator::answerOpenFile(const std::optional<QString>& fileName, const QString& expectedTitle)
{
    m_queue.push_back({Kind::OpenFile, 0, fileName, std::nullopt, expectedTitle});
}

void ScriptedOperator::answerFolder(const std::optional<QString>& folder, const QString& expectedTitle)
{
    m_queue.push_back({Kind::Folder, 0, folder, std::nullopt, expectedTitle});
}

void ScriptedOperator::answerPrinter(const std::optional<QString>& printerName,
                                     const QString& expectedCurrent)
{
    m_queue.push_back({Kind::Printer, 0, printerName, std::nullopt, expectedCurrent});
}

void ScriptedOperator::answerDate(const std::optional<QDate>& date)
{
    m_queue.push_back({Kind::Date, 0, std::nullopt, date, QString()});
}

bool ScriptedOperator::take(Shown& box, Answer& answer)
{
    if (m_queue.empty()) {
        box.problem = u"no answer scripted"_s;
    } else {
        const Answer& next = m_queue.front();
        if (next.kind != box.kind)
            box.problem = u"the next answer is for "_s + withArticle(kindName(next.kind)) + u" box"_s;
        else if (!next.expectedText.isEmpty() && !box.text.contains(next.expectedText))
            box.problem = u"expected a box showing \""_s + next.expectedText + u'"';
        else if (box.kind == Kind::Message && !box.buttons.contains(next.code))
            box.problem = u"answer "_s + QString::number(next.code) + u" is not among the box's buttons"_s;
    }
    box.expected = box.problem.isEmpty();
    m_shown.append(box);
    if (!box.expected) {
        noteUnexpected(box);
        return false;
    }
    answer = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

int ScriptedOperator::messageBox(const QString& text, int style, const QString& title)
{
    const MessageBoxStyle decoded = MessageBoxStyle::decode(style);
    Shown box;
    box.kind = Kind::Message;
    box.text = text;
    box.title = title;
    box.style = style;
    box.icon = decoded.icon;
    box.buttons = decoded.buttons;
    Answer answer;
    return take(box, answer) ? answer.code : MsgAnswer::Cancel;
}

std::optional<QString> ScriptedOperator::inputBox(const QString& prompt, const QString& title,
                                                  const QString& defaultText)
{
    Shown box;
    box.kind = Kind::Input;
    box.text = prompt;
    box.title = title;
    box.detail = defaultText;
    Answer answer;
    return take(box, answer) ? answer.text : std::nullopt;
}

std::optional<QString> ScriptedOperator::openFileName(const QString& title, const QString& filter,
                                                      const QString& initialFolder)
{
    Shown box;
    box.kind = Kind::OpenFile;
    box.text = title;
    box.title = title;
    box.detail = filter + u'|' + initialFolder;
    Answer answer;
    return take(box, answer) ? answer.text : std::nullopt;
}

std::optional<QString> ScriptedOperator::chooseFolder(const QString& title, const QString& initialFolder)
{
    Shown box;
    box.kind = Kind::Folder;
    box.text = title;
    box.title = title;
    box.detail = initialFolder;
    Answer answer;
    return take(box, answer) ? answer.text : std::nullopt;
}

std::optional<QString> ScriptedOperator::choosePrinter(const QString& currentPrinterName)
{
    Shown box;
    box.kind = Kind::Printer;
    box.text = currentPrinterName;
    Answer answer;
    return take(box, answer) ? answer.text : std::nullopt;
}

std::optional<QDate> ScriptedOperator::chooseDate(const QDate& initial)
{
    Shown box;
    box.kind = Kind::Date;
    box.text = initial.toString(Qt::ISODate);
    Answer answer;
    return take(box, answer) ? answer.date : std::nullopt;
}

QList<ScriptedOperator::Shown> ScriptedOperator::unexpected() const
{
    QList<Shown> boxes;
    for (const Shown& box : m_shown) {
        if (!box.expected)
            boxes.append(box);
    }
    return boxes;
}

QList<ScriptedOperator::Answer> ScriptedOperator::unusedAnswers() const
{
    return QList<Answer>(m_queue.begin(), m_queue.end());
}

QString ScriptedOperator::problems() const
{
    QStringList lines;
    for (const Shown& box : unexpected()) {
        lines << u"unexpected "_s + kindName(box.kind) + u" box (" + box.problem + u"): title \""_s +
                     box.title + u"\", text \""_s + box.text + u'"';
    }
    for (const Answer& answer : m_queue) {
        QString what = answer.kind == Kind::Message ? QString::number(answer.code)
                       : answer.kind == Kind::Date
                           ? (answer.date ? answer.date->toString(Qt::ISODate) : u"cancel"_s)
                           : answer.text.value_or(u"cancel"_s);
        if (!answer.expectedText.isEmpty())
            what += u" for \""_s + answer.expectedText + u'"';
        lines << u"unused answer to "_s + withArticle(kindName(answer.kind)) + u" box: "_s + what;
    }
    return lines.join(u'\n');
}

void ScriptedOperator::clear()
{
    m_queue.clear();
    m_shown.clear();
}

QString ScriptedOperator::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Message:
        return u"message"_s;
    case Kind::Input:
        return u"input"_s;
    case Kind::OpenFile:
        return u"open-file"_s;
    case Kind::Folder:
        return u"folder"_s;
    case Kind::Printer:
        return u"printer"_s;
    case Kind::Date:
        return u"date"_s;
    }
    return QString();
}

void ScriptedOperator::noteUnexpected(const Shown&) {}
