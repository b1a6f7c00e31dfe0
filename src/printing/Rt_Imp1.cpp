#include "printing/Rt_Imp1.h"

#include "printing/ImpresoraAbierta.h"
#include "report/ClsReporte.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/RegionalSettings.h"

#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

/// Thousandths of a millimetre as millimetres, the shortest decimal that reads back the same, with
/// the regional decimal separator: 215900 -> "215,9", 110000 -> "110".
QString milimetros(qint32 milesimas)
{
    QString texto = QString::number(milesimas / 1000.0, 'g', 15);
    texto.replace(u'.', RegionalSettings::current().decimalSeparator);
    return texto;
}

} // namespace

QString Rt_Imp1::ImpresoraActual()
{
    const QString elegida = ClsReporte::instance().impresora();
    return elegida.isEmpty() ? QPrinterInfo::defaultPrinterName() : elegida;
}

std::unique_ptr<ImpresoraAbierta> Rt_Imp1::AbreImpresoraActual()
{
    return ImpresoraAbierta::abre(ImpresoraActual());
}

QString Rt_Imp1::LineaFormulario(const FormularioImpresora& forma, int posicion)
{
    return forma.nombre + u" - "_s + milimetros(forma.tamano.cx) + u" mm X "_s + milimetros(forma.tamano.cy) +
           u" mm   ("_s + QString::number(posicion) + u")"_s;
}

qint16 Rt_Imp1::BuscaFormularioPorTamano(const ImpresoraAbierta& hPrinter, const Tamano& tamano,
                                         QString& NombreFormulario)
{
    const QList<FormularioImpresora> formas = hPrinter.formularios();
    for (qsizetype i = 0; i < formas.size(); ++i) {
        if (formas[i].tamano == tamano) {
            NombreFormulario = formas[i].nombre;
            return static_cast<qint16>(i + 1);
        }
    }
    return 0;
}

QString Rt_Imp1::AgregaFormulario(ImpresoraAbierta& hPrinter, const Tamano& tamano,
                                  const QString& NombreFormulario)
{
    const int error = hPrinter.agrega(NombreFormulario, tamano);
    if (error == 0)
        return NombreFormulario;
    if (error == ErrorFormulario::AccesoDenegado)
        operatorDialogs().messageBox(u"You do not have permissions to add a form to "_s + hPrinter.nombre(),
                                     MsgStyle::Exclamation, u"Access Denied!"_s);
    else
        operatorDialogs().messageBox(u"Error: "_s + QString::number(error), MsgStyle::Information,
                                     u"Error Adding Form"_s);
    return u"none"_s;
}

qint16 Rt_Imp1::SeleccionaFormulario(QString NombreFormulario, QWidget* hWnd)
{
    Q_UNUSED(hWnd);
    std::unique_ptr<ImpresoraAbierta> hPrinter = AbreImpresoraActual();
    if (!hPrinter)
        return 0;
    bool definido = false;
    // Letter case counts: only this exact name stands for the 110 x 50 mm form.
    if (NombreFormulario == QString::fromUtf16(FormularioPropio)) {
        if (BuscaFormularioPorTamano(*hPrinter, TamanoPropio, NombreFormulario) == 0) {
            AgregaFormulario(*hPrinter, TamanoPropio, QString::fromUtf16(FormularioPropio));
            if (BuscaFormularioPorTamano(*hPrinter, TamanoPropio, NombreFormulario) == 0)
                return 0;
            definido = true;
        }
    }
    // A name the printer does not know selects nothing: the paper would be whatever the driver
    // falls back to.
    const std::optional<FormularioImpresora> forma = hPrinter->formulario(NombreFormulario);
    if (!forma)
        return 0;
    ClsReporte& impresora = ClsReporte::instance();
    impresora.setImpresora(hPrinter->nombre());
    impresora.setPapel(forma->pagina);
    return definido ? 2 : 1;
}

int Rt_Imp1::EliminaFormulario(ImpresoraAbierta& hPrinter, const QString& NombreFormulario)
{
    return hPrinter.elimina(NombreFormulario);
}
