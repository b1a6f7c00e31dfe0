#include "banner/LineaCartel.h"

LineaCartel::LineaCartel(const QString& texto) : m_dada(true), m_texto(texto) {}

LineaCartel::LineaCartel(const char16_t* texto) : m_dada(true), m_texto(QString::fromUtf16(texto)) {}

LineaCartel::LineaCartel(const QVariant& valor)
    : m_dada(true), m_texto(valor.isNull() ? QString() : valor.toString())
{
}
