#include "zimbrel2/MedidaTextos.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Icon and the minimise, maximise and close buttons of a title bar at 96 dots per inch.
constexpr int MarcoTitulo = 140;
constexpr const char* ReservaPropiedad = "talonexReservaTitulo";

} // namespace

int MedidaTextos::anchoTitulo(const QString& titulo, const QWidget* ventana)
{
    QFont font = ventana->font();
    font.setBold(true);
    const double escala = ventana->logicalDpiX() / 96.0;
    return QFontMetrics(font).horizontalAdvance(titulo) + static_cast<int>(MarcoTitulo * escala);
}

void MedidaTextos::reservaTitulo(QWidget* ventana)
{
    if (!ventana || ventana->windowTitle().isEmpty())
        return;
    const int ancho = anchoTitulo(ventana->windowTitle(), ventana);
    QLayout* layout = ventana->layout();
    auto* grid = qobject_cast<QGridLayout*>(layout);
    auto* box = qobject_cast<QBoxLayout*>(layout);
    if (!grid && !box) {
        ventana->setMinimumWidth(std::max(ventana->minimumWidth(), ancho));
        return;
    }
    // One reserve per window, widened when the title grows.
    auto* reserva = static_cast<QSpacerItem*>(ventana->property(ReservaPropiedad).value<void*>());
    // A layout rebuilt since (message boxes rebuild theirs) no longer holds the old reserve.
    if (reserva && layout->indexOf(reserva) < 0)
        reserva = nullptr;
    if (reserva) {
        reserva->changeSize(std::max(ancho, reserva->sizeHint().width()), 0, QSizePolicy::Fixed,
                            QSizePolicy::Minimum);
        layout->invalidate();
        return;
    }
    reserva = new QSpacerItem(ancho, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    if (grid)
        grid->addItem(reserva, grid->rowCount(), 0, 1, std::max(grid->columnCount(), 1));
    else
        box->addItem(reserva);
    ventana->setProperty(ReservaPropiedad, QVariant::fromValue(static_cast<void*>(reserva)));
}

QString MedidaTextos::enLineas(QString texto)
{
    texto.replace(u"\r\n"_s, u"\n"_s);
    texto.replace(u'\r', u'\n');
    return texto;
}
