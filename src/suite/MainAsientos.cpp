// Cons_MV_Asientos: the ledger viewer the cheque list opens with "Ver Asiento". It starts on the
// connection of its parameter string, as every program of the suite does, and shows the accounting
// entry of the voucher of "@ParametroAdicional" ("@TC=OP|@Sucursal=0001|@Numero=00001234|@Letra=A|").
#include "app/Inicio.h"
#include "data/DataGlobals.h"
#include "suite/ArranqueSuite.h"
#include "suite/AsientoContable.h"
#include "suite/Comprobante.h"
#include "suite/FrmAsiento.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

int corre(const OpcionesSuite& opciones, SalidaSuite& salida)
{
    // The voucher is read before connecting: a parameter the viewer cannot use needs no database.
    const QString adicional = LeeParametro(opciones.parametros, u"@ParametroAdicional"_s);
    const std::optional<Comprobante> comprobante = Comprobante::desdeParametro(adicional);
    if (!comprobante) {
        avisaOperador(u"No se puede leer el comprobante a mostrar: \""_s + adicional +
                      u"\". Se espera @TC=...|@Sucursal=...|@Numero=...|@Letra=...|"_s);
        return 2;
    }
    if (!iniciaSuite(opciones.parametros))
        return 1;
    AsientoContable asiento;
    QString mensaje;
    if (AsientoContable::lee(DataGlobals::gDB(), *comprobante, asiento, mensaje) !=
        AsientoContable::Resultado::Encontrado) {
        avisaOperador(mensaje);
        return 3;
    }
    if (opciones.sinPantalla) {
        salida.escribe(asiento.comoTexto());
        return 0;
    }
    FrmAsiento ventana(asiento);
    aplicaAspecto(&ventana);
    ventana.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Cons_MV_Asientos"_s);
    const OpcionesSuite opciones =
        leeOpciones(app, u"Consulta del asiento contable de un comprobante"_s, false);
    SalidaSuite salida(opciones);
    const int codigo = corre(opciones, salida);
    return salida.termina(codigo);
}
