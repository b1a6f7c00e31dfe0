#pragma once

#include <QString>
#include <QVariant>

/// One optional progress line of Dll_Display::CartelMostrar: not given (the label keeps its text), a
/// null value (the label is emptied) or a value shown as text.
class LineaCartel
{
public:
    /// Not given.
    LineaCartel() = default;
    LineaCartel(const QString& texto);
    LineaCartel(const char16_t* texto);
    /// A null or invalid variant is a null line; anything else shows its text.
    LineaCartel(const QVariant& valor);

    bool dada() const { return m_dada; }
    /// The text the label shows ("" for a null line).
    const QString& texto() const { return m_texto; }

private:
    bool m_dada = false;
    QString m_texto;
};
