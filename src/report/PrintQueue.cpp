#include "report/PrintQueue.h"

#include <cups/cups.h>

using namespace Qt::StringLiterals;

namespace {

/// The queue name libcups knows: Qt names a printer instance "queue/instance".
QByteArray queueName(const QString& printer)
{
    return printer.section(u'/', 0, 0).toUtf8();
}

QString quoted(const QString& printer)
{
    return u"La impresora \""_s + printer + u"\""_s;
}

QString lastErrorText()
{
    const char* text = cupsLastErrorString();
    return text && *text ? QString::fromUtf8(text) : QString::fromUtf8(ippErrorString(cupsLastError()));
}

/// The server's answer to Get-Printer-Attributes for the queue (null when there is none; the status
/// is then in cupsLastError).
ipp_t* printerAttributes(const QByteArray& name)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.constData());
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state-message",
                                         "printer-state-reasons"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(sizeof(wanted) / sizeof(wanted[0])), nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response && ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        ippDelete(response);
        return nullptr;
    }
    return response;
}

bool unreachable(ipp_status_t status)
{
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

} // namespace

bool PrintQueue::serverAnswers()
{
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool answered = response != nullptr || !unreachable(cupsLastError());
    ippDelete(response);
    return answered;
}

QString PrintQueue::problem(const QString& printer)
{
    ipp_t* response = printerAttributes(queueName(printer));
    if (!response) {
        const ipp_status_t status = cupsLastError();
        if (unreachable(status))
            return quoted(printer) + u" no está disponible. El servidor de impresión ("_s +
                   QString::fromUtf8(cupsServer()) + u") no responde."_s;
        if (status == IPP_STATUS_ERROR_NOT_FOUND)
            return quoted(printer) +
                   u" no está disponible. El servidor de impresión no tiene ninguna impresora con ese nombre."_s;
        return quoted(printer) + u" no está disponible. "_s + lastErrorText() + u"."_s;
    }
    QString reason;
    ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !ippGetBoolean(accepting, 0)) {
        ipp_attribute_t* message = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
        const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
        reason = quoted(printer) + u" no acepta trabajos"_s +
                 (text && *text ? u": "_s + QString::fromUtf8(text) : QString()) + u"."_s;
    }
    ippDelete(response);
    return reason;
}

QString PrintQueue::refusal(const QString& printer)
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return quoted(printer) + u" no aceptó el trabajo: "_s + lastErrorText() + u"."_s;
}
