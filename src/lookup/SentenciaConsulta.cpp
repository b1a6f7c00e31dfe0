#include "lookup/SentenciaConsulta.h"

#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/SqlValue.h"
#include "lookup/MascaraConsulta.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QStringList>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int LimitePorOmision = 1000;

bool contiene(const QString& text, QStringView sought)
{
    return text.contains(sought, Qt::CaseInsensitive);
}

bool igual(const QString& a, QStringView b)
{
    return a.trimmed().compare(b, Qt::CaseInsensitive) == 0;
}

// Splits `sentencia` at the first `marca` ("order by", "group by"): the part before it goes to
// `base` and the result is the tail from it on; "" (and `base` untouched) when there is none.
QString cola(const QString& sentencia, QStringView marca, QString& base)
{
    const qsizetype at = sentencia.indexOf(marca, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    base = sentencia.left(at);
    return sentencia.mid(at);
}

} // namespace

QString SentenciaConsulta::EnvuelveCondicion(const QString& where)
{
    const QString trimmed = where.trimmed();
    if (trimmed.size() > 1 && !trimmed.startsWith(u'('))
        return u" ("_s + where + u") "_s;
    return where;
}

int SentenciaConsulta::LimiteFilas(const QString& valorTopConsArt)
{
    const qint64 n = ClsUtiles::TextoAEntero(valorTopConsArt);
    // A negative limit would make every lookup statement fail; it counts as unset.
    if (n <= 0 || n > std::numeric_limits<int>::max())
        return LimitePorOmision;
    return static_cast<int>(n);
}

QString SentenciaConsulta::DeMascara(const MascaraConsulta& mascara, int limite, QString& campoBusqueda,
                                     const QString& where, bool& faltaConfigurar)
{
    faltaConfigurar = false;
    QString tabla = MascaraConsulta::Limpia(mascara.Tabla);
    QString campos = MascaraConsulta::Limpia(mascara.Campos).replace(u'|', u',').trimmed();
    if (campos.startsWith(u','))
        campos.remove(0, 1);
    if (campos.endsWith(u','))
        campos.chop(1);
    if (campos.isEmpty())
        campos = u"*"_s;

    if (campoBusqueda.isEmpty()) {
        if (!campos.contains(u',')) {
            faltaConfigurar = true;
            return QString();
        }
        campoBusqueda = campos.left(campos.indexOf(u','));
    }

    QString condicion = MascaraConsulta::Limpia(mascara.Condicion);
    if (condicion.isEmpty() && !where.trimmed().isEmpty())
        condicion = where;
    QString porOmision;
    if (igual(tabla, u"VT_PROVEEDORES") || igual(tabla, u"VT_CLIENTES")) {
        porOmision = u"Dada_De_Baja = 0"_s;
    } else if (igual(tabla, u"V_MA_ARTICULOS")) {
        tabla = u"VT_MA_ARTICULOS"_s;
        porOmision = u"SUSPENDIDO = 0"_s;
    }
    if (condicion.trimmed().isEmpty() && !porOmision.isEmpty())
        condicion = porOmision;

    const QString filtro = condicion.trimmed().isEmpty() ? QString() : u" WHERE "_s;
    if (campoBusqueda.trimmed().isEmpty())
        return u"SELECT TOP "_s + QString::number(limite) + u" "_s + campos + u" FROM "_s + tabla +
               u" with(nolock) "_s + filtro + condicion;
    return u"SELECT TOP "_s + QString::number(limite) + u" "_s + campos + u" FROM "_s + tabla +
           u"  with(nolock) "_s + filtro + condicion + u" ORDER BY "_s + campoBusqueda;
}

QString SentenciaConsulta::Automatica(const QString& tabla, int limite, QString& campoBusqueda,
                                      const QString& where, const QString& sentenciaOpcional, DB_Dll& db)
{
    if (!sentenciaOpcional.isEmpty())
        return sentenciaOpcional;

    QString campos;
    if (!igual(tabla, u"V_TA_DEPOSITO")) {
        const bool claveEsBusqueda = igual(tabla, u"v_mv_mutuales") || igual(tabla, u"V_MV_TROPA_STOCK");
        AdoRecordset fields;
        QString statement = u"select top 1 * from "_s + tabla;
        // The request goes on whatever fails here: the data layer has told the operator already.
        TrappedRoutine routine;
        routine.step([&] { db.AbrirRecordset(statement, fields, nullptr, 0, 1, -1, true); });
        routine.step([&] {
            if (!fields.isOpen())
                return;
            for (int i = 0; i < fields.fieldCount(); ++i) {
                const QString name = fields.field(i).name;
                if (igual(name, u"ID") || igual(name, u"FECHAHORA_MODIFICACION") ||
                    igual(name, u"FECHAHORA_GRABACION")) {
                    if (!claveEsBusqueda)
                        continue;
                    campoBusqueda = name;
                } else if (igual(name, u"DESCRIPCION") || igual(name, u"NOMBRE") || igual(name, u"DETALLE")) {
                    campoBusqueda = name;
                } else if (campos.trimmed().isEmpty()) {
                    campoBusqueda = name;
                }
                campos = name + u","_s + campos;
            }
        });
        const bool leidos = fields.isOpen();
        routine.step([&] { db.CierraRecordset(&fields); });
        // The table's fields could not be read (the data layer has said why): there is no statement.
        if (!leidos)
            return QString();
    } else {
        campos = u"Descripcion,IdDeposito,UnidadNegocio,"_s;
        campoBusqueda = u"IDDEPOSITO"_s;
    }

    if (campos.trimmed().isEmpty())
        campos = u" * "_s;
    else
        campos.chop(1);
    const QString condicion = u" "_s + where;
    const QString filtro = condicion.trimmed().isEmpty() ? QString() : u" WHERE "_s;
    QString sentencia = u"SELECT TOP "_s + QString::number(limite) + u" "_s + campos + u" FROM "_s + tabla +
                        filtro + condicion;
    // Without a search column (a table whose fields could not be read) an ORDER BY with nothing after
    // it would only add a syntax error to the missing table.
    if (!campoBusqueda.trimmed().isEmpty())
        sentencia += u" ORDER BY "_s + campoBusqueda;
    return sentencia;
}

QString SentenciaConsulta::DelLlamador(const QString& sql, QString& where)
{
    QString sentencia = sql;
    if (contiene(sentencia, u"V_MA_ARTICULOS"))
        sentencia = ClsUtiles::ReemplazaTexto(sentencia, u"V_MA_ARTICULOS"_s, u"VT_MA_ARTICULOS"_s,
                                              Qt::CaseInsensitive);
    if (!where.trimmed().isEmpty()) {
        if (!contiene(where, u"WHERE"))
            where = u" WHERE "_s + where;
        sentencia += where;
    }
    return sentencia;
}

QString SentenciaConsulta::BusquedaLista(const QString& sentencia, const QString& campo, const QString& texto,
                                         bool contienePatron, QString& sqlBase, QString& colaSql)
{
    colaSql.clear();
    if (contiene(sentencia, u"order"))
        colaSql = cola(sentencia, u"order by", sqlBase);
    {
        QString base = sqlBase;
        const QString grupo = cola(sentencia, u"group by", base);
        if (!grupo.trimmed().isEmpty()) {
            colaSql = grupo;
            sqlBase = base;
        }
    }
    QString prefijo;
    if (contiene(sqlBase, u"stk_ma_articulos."))
        prefijo = u"stk_ma_articulos."_s;
    if (contiene(sqlBase, u"v_ma_articulos."))
        prefijo = u"v_ma_articulos."_s;
    const QString enlace = contiene(sentencia, u"where") ? u" and "_s : u" where "_s;
    QString patron;
    if (contienePatron) {
        patron = u"%"_s + QString(texto).replace(u' ', u'%') + u"%"_s;
    } else {
        patron = QString(texto).replace(u'*', u'%') + u"%"_s;
    }
    return sqlBase + enlace + prefijo + campo + u" like "_s + SQLValue(patron, u"'") + u" "_s + colaSql;
}

QString SentenciaConsulta::BusquedaArbol(const QString& sentencia, const QString& texto, QString& sqlBase,
                                         QString& colaSql)
{
    colaSql.clear();
    sqlBase = sentencia;
    if (contiene(sentencia, u"order by"))
        colaSql = cola(sentencia, u"order by", sqlBase);
    const QString enlace = contiene(sentencia, u"where") ? u" and "_s : u" where "_s;
    return sqlBase + enlace + u"Descripcion like "_s + SQLValue(QString(u"%"_s + texto + u"%"_s), u"'") +
           u" "_s + colaSql;
}

QString SentenciaConsulta::TablaDeSentencia(const QString& sentencia)
{
    const QString text = sentencia + u" "_s;
    const qsizetype from = text.indexOf(u"from", 0, Qt::CaseInsensitive);
    if (from < 0)
        return QString();
    const qsizetype start = from + 4;
    qsizetype end = text.indexOf(u' ', from + 5);
    if (end < 0)
        end = text.size();
    return text.mid(start, end - start).trimmed();
}
