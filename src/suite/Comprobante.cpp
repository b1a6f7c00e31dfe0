#include "suite/Comprobante.h"

#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

std::optional<Comprobante> Comprobante::desdeParametro(const QString& parametro)
{
    Comprobante c;
    // Longest keys first would matter only if one were a prefix of another; none of the four is.
    const std::array<std::pair<QStringView, QString*>, 4> claves{
        {{u"@TC", &c.tc}, {u"@Sucursal", &c.sucursal}, {u"@Numero", &c.numero}, {u"@Letra", &c.letra}}};
    std::array<bool, 4> vistos{};
    for (const QString& item : parametro.split(u'|')) {
        const QString texto = item.trimmed();
        if (texto.isEmpty())
            continue;
        bool conocido = false;
        for (size_t i = 0; i < claves.size(); ++i) {
            if (!texto.startsWith(claves[i].first, Qt::CaseInsensitive))
                continue;
            QString valor = texto.mid(claves[i].first.size()).trimmed();
            if (valor.startsWith(u'='))
                valor = valor.mid(1).trimmed();
            if (vistos[i] || valor.contains(u'=') || valor.contains(u'@'))
                return std::nullopt;
            *claves[i].second = valor;
            vistos[i] = true;
            conocido = true;
            break;
        }
        if (!conocido)
            return std::nullopt;
    }
    if (c.sucursal.isEmpty() || c.numero.isEmpty() || c.letra.isEmpty())
        return std::nullopt;
    return c;
}

QString Comprobante::texto() const
{
    const QString resto = sucursal + u'-' + numero + u' ' + letra;
    return tc.isEmpty() ? resto : tc + u' ' + resto;
}
