#include "cheques/ValidacionFiltros.h"

#include "app/Cuentas.h"
#include "cheques/NumeroCheque.h"
#include "cheques/SentenciasCheques.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/SqlValue.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString TituloAviso = u"Aviso al operador..."_s;

// A statement whose failure the data layer has already shown and the operator gave up on: the
// check stops there without a box of its own.
const QString SinLectura = u"CAMPO_VALIDA sin lectura"_s;

RuntimeError noSePudoLeer()
{
    return RuntimeError(AdoErrorNumber::ObjectClosed,
                        u"Operation is not allowed when the object is closed."_s, SinLectura);
}

} // namespace

ErrorReporter ValidacionFiltros::reporter()
{
    const ErrorReporter mostrar = ClsUtiles::reporterFor(u"CAMPO_VALIDA"_s);
    return [mostrar](const RuntimeError& error) {
        return error.source() == SinLectura ? MsgAnswer::Abort : mostrar(error);
    };
}

ValidacionFiltros::ValidacionFiltros(DB_Dll& db, CamposFiltro& campos, EstadoValidacion& estado)
    : m_db(db), m_campos(campos), m_estado(estado)
{
}

std::optional<qint64> ValidacionFiltros::numeroEntero(const QString& texto)
{
    static const QRegularExpression entero(u"^\\d{1,15}$"_s);
    const QString t = texto.trimmed();
    if (!entero.match(t).hasMatch())
        return std::nullopt;
    return t.toLongLong();
}

bool ValidacionFiltros::DatosValidos(const QStringList& camposEnOrden)
{
    m_estado.Fallo = false;
    for (const QString& campo : camposEnOrden) {
        CampoValida(campo);
        if (m_estado.Fallo)
            break;
    }
    return !m_estado.Fallo;
}

void ValidacionFiltros::CampoValida(const QString& dataField)
{
    const QString texto = m_campos.texto(dataField).trimmed();
    const QString nombre = dataField.trimmed();
    m_estado.Fallo = false;
    const auto es = [&](QStringView n) { return nombre.compare(n, Qt::CaseInsensitive) == 0; };
    if (es(u"FechaD") || es(u"FechaH"))
        validaFecha(texto);
    else if (es(u"ProveedorD") || es(u"ProveedorH"))
        validaProveedor(dataField, texto);
    else if (es(u"idBanco"))
        validaBanco(texto);
    else if (es(u"Serie"))
        validaSerie();
    else if (es(u"NumerarDesde"))
        validaNumerarDesde(texto);
    else if (es(u"NumerarHasta"))
        validaNumerarHasta(texto);
    if (m_estado.Fallo && !m_mensaje.isEmpty())
        operatorDialogs().messageBox(m_mensaje, MsgStyle::Critical, TituloAviso);
    m_mensaje.clear();
}

void ValidacionFiltros::falla(const QString& mensaje)
{
    m_estado.Fallo = true;
    m_mensaje = mensaje;
}

bool ValidacionFiltros::noSePudo(const TrappedRoutine& routine)
{
    // A check that could not be made has not passed; the operator has already seen why.
    if (routine.left())
        m_estado.Fallo = true;
    return routine.left();
}

void ValidacionFiltros::abre(QString sql, AdoRecordset& rs)
{
    m_db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true);
    // The data layer has shown the failure and left the recordset closed: the answer was to give up.
    if (!rs.isOpen())
        throw noSePudoLeer();
}

void ValidacionFiltros::validaFecha(const QString& texto)
{
    if (!texto.isEmpty() && !ClsUtiles::TextoAFecha(texto))
        falla(u"Fecha incorrecta..."_s);
}

void ValidacionFiltros::validaProveedor(const QString& dataField, QString texto)
{
    if (texto.isEmpty())
        return;
    TrappedRoutine routine(reporter());
    bool existe = false;
    routine.step([&] {
        AdoRecordset cuenta;
        bool porCodigoOpcional = false;
        QString codigo = texto;
        if (ExisteCuenta(codigo, &cuenta, true, porCodigoOpcional)) {
            texto = ClsUtiles::ValorSeguro(cuenta.value(u"Codigo"));
            m_campos.setTexto(dataField, texto);
        } else if (!cuenta.isOpen()) {
            throw noSePudoLeer();
        }
    }) &&
        routine.step([&] {
            AdoRecordset proveedor;
            existe = m_db.ExisteEnTabla(u"vt_proveedores"_s, texto, u"Codigo"_s, &proveedor, 8, {}, true);
            // Not found because the statement failed (a missing table): that is no answer about the code.
            if (!existe && !proveedor.isOpen())
                throw noSePudoLeer();
            m_db.CierraRecordset(&proveedor);
        });
    if (noSePudo(routine))
        return;
    if (!existe)
        falla(u"El Código Informado no Existe"_s);
}

void ValidacionFiltros::validaBanco(const QString& texto)
{
    if (texto.isEmpty()) {
        falla(u"Debe informar un Banco"_s);
        return;
    }
    TrappedRoutine routine(reporter());
    AdoRecordset cuenta;
    bool existe = false;
    routine.step([&] {
        existe = m_db.ExisteEnTabla(u"MA_CUENTAS"_s, texto, u"Codigo"_s, &cuenta, 8, {}, true);
        if (!existe && !cuenta.isOpen())
            throw noSePudoLeer();
    });
    if (noSePudo(routine))
        return;
    if (!existe) {
        falla(u"El Banco Informado no es correcto!!"_s);
        return;
    }
    QString medio;
    QString descripcion;
    routine.step([&] {
        medio = ClsUtiles::ValorSeguro(cuenta.value(u"MedioDePago"));
        descripcion = ClsUtiles::ValorSeguro(cuenta.value(u"Descripcion"));
    });
    if (noSePudo(routine))
        return;
    if (medio.trimmed().compare(u"CH"_s, Qt::CaseInsensitive) != 0) {
        falla(u"La cuenta informada no esta habilitada para la Emision de Cheques"_s);
        return;
    }
    m_campos.setDescripcionBanco(descripcion);
}

void ValidacionFiltros::validaNumerarDesde(const QString& texto)
{
    if (!m_estado.ValidandoCarga && !m_estado.ValidandoGrabar) {
        // While the operator works on the start number, the series is what it affects.
        CampoValida(u"serie"_s);
        return;
    }
    if (ClsUtiles::TextoANumero(texto) == Currency())
        falla(u"Debe informar el numero desde"_s);
    else if (!numeroEntero(texto))
        // The start number goes into the statements and the cheque numbers: only digits.
        falla(u"El numero desde debe ser un numero entero"_s);
}

void ValidacionFiltros::validaNumerarHasta(const QString& texto)
{
    if (m_estado.EnReimpresion && !texto.isEmpty() && !numeroEntero(texto))
        falla(u"El numero hasta debe ser un numero entero"_s);
}

void ValidacionFiltros::validaSerie()
{
    // Reprint gives no numbers: the series only selects what the load finds.
    if (m_estado.EnReimpresion || m_estado.ValidandoCarga)
        return;
    const QString serie = m_campos.texto(u"serie"_s).trimmed();
    if (serie.isEmpty()) {
        falla(u"Debe informar una serie"_s);
        return;
    }
    const QString desdeTexto = m_campos.texto(u"NUMERARDESDE"_s);
    if (desdeTexto.isEmpty())
        return;
    const std::optional<qint64> desdeEntero = numeroEntero(desdeTexto);
    if (!desdeEntero) {
        falla(u"El numero desde debe ser un numero entero"_s);
        return;
    }
    const qint64 desde = *desdeEntero;
    const QString idBanco = m_campos.texto(u"IDBANCO"_s);

    TrappedRoutine routine(reporter());
    bool enRango = false;
    QString idBancoChequera;
    qint64 hasta = 0;
    routine.step([&] {
        AdoRecordset rs;
        abre(SentenciasCheques::rangoChequera(idBanco, serie, desdeTexto), rs);
        enRango = !rs.eof();
        if (enRango) {
            idBancoChequera = ClsUtiles::ValorSeguro(rs.value(u"IDBANCO"));
            hasta = ClsUtiles::TextoAEntero(ClsUtiles::ValorSeguro(rs.value(u"NUMERO_HASTA")));
        }
        m_db.CierraRecordset(&rs);
    });
    if (noSePudo(routine))
        return;
    if (!enRango) {
        falla(u"El numero informado para esa serie esta fuera de rango"_s);
        return;
    }

    qint64 maximo = 0;
    routine.step([&] {
        AdoRecordset rs;
        abre(SentenciasCheques::maximoNumero(m_campos.texto(u"serie"_s), idBancoChequera), rs);
        if (!rs.eof())
            maximo = ClsUtiles::TextoAEntero(ClsUtiles::ValorSeguro(rs.value(u"Maximo")));
        m_db.CierraRecordset(&rs);
    });
    if (noSePudo(routine))
        return;

    const int marcados = m_campos.chequesMarcados();
    const auto numeroDado = [&](qint64 numero, QString& literal) {
        const QString serieTexto = m_campos.texto(u"serie"_s);
        literal = SQLValue(NumeroCheque::compone(serieTexto, numero), u"'");
        AdoRecordset rs;
        abre(SentenciasCheques::chequeConNumero(serieTexto, numero), rs);
        const bool existe = !rs.eof();
        m_db.CierraRecordset(&rs);
        return existe;
    };

    if (maximo >= desde) {
        const int answer = operatorDialogs().messageBox(
            u"Ya existe un cheque cargado que es mayor al numero que usted ingreso\r\nDesea continuar de todas maneras?"_s,
            MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2, QString());
        if (answer != MsgAnswer::Yes) {
            m_estado.Fallo = true;
            return;
        }
        for (int k = 0; k < marcados; ++k) {
            QString literal;
            bool existe = false;
            routine.step([&] { existe = numeroDado(desde + k, literal); });
            if (noSePudo(routine))
                return;
            if (existe) {
                falla(u"Ya existe un cheque con  uno de los numeros a generar\r\nNro: "_s + literal);
                return;
            }
        }
    } else {
        QString literal;
        bool existe = false;
        routine.step([&] { existe = numeroDado(desde, literal); });
        if (noSePudo(routine))
            return;
        if (existe) {
            falla(u"Ya existe un cheque con  el  numero "_s + literal);
            return;
        }
    }

    const qint64 ultimo = desde + marcados - 1;
    if (ultimo > hasta)
        falla(u"Supera la cantidad de cheques disponibles, desmarque "_s + QString::number(ultimo - hasta) +
              u" Cheques"_s);
}
