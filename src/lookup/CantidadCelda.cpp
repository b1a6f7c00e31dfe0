#include "lookup/CantidadCelda.h"

double CantidadCelda::Valor(const QString& celda)
{
    const QString text = celda.trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    bool point = false;
    while (end < text.size() && (text[end].isDigit() || (text[end] == u'.' && !point))) {
        if (text[end] == u'.')
            point = true;
        ++end;
    }
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

QString CantidadCelda::Formato(double valor, int decimales)
{
    return QString::number(valor, 'f', decimales);
}
