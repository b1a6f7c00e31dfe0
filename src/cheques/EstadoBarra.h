#pragma once

#include <QMap>

/// The seven switches of the cheque window's toolbar, kept by their numbers as the suite's toolbar
/// knows them. 0x6803000B is on exactly while the list holds loaded rows, which is when "GRABAR"
/// can be used.
class EstadoBarra
{
public:
    static constexpr int Principal = 0x6803000A;
    static constexpr int Grabar = 0x6803000B;
    static constexpr int C = 0x6803000C;
    static constexpr int D = 0x6803000D;
    static constexpr int F = 0x6803000F;
    static constexpr int Diez = 0x68030010;
    static constexpr int Once = 0x68030011;

    EstadoBarra();

    void set(int id, bool valor);
    bool valor(int id) const { return m_valores.value(id); }
    const QMap<int, bool>& valores() const { return m_valores; }

private:
    QMap<int, bool> m_valores;
};
