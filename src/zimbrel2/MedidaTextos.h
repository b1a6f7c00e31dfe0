#pragma once

#include <QString>

class QWidget;

/// The room texts need on screen, so that windows and their controls are sized from their texts and
/// fonts rather than from fixed measures.
namespace MedidaTextos {

/// The width a window needs for `titulo` in its title bar: the title in bold, the window icon and the
/// three title-bar buttons.
int anchoTitulo(const QString& titulo, const QWidget* ventana);
/// Makes `ventana` at least as wide as its title needs. A window with a layout gets the room as an
/// item of the layout (message boxes size themselves from their layout and ignore a minimum width).
void reservaTitulo(QWidget* ventana);
/// `texto` with its line breaks as Qt shows them: a carriage return, alone or before a line feed,
/// becomes a line feed.
QString enLineas(QString texto);

} // namespace MedidaTextos
