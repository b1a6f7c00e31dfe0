#include "lookup/ListadoConsulta.h"

#include "app/Configuracion.h"
#include "data/AdoRecordset.h"
#include "zimbrel2/ClsUtiles.h"

#include <algorithm>

using namespace Qt::StringLiterals;

void ListadoConsulta::Encolumnar(const AdoRecordset& rs, const QString& sql, const QString& valoresDefault,
                                 QList<Columna>& columnas)
{
    const bool articulos = sql.contains(u"V_MA_ARTICULOS"_s, Qt::CaseInsensitive) ||
                           sql.contains(u"STK_MA_ARTICULOS"_s, Qt::CaseInsensitive);
    const int fields = rs.fieldCount();
    for (int i = 0; i < fields; ++i) {
        const AdoField& field = rs.field(i);
        Columna columna;
        columna.campo = field.name;
        int x = field.definedSize;
        if (field.type == AdoType::Currency || field.type == AdoType::Numeric)
            x = AnchoMoneda;
        else if (x <= 0)
            columna.sinTamano = true;
        x = std::min(x, AnchoMaximoColumna);
        columna.titulo = field.name;
        if (articulos) {
            for (int n = 1; n <= 8; ++n) {
                if (field.name.compare(u"PRECIO"_s + QString::number(n), Qt::CaseInsensitive) == 0)
                    columna.titulo = Cfg(u"NOM_PCLASE"_s + QString::number(n)).trimmed();
            }
        } else if (valoresDefault == u"@10"_s) {
            x += 10;
            columna.ensanchada = true;
        }
        columna.letras = std::max(x, 0);
        columnas << columna;
    }
}

QList<ListadoConsulta::Fila> ListadoConsulta::Leer(AdoRecordset& rs, const Opciones& opciones)
{
    QList<Fila> filas;
    if (rs.bof() && rs.eof())
        return filas;
    const bool esArticulos = opciones.sql.contains(u"articulos"_s, Qt::CaseInsensitive);
    const int fields = rs.fieldCount();
    const int punto = rs.fieldIndex(u"PUNTOPEDIDO");
    const int stock = rs.fieldIndex(u"Stock");
    const int devuelto = rs.fieldIndex(opciones.campoDevuelto.trimmed());
    const bool colorea = opciones.muestraStock == u"SI"_s && esArticulos;
    const bool marca = opciones.checkBoxes && !opciones.valoresDefault.isEmpty();

    filas.reserve(rs.recordCount());
    rs.moveFirst();
    while (!rs.eof()) {
        QVariant color;
        if (esArticulos && punto >= 0 && stock >= 0) {
            color = ColorDeStock(rs.value(punto).toDouble(), rs.value(stock).toDouble(), opciones.stkNivel1,
                                 opciones.stkNivel2, opciones.stkNivel3, opciones.stkNivel4);
        }
        Fila fila;
        fila.textos.reserve(std::max(fields, 1));
        fila.textos << ClsUtiles::ValorSeguro(rs.value(0)).trimmed();
        if (opciones.checkBoxes && marca && devuelto >= 0) {
            const QString value = ClsUtiles::ValorSeguro(rs.value(devuelto)).trimmed();
            fila.marcada = !value.isEmpty() && opciones.valoresDefault.contains(value, Qt::CaseInsensitive);
        }
        for (int i = 1; i < fields; ++i)
            fila.textos << ClsUtiles::TextoVisible(ClsUtiles::ValorSeguro(rs.value(i)));
        if (colorea && !color.toString().trimmed().isEmpty()) {
            bool numero = false;
            const qlonglong bgr = color.toString().trimmed().toLongLong(&numero);
            // A colour setting that is not a number colours nothing.
            if (numero && bgr >= 0)
                fila.color = bgr;
        }
        filas << fila;
        rs.moveNext();
    }
    return filas;
}

int ListadoConsulta::LetrasPorContenido(const QString& titulo, const QList<Fila>& filas, int columna,
                                        bool ensancha)
{
    qsizetype x = titulo.size();
    for (qsizetype r = 0; r < filas.size() && x < AnchoMaximoColumna; ++r)
        x = std::max(x, filas[r].textos.value(columna).size());
    x = std::min<qsizetype>(x, AnchoMaximoColumna) + (ensancha ? 10 : 0);
    return static_cast<int>(x);
}

QVariant ListadoConsulta::ColorDeStock(double p, double s, const QVariant& nivel1, const QVariant& nivel2,
                                       const QVariant& nivel3, const QVariant& nivel4)
{
    if (p == 0 && s > 0)
        return nivel1;
    if (p > 0 && s > p)
        return nivel2;
    if (p > 0 && s < p)
        return nivel3;
    return nivel4;
}
