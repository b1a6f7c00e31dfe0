#include "cheques/EstadoBarra.h"

EstadoBarra::EstadoBarra()
{
    for (int id : {Principal, Grabar, C, D, F, Diez, Once})
        m_valores.insert(id, false);
}

void EstadoBarra::set(int id, bool valor)
{
    if (m_valores.contains(id))
        m_valores[id] = valor;
}
