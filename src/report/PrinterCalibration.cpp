#include "report/PrinterCalibration.h"

#include "report/LayoutLine.h"
#include "report/ReportErrors.h"
#include "zimbrel2/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

PrinterCalibration PrinterCalibration::forPrinter(const QString& folder, const QString& printer)
{
    QFile file(QDir(folder).filePath(QString::fromUtf16(FileName)));
    if (folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return fromText(QString::fromUtf8(file.readAll()), printer);
}

PrinterCalibration PrinterCalibration::fromText(const QString& text, const QString& printer,
                                                const QString& fileName)
{
    std::optional<PrinterCalibration> own;
    std::optional<PrinterCalibration> everyPrinter;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        auto fail = [&](const QString& message) {
            throw RuntimeError(ReportErrors::ReporteInvalido,
                               fileName + u", línea "_s + QString::number(i + 1) + u": "_s + message,
                               u"ClsReporte"_s);
        };
        QString error;
        const std::optional<LayoutLine> line = LayoutLine::split(lines.at(i).trimmed(), &error);
        if (!line)
            fail(error);
        if (line->isEmpty())
            continue;
        if (line->keyword() != u"impresora"_s)
            fail(u"palabra clave desconocida '%1'"_s.arg(line->keyword()));
        if (line->positional().size() != 1)
            fail(u"falta el nombre de la impresora entre comillas"_s);
        PrinterCalibration calibration;
        for (const auto& [key, value] : line->options()) {
            static const QRegularExpression number(u"^-?[0-9]+(\\.[0-9]+)?$"_s);
            if (key != u"x"_s && key != u"y"_s && key != u"rotacion"_s)
                fail(u"clave desconocida '%1' en \"impresora\""_s.arg(key));
            if (!number.match(value).hasMatch())
                fail(u"'%1' no es un número válido para '%2' (use el punto para los decimales)"_s.arg(value,
                                                                                                      key));
            (key == u"x"_s   ? calibration.x
             : key == u"y"_s ? calibration.y
                             : calibration.rotation) = value.toDouble();
        }
        const QString& name = line->positional().first();
        if (name == u"*"_s)
            everyPrinter = calibration;
        else if (name.compare(printer, Qt::CaseInsensitive) == 0)
            own = calibration;
    }
    if (own)
        return *own;
    // The PDF file is no printer: only its own line moves it.
    if (everyPrinter && printer.compare(u"PDF"_s, Qt::CaseInsensitive) != 0)
        return *everyPrinter;
    return {};
}
