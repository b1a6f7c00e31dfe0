#include "app/HeadlessOperator.h"

#include "zimbrel2/MessageBoxStyle.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

void report(const QString& kind, const QString& title, const QString& text, const QString& answer)
{
    QTextStream err(stderr);
    QString flat = text;
    flat.replace(u"\r\n"_s, u" | "_s).replace(u'\r', u" | "_s).replace(u'\n', u" | "_s);
    err << u"talonex: ["_s << kind << u"] "_s << title.trimmed() << u": "_s << flat.trimmed() << u" -> "_s
        << answer << Qt::endl;
}

} // namespace

int HeadlessOperator::messageBox(const QString& text, int style, const QString& title)
{
    const MessageBoxStyle decoded = MessageBoxStyle::decode(style);
    const int answer = decoded.escapeAnswer();
    report(u"mensaje"_s, title, text, MessageBoxStyle::buttonCaption(answer));
    return answer;
}

std::optional<QString> HeadlessOperator::inputBox(const QString& prompt, const QString& title, const QString&)
{
    report(u"entrada"_s, title, prompt, u"cancelado"_s);
    return std::nullopt;
}

std::optional<QString> HeadlessOperator::openFileName(const QString& title, const QString& filter,
                                                      const QString&)
{
    report(u"archivo"_s, title, filter, u"cancelado"_s);
    return std::nullopt;
}

std::optional<QString> HeadlessOperator::chooseFolder(const QString& title, const QString& initialFolder)
{
    report(u"carpeta"_s, title, initialFolder, u"cancelado"_s);
    return std::nullopt;
}

std::optional<QString> HeadlessOperator::choosePrinter(const QString& currentPrinterName)
{
    report(u"impresora"_s, QString(), currentPrinterName, u"cancelado"_s);
    return std::nullopt;
}

std::optional<QDate> HeadlessOperator::chooseDate(const QDate& initial)
{
    report(u"fecha"_s, QString(), initial.toString(Qt::ISODate), u"cancelado"_s);
    return std::nullopt;
}
