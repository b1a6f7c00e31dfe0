#include "access/AccesoDirecto.h"

using namespace Qt::StringLiterals;

namespace {

// A value of type string: backslash and control characters written as escapes.
QString EscapedString(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += u"\\\\"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\t':
            out += u"\\t"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

QString AccesoDirecto::NombreAcceso()
{
    return u"Zidur Iduvid"_s;
}

QString AccesoDirecto::NombreArchivo()
{
    return NombreAcceso() + u".desktop"_s;
}

QString AccesoDirecto::ArgumentoExec(const QString& ejecutable)
{
    // The characters the format reserves in an Exec argument: such an argument goes in double
    // quotes, inside which '"', '`', '$' and '\' take a backslash.
    static const QString reserved = u" \t\n\"'\\><~|&;$*?#()`"_s;
    QString argument = ejecutable;
    argument.replace(u'%', u"%%"_s);
    bool quote = false;
    for (QChar c : argument)
        quote = quote || reserved.contains(c);
    if (quote) {
        QString quoted;
        for (QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        argument = u'"' + quoted + u'"';
    }
    // The string escapes apply on top of the quoting: a literal backslash ends up as four.
    return EscapedString(argument);
}

QString AccesoDirecto::Contenido(const QString& ejecutable, const QString& icono)
{
    return u"[Desktop Entry]\n"_s + u"Type=Application\n"_s + u"Version=1.0\n"_s + u"Name="_s +
           NombreAcceso() + u"\n"_s + u"Comment=Impresion de cheques de pago a proveedores\n"_s + u"Exec="_s +
           ArgumentoExec(ejecutable) + u"\n"_s + u"Icon="_s + EscapedString(icono) + u"\n"_s +
           u"Terminal=false\n"_s + u"Categories=Office;Finance;\n"_s;
}
