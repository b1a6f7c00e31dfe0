#pragma once

#include "printing/FormularioImpresora.h"

#include <QString>

#include <memory>

class ImpresoraAbierta;
class QWidget;

/// Named paper forms on the application's current printer: find one by its size, define one,
/// select one as the printer's paper, delete one. The module keeps no state: every routine opens the
/// printer, works and lets it go. Boxes go through the operator seam.
namespace Rt_Imp1 {

/// The custom form the sample window defines: 110 mm x 50 mm.
inline constexpr const char16_t* FormularioPropio = u"MyCustomForm";
inline constexpr Tamano TamanoPropio{110000, 50000};

/// The application's current printer: the one chosen in the printer dialog, else the default
/// printer; "" when there is neither.
QString ImpresoraActual();
/// Opens the current printer; null when it cannot be opened.
std::unique_ptr<ImpresoraAbierta> AbreImpresoraActual();

/// The list line of a form: "Letter - 215,9 mm X 279,4 mm   (1)", millimetres with the regional
/// decimal separator, `posicion` counted from 1.
QString LineaFormulario(const FormularioImpresora& forma, int posicion);

/// The position (from 1) of the printer's first form of exactly `tamano`, whose name is written into
/// `NombreFormulario`; 0 when there is none (the name is then unchanged).
qint16 BuscaFormularioPorTamano(const ImpresoraAbierta& hPrinter, const Tamano& tamano,
                                QString& NombreFormulario);

/// Defines the form on the printer and returns its name, or "none" after telling the operator why
/// it could not ("Access Denied!", "Error Adding Form").
QString AgregaFormulario(ImpresoraAbierta& hPrinter, const Tamano& tamano, const QString& NombreFormulario);

/// Makes the named form the paper of the application's printer, so that what prints next uses it.
/// "MyCustomForm" stands for the printer's first 110 x 50 mm form, defined first when there is none.
/// Returns 0 on failure (no printer, no such form), 1 when the form was selected, 2 when the custom
/// form had to be defined first. `hWnd` is the calling window.
qint16 SeleccionaFormulario(QString NombreFormulario, QWidget* hWnd);

/// Deletes a form this program defined on the printer: 0, or the error code (a printer's own medium
/// cannot be deleted).
int EliminaFormulario(ImpresoraAbierta& hPrinter, const QString& NombreFormulario);

} // namespace Rt_Imp1
