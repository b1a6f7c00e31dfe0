#include "suite/TablaMantenida.h"

#include "app/Acceso.h"
#include "data/DB_Dll.h"
#include "data/SqlValue.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/Currency.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/RegionalSettings.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The lookup views of the suite and the one table each selects from.
constexpr std::array<std::pair<const char16_t*, const char16_t*>, 12> TablasDeVistas{{
    {u"VT_PROVEEDORES", u"MA_PROVEEDORES"},
    {u"VT_CLIENTES", u"MA_CLIENTES"},
    {u"V_TA_RUBROS", u"TA_RUBROS"},
    {u"V_TA_UNIDAD", u"TA_UNIDADES"},
    {u"V_TA_DEPOSITO", u"TA_DEPOSITOS"},
    {u"V_TA_CAJAS", u"TA_CAJAS"},
    {u"V_TA_UnidadNegocio", u"TA_UNIDADNEGOCIO"},
    {u"V_TA_FAMILIAS", u"TA_FAMILIAS"},
    {u"V_TA_VENDEDORES", u"TA_VENDEDORES"},
    {u"V_TA_TECNICOS", u"TA_TECNICOS"},
    {u"V_MA_MANTENIMIENTOS", u"MA_MANTENIMIENTOS"},
    {u"v_mv_mutuales", u"MV_MUTUALES"},
}};

bool esFlag(int tipo)
{
    return ADOBoolean(tipo);
}

bool esFecha(int tipo)
{
    return adodate(tipo);
}

bool esNumero(int tipo)
{
    return ADONumeric(tipo) || ADOCurrency(tipo);
}

} // namespace

QString TablaMantenida::tablaDe(const QString& nombre)
{
    const QString n = nombre.trimmed();
    for (const auto& [vista, tabla] : TablasDeVistas) {
        if (n.compare(QStringView(vista), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(tabla);
    }
    return n;
}

bool TablaMantenida::nombreValido(const QString& nombre)
{
    static const QRegularExpression identificador(u"^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)?$"_s);
    return identificador.match(nombre).hasMatch();
}

bool TablaMantenida::leeColumnas(DB_Dll& db)
{
    m_columnas.clear();
    if (!nombreValido(m_tabla))
        return false;
    QString sentencia = u"SELECT * FROM "_s + m_tabla + u" with(nolock) WHERE 1 = 0"_s;
    AdoRecordset rs;
    db.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    if (!rs.isOpen())
        return false;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const AdoField& f = rs.field(i);
        m_columnas.append(Columna{f.name, f.type, f.definedSize});
    }
    db.CierraRecordset(&rs);
    return !m_columnas.isEmpty();
}

std::optional<QString> TablaMantenida::sentenciaAlta(const DB_Dll& db, const QMap<QString, QString>& valores,
                                                     QString& error) const
{
    QStringList nombres;
    QStringList literales;
    for (const Columna& c : m_columnas) {
        QString valor;
        for (auto it = valores.constBegin(); it != valores.constEnd(); ++it) {
            if (it.key().compare(c.nombre, Qt::CaseInsensitive) == 0)
                valor = it.value().trimmed();
        }
        if (valor.isEmpty())
            continue;
        QString literal;
        if (esFlag(c.tipo)) {
            const QString v = valor.toUpper();
            if (v == u"SI"_s || v == u"1"_s)
                literal = db.SQLValue(true, u"");
            else if (v == u"NO"_s || v == u"0"_s)
                literal = db.SQLValue(false, u"");
            else {
                error = u"El campo "_s + c.nombre + u" admite SI o NO."_s;
                return std::nullopt;
            }
        } else if (esFecha(c.tipo)) {
            const std::optional<QDate> fecha = ClsUtiles::TextoAFecha(valor);
            if (!fecha) {
                error = u"El campo "_s + c.nombre + u" debe ser una fecha (dd/mm/aaaa)."_s;
                return std::nullopt;
            }
            literal = db.SQLValue(*fecha, u"'");
        } else if (esNumero(c.tipo)) {
            if (!Currency::parse(valor, RegionalSettings::current())) {
                error = u"El campo "_s + c.nombre + u" debe ser un numero."_s;
                return std::nullopt;
            }
            literal = db.SQLValue(valor, u"@");
        } else {
            literal = db.SQLValue(valor, u"'");
        }
        nombres << AddBrackets(c.nombre);
        literales << literal;
    }
    if (nombres.isEmpty()) {
        error = u"No hay datos para grabar."_s;
        return std::nullopt;
    }
    return u"INSERT INTO "_s + m_tabla + u" ("_s + nombres.join(u", "_s) + u") VALUES ("_s +
           literales.join(u", "_s) + u")"_s;
}

TablaMantenida::Alta TablaMantenida::agrega(DB_Dll& db, const QMap<QString, QString>& valores) const
{
    if (!db.gEsAdmin) {
        operatorDialogs().messageBox(u"Debe ser usuario con atributo administrador para agregar registros"_s,
                                     MsgStyle::Information, u"Aviso al operador"_s);
        return Alta::SinPermiso;
    }
    QString error;
    const std::optional<QString> sentencia = sentenciaAlta(db, valores, error);
    if (!sentencia) {
        operatorDialogs().messageBox(error, MsgStyle::Exclamation, u"Aviso al operador"_s);
        return Alta::ValorInvalido;
    }
    bool hayError = false;
    long codigo = 0;
    QString ejecutado;
    QString mensaje;
    GActualizarDatoScript(QStringList{*sentencia, QString()}, hayError, codigo, false, false, ejecutado,
                          mensaje, true);
    return hayError ? Alta::Rechazada : Alta::Grabada;
}
